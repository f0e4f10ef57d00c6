#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// One named background thread that runs queued work one item at a time, in order.
class SerialQueue {
public:
    explicit SerialQueue(QString name);
    // Runs what is queued already, then ends the thread.
    ~SerialQueue();

    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void enqueue(std::function<void()> work);

private:
    void run();

    QString name_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> items_;
    bool stopping_ = false;
    std::thread thread_;
};
