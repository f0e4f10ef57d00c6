#pragma once

#include "user_process.h"

#include <QHash>

// What was read about each process, kept for as long as every snapshot holds it under the same
// name, so that a scan reads /proc only for processes it has not seen before. A process id that
// leaves the table is forgotten; one taken over by a new process is read anew.
template <typename Facts> class ProcessMemo {
public:
    // The facts kept for this row's process; default ones the first time it is seen.
    Facts& operator[](const UserProcess& row) {
        Entry& entry = entries_[row.pid];
        if (entry.snapshot == 0 || entry.name != row.name)
            entry = Entry{row.name, 0, Facts()};
        entry.snapshot = snapshot_;
        return entry.facts;
    }

    // Ends a snapshot: what it did not hold is forgotten.
    void endSnapshot() {
        entries_.removeIf(
            [this](const auto& entry) { return entry.value().snapshot != snapshot_; });
        ++snapshot_;
    }

    void clear() { entries_.clear(); }

private:
    struct Entry {
        QString name;
        quint64 snapshot = 0;
        Facts facts;
    };
    QHash<qint32, Entry> entries_;
    quint64 snapshot_ = 1;
};
