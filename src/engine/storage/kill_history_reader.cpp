#include "engine/storage/kill_history_reader.h"

#include "engine/base/serial_queue.h"
#include "engine/storage/kill_log_store.h"

KillHistoryReader::KillHistoryReader(std::shared_ptr<FileSystem> files, QString logsDir,
                                     Delivery deliver, QObject* parent)
    : QObject(parent), deliver_(std::move(deliver)),
      queue_(std::make_unique<SerialQueue>(QStringLiteral("Zentrav.history"))) {
    // This object outlives the work: its destructor waits for it.
    queue_->enqueue([this, files = std::move(files), logsDir = std::move(logsDir),
                     stop = stop_.get_token()] {
        KillLogStore store(*files, logsDir);
        const QStringList names = store.dayFileNames().valueOr({});
        for (auto name = names.crbegin(); name != names.crend() && !stop.stop_requested(); ++name) {
            read_.post(KillHistory::dayFileOf(*name, store.readDayFile(*name)));
            QMetaObject::invokeMethod(this, &KillHistoryReader::deliverRead, Qt::QueuedConnection);
        }
        read_.post(std::nullopt);
        QMetaObject::invokeMethod(this, &KillHistoryReader::deliverRead, Qt::QueuedConnection);
    });
}

// The queue, the last member, ends first: it waits for the file being read.
KillHistoryReader::~KillHistoryReader() {
    stop_.request_stop();
}

void KillHistoryReader::deliverRead() {
    std::vector<KillHistory::DayFile> files;
    bool isDone = false;
    for (std::optional<KillHistory::DayFile>& file : read_.takeAll()) {
        if (file)
            files.push_back(std::move(*file));
        else
            isDone = true;
    }
    if (!files.empty() || isDone)
        deliver_(std::move(files), isDone);
}
