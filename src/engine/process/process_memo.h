#pragma once

#include "engine/process/user_process.h"

#include <algorithm>
#include <vector>

// What was read about each process, kept for as long as every snapshot holds it under the same
// name, so that a scan reads /proc only for processes it has not seen before. A process id that
// leaves the table is forgotten; one taken over by a new process is read anew.
//
// Kept sorted by process id, the order ps prints: a snapshot finds each process next to the last
// one it found, with no hashing, which counts at thousands of rows per scan.
template <typename Facts> class ProcessMemo {
public:
    // The facts kept for this row's process, default ones the first time it is seen. Valid until
    // the next call.
    Facts& operator[](const UserProcess& row) {
        if (cursor_ >= previous_.size() || previous_[cursor_].pid != row.pid)
            cursor_ = size_t(
                std::lower_bound(previous_.begin(), previous_.end(), row.pid,
                                 [](const Entry& entry, qint32 pid) { return entry.pid < pid; }) -
                previous_.begin());
        if (cursor_ < previous_.size() && previous_[cursor_].pid == row.pid &&
            previous_[cursor_].name == row.name)
            current_.push_back(std::move(previous_[cursor_++]));
        else
            current_.push_back(Entry{row.pid, row.name, Facts()});
        return current_.back().facts;
    }

    // Ends a snapshot: what it did not hold is forgotten.
    void endSnapshot() {
        previous_ = std::move(current_);
        current_.clear();
        current_.reserve(previous_.size());
        if (!std::is_sorted(previous_.begin(), previous_.end(), byPid))
            std::stable_sort(previous_.begin(), previous_.end(), byPid);
        cursor_ = 0;
    }

    void clear() {
        previous_.clear();
        current_.clear();
        cursor_ = 0;
    }

private:
    struct Entry {
        qint32 pid = 0;
        QString name;
        Facts facts;
    };
    static bool byPid(const Entry& a, const Entry& b) { return a.pid < b.pid; }

    std::vector<Entry> previous_;
    std::vector<Entry> current_;
    size_t cursor_ = 0;
};
