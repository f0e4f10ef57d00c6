#pragma once

#include "kill_log_entry.h"
#include "log_file_appender.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class FileSystem;

inline constexpr qsizetype killLogCapacity = 200;

// The batch in front of the log, cut to the first 200 entries.
QList<KillLogEntry> withBatchInFront(const QList<KillLogEntry>& log,
                                     const QList<KillLogEntry>& batch);

// The day files ("yyyy-MM-dd.json") under the logs directory. Every operation holds an advisory
// lock on the directory's ".lock" file, so that no other writer, in this process or another,
// comes between the reading and the writing of a day file.
class KillLogStore {
public:
    KillLogStore(FileSystem& files, QString logsDir);

    const QString& logsDir() const { return logsDir_; }
    void createDirectory();

    // Adds each entry, after those already there, to the file of the local date of its
    // timestamp. Returns the entries that could not be written anywhere, for the caller to keep.
    QList<KillLogEntry> append(const QList<KillLogEntry>& entries);

    // Every readable day file, oldest first; unreadable files are skipped.
    QList<KillLogEntry> loadAllLogs();

    // The names of the ".json" items, oldest day first; nothing when the directory cannot be
    // listed.
    std::optional<QStringList> dayFileNames() const;
    // One day file's entries, read under the lock; nothing when it cannot be read or decoded.
    std::optional<QList<KillLogEntry>> readDayFile(const QString& fileName);

    // Writes entries to a file of the user's choice; the error's description, empty on success.
    QString exportTo(const QString& path, const QList<KillLogEntry>& entries);

    // Deletes every ".json" item; the directory and other items stay.
    void clearAll();

    static QString dayFileName(const QDate& day);
    static QString exportFileName(const QDateTime& localMoment);

private:
    FileDescriptor lockDirectory();
    bool appendToDay(const QDate& day, const QByteArray& added);

    FileSystem& files_;
    QString logsDir_;
    QString lockPath_;
    LogFileAppender appender_;
};
