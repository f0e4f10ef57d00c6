#pragma once

#include "engine/base/serial_queue.h"
#include "engine/storage/kill_log_entry.h"
#include "engine/storage/kill_log_store.h"

#include <QList>
#include <functional>
#include <memory>

class FileSystem;

// What a write left behind, told on the writer's thread.
struct LogWriteReport {
    // Entries kept for the next try, as no day file took them, and why.
    qsizetype waiting = 0;
    QString reason;
    QList<DayFileDetour> detours;
};

// Writes the kill log on a thread of its own, "Quorvane.log", so that no scan and no view waits
// for the disk. Work runs in the order it was asked for: a read of the logs finds every write
// asked for before it, and a clear is not undone by a write that was still waiting. Entries that
// no day file took are kept and go with the next write.
class KillLogWriter {
public:
    KillLogWriter(std::shared_ptr<FileSystem> files, QString logsDir,
                  std::function<void(const LogWriteReport&)> onWritten = {});
    // Runs every write asked for, then ends the thread.
    ~KillLogWriter();

    KillLogWriter(const KillLogWriter&) = delete;
    KillLogWriter& operator=(const KillLogWriter&) = delete;

    const QString& logsDir() const { return store_.logsDir(); }

    // Adds a scan's entries, in their order, to the day files, after those kept from before;
    // also with none, to try those again. Returns at once.
    void write(QList<KillLogEntry> entries);

    // These wait for the writes asked for before them, and for their own result.
    Result<QList<KillLogEntry>> loadAllLogs();
    Result<void> exportTo(const QString& path, const QList<KillLogEntry>& entries);
    // Also drops the kept entries.
    ClearedLogs clearAll();
    qsizetype restore(const QList<TrashedFile>& trashed);

private:
    template <typename Work> auto await(Work work);

    std::shared_ptr<FileSystem> files_;
    KillLogStore store_;
    std::function<void(const LogWriteReport&)> onWritten_;
    // Only the writer thread touches it.
    QList<KillLogEntry> unwritten_;
    // Last, so that it ends first: what is queued runs while the store still exists.
    SerialQueue queue_;
};
