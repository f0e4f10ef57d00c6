#pragma once

#include "engine/storage/kill_log_entry.h"
#include "engine/storage/log_file_appender.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

class FileSystem;

inline constexpr qsizetype killLogCapacity = 200;

// The batch in front of the log, cut to the first 200 entries.
QList<KillLogEntry> withBatchInFront(const QList<KillLogEntry>& log,
                                     const QList<KillLogEntry>& batch);

// A day file that could not take its day's entries, and the file that took them instead.
struct DayFileDetour {
    QString refused;
    QString used;
};

// What came of an append.
struct LogAppend {
    // The entries no file took, for the caller to keep, and why.
    QList<KillLogEntry> unwritten;
    QString reason;
    // The days that went on in another file since the last append.
    QList<DayFileDetour> detours;
};

// A file that Clear Logs moved to the trash, and where it went.
struct TrashedFile {
    QString path;
    QString pathInTrash;
};

struct ClearedLogs {
    QList<TrashedFile> trashed;
    // Files deleted where there is no trash.
    qsizetype deleted = 0;
};

// The day files ("yyyy-MM-dd.json") under the logs directory. Every operation holds an advisory
// lock on the directory's ".lock" file, so that no other writer, in this process or another,
// comes between the reading and the writing of a day file.
class KillLogStore {
public:
    KillLogStore(FileSystem& files, QString logsDir);

    const QString& logsDir() const { return logsDir_; }
    Result<void> createDirectory();

    // Adds each entry, after those already there, to the file of the local date of its
    // timestamp; on disk when it returns.
    LogAppend append(const QList<KillLogEntry>& entries);

    // Every readable day file, oldest first; unreadable files are skipped. An error when the
    // directory cannot be listed.
    Result<QList<KillLogEntry>> loadAllLogs();

    // The names of the ".json" items, oldest day first.
    Result<QStringList> dayFileNames() const;
    // One day file's entries, read under the lock; an error when it cannot be read or decoded.
    Result<QList<KillLogEntry>> readDayFile(const QString& fileName);

    // Writes entries to a file of the user's choice.
    Result<void> exportTo(const QString& path, const QList<KillLogEntry>& entries);

    // Moves every ".json" item to the trash, or deletes it where there is none; the directory
    // and other items stay.
    ClearedLogs clearAll();
    // Brings trashed files back, each under its own name or, when that is taken again, the
    // next free "<day>.<n>.json"; how many came back.
    qsizetype restore(const QList<TrashedFile>& trashed);

    static QString dayFileName(const QDate& day);
    // "yyyy-MM-dd.json" or "yyyy-MM-dd.<n>.json": the names this store writes.
    static bool isDayFileName(const QString& name);
    static QString exportFileName(const QDateTime& localMoment);

private:
    FileDescriptor lockDirectory();
    // The file that took the entries.
    Result<QString> appendToDay(const QDate& day, const QByteArray& added);
    QString freePathFor(const QString& path) const;

    FileSystem& files_;
    QString logsDir_;
    QString lockPath_;
    LogFileAppender appender_;
    // Day files to the file that took their entries last time, where that was another one.
    QHash<QString, QString> detours_;
};
