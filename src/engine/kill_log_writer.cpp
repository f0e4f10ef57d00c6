#include "kill_log_writer.h"

#include "console_line.h"

#include <future>

KillLogWriter::KillLogWriter(std::shared_ptr<FileSystem> files, QString logsDir)
    : files_(std::move(files)), store_(*files_, std::move(logsDir)),
      queue_(QStringLiteral("Quorvane.log")) {
    store_.createDirectory();
}

KillLogWriter::~KillLogWriter() {
    queue_.enqueue([this] {
        if (!unwritten_.isEmpty())
            printLine(QStringLiteral("Lost %1 kill-log entries that no day file took")
                          .arg(unwritten_.size()));
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

void KillLogWriter::write(QList<QList<KillLogEntry>> batches) {
    queue_.enqueue([this, batches = std::move(batches)] {
        QList<KillLogEntry> entries = std::exchange(unwritten_, {});
        for (auto batch = batches.crbegin(); batch != batches.crend(); ++batch)
            entries += *batch;
        unwritten_ = store_.append(entries);
    });
}

QList<KillLogEntry> KillLogWriter::loadAllLogs() {
    return await([this] { return store_.loadAllLogs(); });
}

QString KillLogWriter::exportTo(const QString& path, const QList<KillLogEntry>& entries) {
    return await([&] { return store_.exportTo(path, entries); });
}

void KillLogWriter::clearAll() {
    await([this] {
        unwritten_.clear();
        store_.clearAll();
    });
}
