#pragma once

#include "engine/storage/file_system.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <optional>

// Adds entries to log arrays on disk at a cost that follows the entries, not the file. A file
// this object wrote and checked last, and that nobody changed since (same stamp), is extended in
// place after a look at its last bytes; any other file is checked whole and replaced atomically.
// Before an in-place write the bytes it replaces go into a note, so that an append cut off at
// any byte (the program or the power ended within it) is undone by the next user of the note.
// Only a note that names a log file in the note's own folder, and the end of an array there, is
// followed. Callers hold an exclusive lock around every use, so that no other writer runs in
// between.
class LogFileAppender {
public:
    enum class Outcome {
        appended,
        // The file is damaged, unreadable or unwritable and keeps its bytes; try another.
        refused
    };

    // `isLogFileName` tells the names of the files this appender may be asked to extend.
    LogFileAppender(FileSystem& files, QString notePath,
                    std::function<bool(const QString& fileName)> isLogFileName);

    // Appends `added`, a non-empty log array as encodeLogEntries writes it pretty-printed, to
    // the array at `path`, which is made when missing. An error when a new file could not be
    // made: no other would fare better. A write that failed is told on the engine's log, once
    // per change of the file.
    Result<Outcome> append(const QString& path, const QByteArray& added);

    // Undoes an in-place append that did not end, if the note holds one.
    void undoUnfinished();
    // For files that were deleted: they will be checked whole when they come back.
    void forgetFiles();

private:
    std::optional<Outcome> appendInPlace(const QString& path, qint64 size, const QByteArray& added);
    bool writeNote(const QByteArray& note);
    Outcome refuse(const QString& path);
    void remember(const QString& path);

    FileSystem& files_;
    QString notePath_;
    std::function<bool(const QString&)> isLogFileName_;
    bool isNoteClear_ = false;
    bool isNoteNamed_ = false;
    // Files as they were when this object last wrote and checked them, or refused them.
    QHash<QString, FileStamp> verified_;
    QHash<QString, FileStamp> refused_;
};
