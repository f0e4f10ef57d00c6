#include "kill_log_store.h"

#include "console_line.h"
#include "file_system.h"
#include "record_json.h"

#include <QMap>
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
      appender_(files, lockPath_) {}

void KillLogStore::createDirectory() {
    files_.makePath(logsDir_);
}

QList<KillLogEntry> KillLogStore::append(const QList<KillLogEntry>& entries) {
    QMap<QDate, QList<KillLogEntry>> byDay;
    for (const KillLogEntry& entry : entries)
        byDay[entry.timestamp.toLocalTime().date()].append(entry);
    if (byDay.isEmpty())
        return {};
    const FileDescriptor lock = lockDirectory();
    QList<KillLogEntry> unwritten;
    for (auto day = byDay.cbegin(); day != byDay.cend(); ++day) {
        const QByteArray added = encodeLogEntries(*day, JsonStyle::prettySorted);
        if (added.isEmpty())
            printLine(QStringLiteral("Could not write %1 kill-log entries: no valid time stamp")
                          .arg(day->size()));
        else if (!appendToDay(day.key(), added))
            unwritten += *day;
    }
    return unwritten;
}

// A day file that cannot be read, decoded or written keeps its bytes: the day goes on in the
// first of "<day>.1.json", "<day>.2.json", ... that takes the entries, which every later flush
// of the day finds again.
bool KillLogStore::appendToDay(const QDate& day, const QByteArray& added) {
    const QString stem = logsDir_ + u'/' + dayStem(day);
    for (int overflow = 0;; ++overflow) {
        const QString path = overflow == 0
                                 ? stem + QLatin1String(".json")
                                 : stem + u'.' + QString::number(overflow) + QLatin1String(".json");
        QString error;
        const LogFileAppender::Result result = appender_.append(path, added, error);
        if (!error.isEmpty())
            printLine(QStringLiteral("Could not write %1: %2").arg(path, error));
        if (result != LogFileAppender::Result::refused)
            return result == LogFileAppender::Result::appended;
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

void KillLogStore::clearAll() {
    const FileDescriptor lock = lockDirectory();
    const std::optional<QStringList> names = files_.list(logsDir_);
    if (!names)
        return;
    for (const QString& name : *names) {
        if (hasJsonExtension(name))
            files_.remove(logsDir_ + u'/' + name);
    }
    appender_.forgetFiles();
}

QString KillLogStore::dayFileName(const QDate& day) {
    return dayStem(day) + QLatin1String(".json");
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
