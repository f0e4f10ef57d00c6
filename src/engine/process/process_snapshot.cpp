#include "engine/process/process_snapshot.h"

#include "engine/base/engine_log.h"
#include "engine/desktop/display_name_source.h"
#include "engine/process/proc_reader.h"
#include "engine/process/process_runner.h"
#include "engine/process/task_name.h"

#include <QFile>
#include <algorithm>
#include <limits>
#include <type_traits>

namespace {
const QString psProgram = QStringLiteral("/bin/ps");

// Decimal digits with an optional sign, nothing else; false when out of range. Not
// QByteArrayView::toInt and kin: they take white space around the number ("7\t") and parse a
// table a third slower.
template <typename Int> bool parseDecimal(QByteArrayView text, Int& value) {
    using Wide = std::conditional_t<std::is_signed_v<Int>, qint64, quint64>;
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    // Magnitude limit: one more than the maximum for negatives of a signed type.
    quint64 limit = quint64(std::numeric_limits<Int>::max());
    if (negative)
        limit = std::is_signed_v<Int> ? limit + 1 : 0;
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        const quint64 digit = quint64(c - '0');
        // Checked before multiplying: a wrapped 64-bit value could look in range.
        if (digit > limit || magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    // Negated one below the magnitude so that the minimum of the type does not overflow.
    if (negative && magnitude > 0)
        value = Int(-Wide(magnitude - 1) - 1);
    else
        value = Int(magnitude);
    return true;
}

// Calls visit(line) for every non-empty line after the first non-empty one.
template <typename Visit> void forEachRow(QByteArrayView output, Visit visit) {
    bool headerSeen = false;
    qsizetype start = 0;
    while (start < output.size()) {
        qsizetype end = output.indexOf('\n', start);
        if (end < 0)
            end = output.size();
        const QByteArrayView line = output.sliced(start, end - start);
        start = end + 1;
        if (line.isEmpty())
            continue;
        if (headerSeen)
            visit(line);
        headerSeen = true;
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedBlanks(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

struct TableLine {
    QByteArrayView pid;
    QByteArrayView uid;
    QByteArrayView rss;
    QByteArrayView command;
};

// Three space-separated words, then the rest of the line exactly as printed.
bool splitTableLine(QByteArrayView line, TableLine& pieces) {
    QByteArrayView* words[] = {&pieces.pid, &pieces.uid, &pieces.rss};
    qsizetype i = 0;
    for (QByteArrayView* word : words) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const qsizetype begin = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        // The command follows the space that ends the third word; without it there is none.
        if (i == begin || i == line.size())
            return false;
        *word = line.sliced(begin, i - begin);
    }
    pieces.command = line.sliced(i + 1);
    return !pieces.command.isEmpty();
}
} // namespace

QHash<qint32, QString> parseCommandLines(QByteArrayView output) {
    QHash<qint32, QString> commandLines;
    if (!output.isValidUtf8())
        return commandLines;
    forEachRow(output, [&](QByteArrayView line) {
        const QByteArrayView trimmed = trimmedBlanks(line);
        const qsizetype space = trimmed.indexOf(' ');
        qint32 pid = 0;
        if (space < 0 || !parseDecimal(trimmed.first(space), pid))
            return;
        commandLines.insert(pid, QString::fromUtf8(trimmed.sliced(space + 1)));
    });
    return commandLines;
}

QList<UserProcess> parseProcessTable(QByteArrayView output, const ProcessTableFilter& filter,
                                     const QHash<qint32, QString>& commandLines) {
    QList<UserProcess> rows;
    if (!output.isValidUtf8())
        return rows;
    // Room for every line at once: growing step by step moves every row again and again.
    rows.reserve(std::count(output.begin(), output.end(), '\n') + 1);
    forEachRow(output, [&](QByteArrayView line) {
        TableLine pieces;
        UserProcess row;
        if (!splitTableLine(line, pieces) || !parseDecimal(pieces.pid, row.pid) ||
            !parseDecimal(pieces.uid, row.uid) || !parseDecimal(pieces.rss, row.memoryKB))
            return;
        if (row.pid <= 0 || filter.excludedPids.contains(row.pid))
            return;
        if (filter.currentUserOnly && row.uid != filter.currentUid)
            return;
        row.path = QString::fromUtf8(pieces.command);
        // The column is the kernel's task name, not a path: "kworker/0:1" is a name of its own.
        // A name cut at 15 bytes is completed from /proc afterwards.
        row.name = row.path;
        if (const auto args = commandLines.constFind(row.pid); args != commandLines.cend())
            row.args = *args;
        row.origin =
            row.uid == filter.currentUid ? ProcessOrigin::thirdParty : ProcessOrigin::system;
        rows.append(std::move(row));
    });
    return rows;
}

ProcessSnapshotter::ProcessSnapshotter(ProcessRunner& runner, const ProcReader& proc,
                                       DisplayNameSource& displayNames, quint32 currentUid,
                                       qint64 ownPid)
    : runner_(runner), proc_(proc), displayNames_(displayNames), currentUid_(currentUid),
      ownPid_(ownPid) {}

QList<UserProcess> ProcessSnapshotter::snapshotProcesses(bool currentUserOnly) {
    QHash<qint32, QString> commandLines;
    if (!currentUserOnly) {
        if (const auto run =
                runner_.run(psProgram, {QStringLiteral("-eo"), QStringLiteral("pid,args")}))
            commandLines = parseCommandLines(run->standardOutput);
    }

    const auto table =
        runner_.run(psProgram, {QStringLiteral("-eo"), QStringLiteral("pid,uid,rss,comm")});
    if (!table) {
        qCWarning(engineLog).noquote() << table.error().reason;
        return {};
    }
    // The tool lists itself; by the time anything is signalled it has ended and its id is free.
    ProcessTableFilter filter;
    filter.currentUid = currentUid_;
    filter.currentUserOnly = currentUserOnly;
    filter.excludedPids = {ownPid_, table->pid};
    QList<UserProcess> rows = parseProcessTable(table->standardOutput, filter, commandLines);

    for (UserProcess& row : rows)
        completeFromProc(row, !currentUserOnly);
    fullNames_.endSnapshot();

    const QHash<qint32, QString> displayNames = displayNames_.displayNames(rows);
    if (!displayNames.isEmpty()) {
        for (UserProcess& row : rows) {
            const auto name = displayNames.constFind(row.pid);
            if (name != displayNames.cend() && !name->isEmpty())
                row.localizedName = *name;
        }
    }
    return rows;
}

// Only cut names and the browser's paths cost a read; every other row of a scan costs none.
void ProcessSnapshotter::completeFromProc(UserProcess& row, bool withPath) {
    std::optional<QByteArray> argv0;
    const auto readArgv0 = [&]() -> const QByteArray& {
        if (!argv0)
            argv0 = argumentZero(proc_, row.pid);
        return *argv0;
    };
    std::optional<QString> executable;
    const auto readExecutable = [&]() -> const QString& {
        if (!executable)
            executable = proc_.executable(row.pid);
        return *executable;
    };
    if (isCutTaskName(row.name)) {
        std::optional<QString>& name = fullNames_[row];
        // A program may rewrite its argv[0]; the file it runs keeps the name it started under.
        if (!name)
            name = fullTaskName(row.name, readArgv0());
        if (!name)
            name = fullTaskName(row.name, QFile::encodeName(readExecutable())).value_or(row.name);
        row.name = *name;
    }
    if (!withPath)
        return;
    row.path = readExecutable();
    if (row.path.isEmpty())
        row.path = readArgv0().contains('/') ? QFile::decodeName(readArgv0()) : row.name;
}
