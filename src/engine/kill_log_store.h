#pragma once

#include "kill_log_entry.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class FileSystem;

inline constexpr qsizetype killLogCapacity = 200;

// The batch in front of the log, cut to the first 200 entries.
QList<KillLogEntry> withBatchInFront(const QList<KillLogEntry>& log,
                                     const QList<KillLogEntry>& batch);

// The day files ("yyyy-MM-dd.json") under the logs directory.
class KillLogStore {
public:
    KillLogStore(FileSystem& files, QString logsDir);

    const QString& logsDir() const { return logsDir_; }
    void createDirectory();

    // Adds the entries after those already in the file of `day`. Returns false when they
    // could not be written anywhere, so the caller can keep them.
    bool appendToDay(const QDate& day, const QList<KillLogEntry>& entries);

    // Every readable day file, oldest first; unreadable files are skipped.
    QList<KillLogEntry> loadAllLogs() const;

    // Writes entries to a file of the user's choice; the error's description, empty on success.
    QString exportTo(const QString& path, const QList<KillLogEntry>& entries);

    // Deletes every ".json" item; the directory and other items stay.
    void clearAll();

    static QString dayFileName(const QDate& day);
    static QString exportFileName(const QDateTime& localMoment);

private:
    FileSystem& files_;
    QString logsDir_;
};
