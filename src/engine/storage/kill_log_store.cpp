#include "engine/storage/kill_log_store.h"

#include "engine/base/engine_log.h"
#include "engine/storage/file_system.h"
#include "engine/storage/record_json.h"

#include <QMap>
#include <QRegularExpression>
#include <algorithm>

namespace {
// Gregorian, ASCII digits, whatever the user's locale, so that names sort by date.
QString dayStem(const QDate& day) {
    return day.toString(u"yyyy-MM-dd");
}

bool hasJsonExtension(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot >= 0 && QStringView(fileName).sliced(dot + 1) == u"json";
}

// "<stem>.json", then "<stem>.1.json", "<stem>.2.json", ...
QString numberedPath(const QString& stem, int number) {
    return number == 0 ? stem + QLatin1String(".json")
                       : stem + u'.' + QString::number(number) + QLatin1String(".json");
}
} // namespace

QList<KillLogEntry> withBatchInFront(const QList<KillLogEntry>& log,
                                     const QList<KillLogEntry>& batch) {
    if (batch.isEmpty())
        return log;
    QList<KillLogEntry> combined = batch.first(std::min(batch.size(), killLogCapacity));
    combined += log.first(std::min(log.size(), killLogCapacity - combined.size()));
    return combined;
}

// The lock file is also the appender's note, the one place every writer looks first.
KillLogStore::KillLogStore(FileSystem& files, QString logsDir)
    : files_(files), logsDir_(std::move(logsDir)), lockPath_(logsDir_ + QLatin1String("/.lock")),
      appender_(files, lockPath_, &KillLogStore::isDayFileName) {}

Result<void> KillLogStore::createDirectory() {
    return files_.makePath(logsDir_);
}

LogAppend KillLogStore::append(const QList<KillLogEntry>& entries) {
    QMap<QDate, QList<KillLogEntry>> byDay;
    for (const KillLogEntry& entry : entries)
        byDay[entry.timestamp.toLocalTime().date()].append(entry);
    if (byDay.isEmpty())
        return {};
    const FileDescriptor lock = lockDirectory();
    LogAppend result;
    for (auto day = byDay.cbegin(); day != byDay.cend(); ++day) {
        const QByteArray added = encodeLogEntries(*day, JsonStyle::prettySorted);
        if (added.isEmpty()) {
            qCWarning(engineLog).noquote()
                << QStringLiteral("Could not write %1 kill-log entries: no valid time stamp")
                       .arg(day->size());
            continue;
        }
        const QString dayFile = logsDir_ + u'/' + dayFileName(day.key());
        const Result<QString> used = appendToDay(day.key(), added);
        if (!used) {
            result.unwritten += *day;
            result.reason = used.error().reason;
        } else if (*used == dayFile) {
            detours_.remove(dayFile);
        } else if (std::exchange(detours_[dayFile], *used) != *used) {
            result.detours.append({dayFile, *used});
        }
    }
    return result;
}

// A day file that cannot be read, decoded or written keeps its bytes: the day goes on in the
// first of "<day>.1.json", "<day>.2.json", ... that takes the entries, which every later append
// of the day finds again.
Result<QString> KillLogStore::appendToDay(const QDate& day, const QByteArray& added) {
    const QString stem = logsDir_ + u'/' + dayStem(day);
    for (int overflow = 0;; ++overflow) {
        const QString path = numberedPath(stem, overflow);
        const Result<LogFileAppender::Outcome> outcome = appender_.append(path, added);
        if (!outcome)
            return outcome.error();
        if (*outcome == LogFileAppender::Outcome::appended)
            return path;
    }
}

Result<QList<KillLogEntry>> KillLogStore::loadAllLogs() {
    const FileDescriptor lock = lockDirectory();
    const Result<QStringList> dayFiles = dayFileNames();
    if (!dayFiles)
        return dayFiles.error();
    QList<KillLogEntry> entries;
    for (const QString& name : *dayFiles) {
        const Result<QByteArray> bytes = files_.read(logsDir_ + u'/' + name);
        if (!bytes)
            continue;
        if (const auto decoded = decodeLogEntries(*bytes))
            entries += *decoded;
    }
    return entries;
}

