#include "kill_log_store.h"

#include "file_system.h"
#include "record_json.h"

#include <algorithm>

namespace {
// Zero-padded ASCII digits whatever the user's locale, so names sort by date.
QString digits(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString dayStem(const QDate& day) {
    return digits(day.year(), 4) + u'-' + digits(day.month(), 2) + u'-' + digits(day.day(), 2);
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

KillLogStore::KillLogStore(FileSystem& files, QString logsDir)
    : files_(files), logsDir_(std::move(logsDir)) {}

void KillLogStore::createDirectory() {
    files_.makePath(logsDir_);
}

// A day file that cannot be read or decoded keeps its bytes: the day goes on in the first of
// "<day>.1.json", "<day>.2.json", ... that is absent or decodes, which every later flush of the
// day finds again.
bool KillLogStore::appendToDay(const QDate& day, const QList<KillLogEntry>& entries) {
    if (entries.isEmpty())
        return true;
    if (!day.isValid())
        return false;
    const QByteArray added = encodeLogEntries(entries, JsonStyle::prettySorted);
    if (added.isEmpty())
        return false;
    const QString stem = logsDir_ + u'/' + dayStem(day);
    for (int overflow = 0;; ++overflow) {
        const QString path = overflow == 0
                                 ? stem + QLatin1String(".json")
                                 : stem + u'.' + QString::number(overflow) + QLatin1String(".json");
        if (!files_.exists(path))
            return files_.writeAtomically(path, added).isEmpty();
        const std::optional<QByteArray> existing = files_.read(path);
        if (!existing)
            continue;
        const std::optional<QByteArray> combined = appendedLogArray(*existing, added);
        if (combined)
            return files_.writeAtomically(path, *combined).isEmpty();
    }
}

QList<KillLogEntry> KillLogStore::loadAllLogs() const {
    const std::optional<QStringList> names = files_.list(logsDir_);
    if (!names)
        return {};
    QStringList dayFiles;
    std::copy_if(names->cbegin(), names->cend(), std::back_inserter(dayFiles), hasJsonExtension);
    std::sort(dayFiles.begin(), dayFiles.end());
    QList<KillLogEntry> entries;
    for (const QString& name : std::as_const(dayFiles)) {
        const std::optional<QByteArray> bytes = files_.read(logsDir_ + u'/' + name);
        if (!bytes)
            continue;
        if (const auto decoded = decodeLogEntries(*bytes))
            entries += *decoded;
    }
    return entries;
}

QString KillLogStore::exportTo(const QString& path, const QList<KillLogEntry>& entries) {
    const QByteArray json = encodeLogEntries(entries, JsonStyle::prettySorted);
    if (json.isEmpty())
        return QStringLiteral("A log entry has no valid timestamp");
    return files_.writeAtomically(path, json);
}

void KillLogStore::clearAll() {
    const std::optional<QStringList> names = files_.list(logsDir_);
    if (!names)
        return;
    for (const QString& name : *names) {
        if (hasJsonExtension(name))
            files_.remove(logsDir_ + u'/' + name);
    }
}

QString KillLogStore::dayFileName(const QDate& day) {
    return dayStem(day) + QLatin1String(".json");
}

QString KillLogStore::exportFileName(const QDateTime& localMoment) {
    const QDate date = localMoment.date();
    const QTime time = localMoment.time();
    return QStringLiteral("kill-log-all-") + dayStem(date) + u'_' + digits(time.hour(), 2) +
           digits(time.minute(), 2) + digits(time.second(), 2) + QLatin1String(".json");
}
