#pragma once

#include <mutex>
#include <utility>
#include <vector>

// Values one thread leaves for another, taken in the order they were left. The lock is ours, not
// Qt's, so the hand-over is ordered for ThreadSanitizer as well.
template <typename Value> class Mailbox {
public:
    void post(Value value) {
        std::lock_guard lock(mutex_);
        values_.push_back(std::move(value));
    }

    std::vector<Value> takeAll() {
        std::lock_guard lock(mutex_);
        return std::exchange(values_, {});
    }

private:
    std::mutex mutex_;
    std::vector<Value> values_;
};
