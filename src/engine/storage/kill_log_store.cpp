#include "engine/storage/kill_log_store.h"

#include "engine/i18n/console_line.h"
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

void KillLogStore::createDirectory() {
    files_.makePath(logsDir_);
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
            printLine(QStringLiteral("Could not write %1 kill-log entries: no valid time stamp")
                          .arg(day->size()));
            continue;
        }
        const QString dayFile = logsDir_ + u'/' + dayFileName(day.key());
        const QString used = appendToDay(day.key(), added);
        if (used.isEmpty())
            result.unwritten += *day;
        else if (used == dayFile)
            detours_.remove(dayFile);
        else if (std::exchange(detours_[dayFile], used) != used)
            result.detours.append({dayFile, used});
    }
    return result;
}

// A day file that cannot be read, decoded or written keeps its bytes: the day goes on in the
// first of "<day>.1.json", "<day>.2.json", ... that takes the entries, which every later append
// of the day finds again.
QString KillLogStore::appendToDay(const QDate& day, const QByteArray& added) {
    const QString stem = logsDir_ + u'/' + dayStem(day);
    for (int overflow = 0;; ++overflow) {
        const QString path = numberedPath(stem, overflow);
        QString error;
        const LogFileAppender::Result result = appender_.append(path, added, error);
        if (!error.isEmpty())
            printLine(QStringLiteral("Could not write %1: %2").arg(path, error));
        if (result != LogFileAppender::Result::refused)
            return result == LogFileAppender::Result::appended ? path : QString();
    }
}

QList<KillLogEntry> KillLogStore::loadAllLogs() {
    const FileDescriptor lock = lockDirectory();
    const std::optional<QStringList> dayFiles = dayFileNames();
    if (!dayFiles)
        return {};
    QList<KillLogEntry> entries;
    for (const QString& name : *dayFiles) {
        const std::optional<QByteArray> bytes = files_.read(logsDir_ + u'/' + name);
        if (!bytes)
            continue;
        if (const auto decoded = decodeLogEntries(*bytes))
            entries += *decoded;
    }
    return entries;
}

std::optional<QStringList> KillLogStore::dayFileNames() const {
    const std::optional<QStringList> names = files_.list(logsDir_);
    if (!names)
        return std::nullopt;
    QStringList dayFiles;
    std::copy_if(names->cbegin(), names->cend(), std::back_inserter(dayFiles), hasJsonExtension);
    std::sort(dayFiles.begin(), dayFiles.end());
    return dayFiles;
}

// The lock is held while reading, so that no half-added batch is read, and let go before the
// decoding.
std::optional<QList<KillLogEntry>> KillLogStore::readDayFile(const QString& fileName) {
    const std::optional<QByteArray> bytes = [&] {
        const FileDescriptor lock = lockDirectory();
        return files_.read(logsDir_ + u'/' + fileName);
    }();
    return bytes ? decodeLogEntries(*bytes) : std::nullopt;
}

QString KillLogStore::exportTo(const QString& path, const QList<KillLogEntry>& entries) {
    const QByteArray json = encodeLogEntries(entries, JsonStyle::prettySorted);
    if (json.isEmpty())
        return QStringLiteral("A log entry has no valid timestamp");
    return files_.writeAtomically(path, json);
}

ClearedLogs KillLogStore::clearAll() {
    const FileDescriptor lock = lockDirectory();
    ClearedLogs cleared;
    const std::optional<QStringList> names = files_.list(logsDir_);
    if (!names)
        return cleared;
    for (const QString& name : *names) {
        if (!hasJsonExtension(name))
            continue;
        const QString path = logsDir_ + u'/' + name;
        if (const std::optional<QString> inTrash = files_.moveToTrash(path))
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
        restored += files_.restoreFromTrash(file.pathInTrash, freePathFor(file.path)).isEmpty();
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
FileDescriptor KillLogStore::lockDirectory() {
    FileDescriptor lock = files_.lockExclusively(lockPath_);
    appender_.undoUnfinished();
    return lock;
}
