#pragma once

#include "kill_log_entry.h"
#include "kill_log_store.h"
#include "serial_queue.h"

#include <QList>
#include <memory>

class FileSystem;

// Writes the kill log on a thread of its own, "Quorvane.log", so that a flush never waits for
// the disk. Work runs in the order it was asked for: a read of the logs finds every write asked
// for before it, and a clear is not undone by a write that was still waiting. Entries that no
// day file took are kept and go with the next write.
class KillLogWriter {
public:
    KillLogWriter(std::shared_ptr<FileSystem> files, QString logsDir);
    // Runs every write asked for, then ends the thread.
    ~KillLogWriter();

    KillLogWriter(const KillLogWriter&) = delete;
    KillLogWriter& operator=(const KillLogWriter&) = delete;

    const QString& logsDir() const { return store_.logsDir(); }

    // Adds the scans' batches, given oldest first, to the day files; each batch keeps its order
    // and the newest batch goes first. Returns at once.
    void write(QList<QList<KillLogEntry>> batches);

    // These wait for the writes asked for before them, and for their own result.
    QList<KillLogEntry> loadAllLogs();
    QString exportTo(const QString& path, const QList<KillLogEntry>& entries);
    // Also drops the kept entries.
    void clearAll();

private:
    template <typename Work> auto await(Work work);

    std::shared_ptr<FileSystem> files_;
    KillLogStore store_;
    // Only the writer thread touches it.
    QList<KillLogEntry> unwritten_;
    // Last, so that it ends first: what is queued runs while the store still exists.
    SerialQueue queue_;
};
