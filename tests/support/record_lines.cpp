#include "record_lines.h"

#include "engine/storage/record_json.h"

QStringList recordLines(const QList<TargetProcess>& targets) {
    QStringList lines;
    for (const TargetProcess& t : targets)
        lines << QStringLiteral("%1|%2|%3|%4")
                     .arg(t.id.toString(), t.name, matchModeRawValue(t.matchMode))
                     .arg(t.isEnabled);
    return lines;
}

QStringList recordLines(const QList<KillLogEntry>& entries) {
    QStringList lines;
    for (const KillLogEntry& e : entries)
        lines << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(e.id.toString(), e.timestamp.toUTC().toString(Qt::ISODateWithMs),
                          e.processName)
                     .arg(e.pid)
                     .arg(e.success)
                     .arg(e.message);
    return lines;
}

QStringList pidsOf(const QList<KillLogEntry>& entries) {
    QStringList pids;
    for (const KillLogEntry& entry : entries)
        pids << QString::number(entry.pid);
    return pids;
}

QByteArray pretty(const QList<KillLogEntry>& entries) {
    return encodeLogEntries(entries, JsonStyle::prettySorted);
}