Result<QStringList> KillLogStore::dayFileNames() const {
    const Result<QStringList> names = files_.list(logsDir_);
    if (!names)
        return names.error();
    QStringList dayFiles;
    std::copy_if(names->cbegin(), names->cend(), std::back_inserter(dayFiles), hasJsonExtension);
    std::sort(dayFiles.begin(), dayFiles.end());
    return dayFiles;
}

// The lock is held while reading, so that no half-added batch is read, and let go before the
// decoding.
Result<QList<KillLogEntry>> KillLogStore::readDayFile(const QString& fileName) {
    const Result<QByteArray> bytes = [&] {
        const FileDescriptor lock = lockDirectory();
        return files_.read(logsDir_ + u'/' + fileName);
    }();
    if (!bytes)
        return bytes.error();
    std::optional<QList<KillLogEntry>> entries = decodeLogEntries(*bytes);
    if (!entries)
        return Error{QStringLiteral("%1 holds no kill log").arg(fileName)};
    return std::move(*entries);
}

Result<void> KillLogStore::exportTo(const QString& path, const QList<KillLogEntry>& entries) {
    const QByteArray json = encodeLogEntries(entries, JsonStyle::prettySorted);
    if (json.isEmpty())
        return Error{QStringLiteral("A log entry has no valid timestamp")};
    return files_.writeAtomically(path, json);
}

ClearedLogs KillLogStore::clearAll() {
    const FileDescriptor lock = lockDirectory();
    ClearedLogs cleared;
    const Result<QStringList> names = files_.list(logsDir_);
    if (!names)
        return cleared;
    for (const QString& name : *names) {
        if (!hasJsonExtension(name))
            continue;
        const QString path = logsDir_ + u'/' + name;
        if (const Result<QString> inTrash = files_.moveToTrash(path))
            cleared.trashed.append({path, *inTrash});
        else if (files_.remove(path))
            ++cleared.deleted;
    }
    appender_.forgetFiles();
    detours_.clear();
    return cleared;
}

qsizetype KillLogStore::restore(const QList<TrashedFile>& trashed) {
    const FileDescriptor lock = lockDirectory();
    qsizetype restored = 0;
    for (const TrashedFile& file : trashed)
        restored += files_.restoreFromTrash(file.pathInTrash, freePathFor(file.path)).hasValue();
    appender_.forgetFiles();
    return restored;
}

// A day that went on after the clear keeps its file; the file that comes back takes the next
// free name of its day.
QString KillLogStore::freePathFor(const QString& path) const {
    const QString name = path.sliced(logsDir_.size() + 1);
    const QString stem = logsDir_ + u'/' + name.section(u'.', 0, 0);
    QString free = path;
    for (int number = 1; files_.exists(free); ++number)
        free = numberedPath(stem, number);
    return free;
}

QString KillLogStore::dayFileName(const QDate& day) {
    return dayStem(day) + QLatin1String(".json");
}

bool KillLogStore::isDayFileName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}(\\.[1-9]\\d*)?\\.json$"));
    return pattern.match(name).hasMatch();
}

QString KillLogStore::exportFileName(const QDateTime& localMoment) {
    return QStringLiteral("kill-log-all-") + localMoment.toString(u"yyyy-MM-dd_HHmmss") +
           QLatin1String(".json");
}

// An append that a crash cut short is undone before anything else reads or writes.
// Without the lock (the directory is gone or read-only) the work goes on, as nothing it writes
// could land there either.
FileDescriptor KillLogStore::lockDirectory() {
    Result<FileDescriptor> lock = files_.lockExclusively(lockPath_);
    if (!lock)
        qCWarning(engineLog).noquote()
            << QStringLiteral("Could not lock %1: %2").arg(lockPath_, lock.error().reason);
    appender_.undoUnfinished();
    return lock ? std::move(*lock) : FileDescriptor();
}
