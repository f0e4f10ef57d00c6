#include "engine/storage/kill_log_writer.h"

#include "engine/base/engine_log.h"

#include <future>

KillLogWriter::KillLogWriter(std::shared_ptr<FileSystem> files, QString logsDir,
                             std::function<void(const LogWriteReport&)> onWritten)
    : files_(std::move(files)), store_(*files_, std::move(logsDir)),
      onWritten_(std::move(onWritten)), queue_(QStringLiteral("Quorvane.log")) {
    if (const Result<void> made = store_.createDirectory(); !made)
        qCWarning(engineLog).noquote()
            << QStringLiteral("Could not create %1: %2").arg(store_.logsDir(), made.error().reason);
}

KillLogWriter::~KillLogWriter() {
    queue_.enqueue([this] {
        if (!unwritten_.isEmpty())
            qCWarning(engineLog).noquote()
                << QStringLiteral("Lost %1 kill-log entries that no day file took")
                       .arg(unwritten_.size());
    });
}

// The writer thread owns the task with the caller until it has run, so that it never touches
// a result the caller has already taken and dropped.
template <typename Work> auto KillLogWriter::await(Work work) {
    auto task = std::make_shared<std::packaged_task<std::invoke_result_t<Work>()>>(std::move(work));
    auto result = task->get_future();
    queue_.enqueue([task] { (*task)(); });
    return result.get();
}

void KillLogWriter::write(QList<KillLogEntry> entries) {
    queue_.enqueue([this, entries = std::move(entries)] {
        if (unwritten_.isEmpty() && entries.isEmpty())
            return;
        LogAppend result = store_.append(std::exchange(unwritten_, {}) + entries);
        unwritten_ = std::move(result.unwritten);
        if (onWritten_)
            onWritten_({unwritten_.size(), std::move(result.reason), std::move(result.detours)});
    });
}

Result<QList<KillLogEntry>> KillLogWriter::loadAllLogs() {
    return await([this] { return store_.loadAllLogs(); });
}

Result<void> KillLogWriter::exportTo(const QString& path, const QList<KillLogEntry>& entries) {
    return await([&] { return store_.exportTo(path, entries); });
}

ClearedLogs KillLogWriter::clearAll() {
    return await([this] {
        unwritten_.clear();
        return store_.clearAll();
    });
}

qsizetype KillLogWriter::restore(const QList<TrashedFile>& trashed) {
    return await([&] { return store_.restore(trashed); });
}
