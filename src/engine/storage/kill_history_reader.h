#pragma once

#include "engine/base/mailbox.h"
#include "engine/storage/kill_history.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

class FileSystem;
class SerialQueue;

// Reads every day file in the logs directory on a thread of its own, newest day first, and hands
// the files to the thread it was made on as they come. Destroying it ends the reading between two
// files.
class KillHistoryReader : public QObject {
    Q_OBJECT
public:
    // Called with the files read since its last call, newest first; `isDone` after the last.
    using Delivery = std::function<void(std::vector<KillHistory::DayFile> files, bool isDone)>;

    KillHistoryReader(std::shared_ptr<FileSystem> files, QString logsDir, Delivery deliver,
                      QObject* parent = nullptr);
    ~KillHistoryReader() override;

private:
    void deliverRead();

    Delivery deliver_;
    // Nothing after the last file.
    Mailbox<std::optional<KillHistory::DayFile>> read_;
    std::stop_source stop_;
    // Last, so that it ends before the members the reading uses.
    std::unique_ptr<SerialQueue> queue_;
};
