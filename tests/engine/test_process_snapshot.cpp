#include "engine/desktop/display_name_source.h"
#include "engine/process/process_runner.h"
#include "engine/process/process_snapshot.h"
#include "fake_proc_tree.h"

#include <QTest>

namespace {
const QStringList argsRun = {QStringLiteral("/bin/ps"), QStringLiteral("-eo"),
                             QStringLiteral("pid,args")};
const QStringList tableRun = {QStringLiteral("/bin/ps"), QStringLiteral("-eo"),
                              QStringLiteral("pid,uid,rss,comm")};
const QByteArray header = "  PID   UID   RSS COMMAND\n";

// Prints what is set for a command line, nothing for any other; records every run.
class FakeRunner final : public ProcessRunner {
public:
    Result<ToolOutput> run(const QString& program, const QStringList& arguments) override {
        calls.append(QStringList{program} + arguments);
        const auto output = outputs.value(calls.last());
        if (!output)
            return Error{QStringLiteral("no output set"), 0};
        return *output;
    }
    void set(const QStringList& run, const QByteArray& output, qint64 pid = 100) {
        outputs.insert(run, ToolOutput{output, pid});
    }

    QHash<QStringList, std::optional<ToolOutput>> outputs;
    QList<QStringList> calls;
};

class FakeDisplayNames final : public DisplayNameSource {
public:
    QHash<qint32, QString> displayNames(const QList<UserProcess>&) override { return names; }
    QHash<qint32, QString> names;
};

// A snapshotter on a fake table and a fake /proc, kept across snapshots as the monitor keeps it.
struct World {
    explicit World(quint32 uid = 0, qint64 ownPid = 4242)
        : snapshotter(runner, proc, names, uid, ownPid) {}

    QList<UserProcess> table(const QByteArray& rows, bool currentUserOnly = true) {
        runner.set(tableRun, header + rows);
        return snapshotter.snapshotProcesses(currentUserOnly);
    }

    FakeRunner runner;
    FakeProcTree proc;
    FakeDisplayNames names;
    ProcessSnapshotter snapshotter;
};

QList<UserProcess> parseAll(const QByteArray& output) {
    return parseProcessTable(output, {0, false, {}}, {});
}

} // namespace

class TestProcessSnapshot : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The browser's variant runs both tools and keeps every user's rows, with command lines;
    // neither shows this program or the tool run that listed it. Both take the display names.
    void runsAndRowsOfBothVariants() {
        World world(7, 4242);
        world.names.names = {{5, "Five"}, {6, QString()}};
        world.runner.set(argsRun, "  PID COMMAND\n5 five -x\n");
        world.runner.set(tableRun, header + "5 7 1 five\n6 8 1 six\n4242 7 1 me\n100 7 1 ps\n");
        QStringList rows;
        for (const UserProcess& row : world.snapshotter.snapshotProcesses(false))
            rows << row.name + u' ' + row.args.value_or("-") + u' ' +
                        row.localizedName.value_or("-") +
                        (row.origin == ProcessOrigin::thirdParty ? "" : " other");
        QCOMPARE(rows, (QStringList{"five five -x Five", "six - - other"}));
        QCOMPARE(world.runner.calls, (QList<QStringList>{argsRun, tableRun}));
        world.runner.calls.clear();
        const auto mine = world.snapshotter.snapshotProcesses(true);
        QVERIFY(mine.size() == 1 && mine[0].localizedName == u"Five" && !mine[0].args);
        QCOMPARE(world.runner.calls, QList<QStringList>{tableRun});
    }

    void fromProc_data() {
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<QByteArray>("cmdline");
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("named"); // "name|path" in the browser's variant
        const auto row = [](const char* tag, const QByteArray& shown, const QByteArray& cmdline,
                            const char* exe, const char* named) {
            QTest::newRow(tag) << shown << cmdline << QString::fromUtf8(exe)
                               << QString::fromUtf8(named);
        };
        row("past the cut", "uxLongVictimPro", QByteArray("/opt/uxLongVictimProcessName\0-v", 31),
            "/opt/real/uxLongVictimProcessName",
            "uxLongVictimProcessName|/opt/real/uxLongVictimProcessName");
        row("replaced executable", "uxLongVictimPro", "uxLongVictimProcessName",
            "/opt/uxLongVictimProcessName (deleted)",
            "uxLongVictimProcessName|/opt/uxLongVictimProcessName");
        row("bytes of no character", "Z??rich-Gr????e", "./Zürich-Größe-2", "",
            "Zürich-Größe-2|./Zürich-Größe-2");
        row("cut inside a character", "abcdefghijklmn?", "abcdefghijklmnöp", "",
            "abcdefghijklmnöp|abcdefghijklmnöp");
        row("argv[0] rewritten", "uxLongVictimPro", "worker: idle", "/opt/uxLongVictimProcessName",
            "uxLongVictimProcessName|/opt/uxLongVictimProcessName");
        row("neither argv[0] nor the file", "a_very_long_exe", "/bin/sh", "/usr/bin/python3.11",
            "a_very_long_exe|/usr/bin/python3.11");
        row("argv[0] not UTF-8", "abcdefghijklmno", "abcdefghijklmno\xff", "",
            "abcdefghijklmno|abcdefghijklmno");
        row("14 bytes", "fourteen-bytes", "fourteen-bytes-and-more", "",
            "fourteen-bytes|fourteen-bytes");
        row("cut after a four-byte character", "abcdefghijk😀", "abcdefghijk😀z", "",
            "abcdefghijk😀z|abcdefghijk😀z");
    }

    // The browser's variant reads the path too; the scans' variant only what a cut name needs.
    void fromProc() {
        QFETCH(QByteArray, shown);
        QFETCH(QByteArray, cmdline);
        QFETCH(QString, exe);
        QFETCH(QString, named);
        for (const bool currentUserOnly : {false, true}) {
            World world;
            world.proc.add(5, cmdline, {}, exe);
            const auto rows = world.table("5 0 1 " + shown + '\n', currentUserOnly);
            QCOMPARE(rows.size(), 1);
            const QString path =
                currentUserOnly ? QString::fromUtf8(shown) : named.section(u'|', 1);
            QCOMPARE(rows[0].name + u'|' + rows[0].path, named.section(u'|', 0, 0) + u'|' + path);
            const QStringList cut = {QStringLiteral("5/cmdline"), QStringLiteral("5/exe")};
            if (currentUserOnly)
                QCOMPARE(world.proc.reads, shown.size() == 15
                                               ? cut.first(qMax(1, world.proc.reads.size()))
                                               : QStringList());
        }
    }

    void procReadOnceWhileTheProcessStays() {
        World world;
        world.proc.add(5, "/opt/uxLongVictimProcessName");
        const QByteArray rows = "5 0 1 uxLongVictimPro\n6 0 1 short\n";
        const QStringList read = {QStringLiteral("5/cmdline")};
        world.table(rows);
        QCOMPARE(std::exchange(world.proc.reads, {}), read);
        QCOMPARE(world.table(rows)[0].name, QStringLiteral("uxLongVictimProcessName"));
        QVERIFY(world.proc.reads.isEmpty());
        // Another program under that id, or the id back after a scan without it: read again.
        world.table("5 0 1 anotherLongName\n");
        QCOMPARE(std::exchange(world.proc.reads, {}), read + QStringList{"5/exe"});
        world.table("6 0 1 short\n");
        world.table(rows);
        QCOMPARE(world.proc.reads, read);
    }

    // Whole outputs, and single lines after the header.
    void tableOutput_data() {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("rows"); // "pid uid memory path" per row
        const auto row = [](const char* tag, const QByteArray& output, const char* rows) {
            QTest::newRow(tag) << (output.contains('\n') ? output : header + output + '\n')
                               << QString::fromLatin1(rows);
        };
        row("first line dropped even when it is a row", "\n\n5 0 1 first\n\n6 0 1 second\n\n",
            "6 0 1 second");
        row("no line feed at the end", header + "5 0 1 a\n6 0 1 b", "5 0 1 a|6 0 1 b");
        row("duplicates kept in order", header + "6 0 1 a\n5 0 1 b\n6 0 1 c\n",
            "6 0 1 a|5 0 1 b|6 0 1 c");
        row("pid zero and a bad line skipped", header + "5 0 1 a\n0 0 1 z\n5 0 x b\n", "5 0 1 a");
        row("command keeps leading spaces and tabs", "7 0 1   x\t", "7 0 1   x\t");
        row("plus signs", "+7 +0 +1 x", "7 0 1 x");
        row("largest values", "2147483647 4294967295 9223372036854775807 x",
            "2147483647 4294967295 9223372036854775807 x");
        row("smallest rss", "7 0 -9223372036854775808 x", "7 0 -9223372036854775808 x");
        row("three pieces and a space", "7 0 1 ", "");
        row("pid out of range", "2147483648 0 1 x", "");
        row("negative uid", "7 -1 1 x", "");
        row("rss out of range", "7 0 9223372036854775808 x", "");
        row("rss that wraps to 1", "7 0 18446744073709551617 x", "");
        row("tab between columns", "7\t0 1 x", "");
        row("a name not UTF-8 fails the run", header + "5 0 1 good\n6 0 1 bad\xff name\n", "");
    }

    void tableOutput() {
        QFETCH(QByteArray, output);
        QStringList rows;
        for (const UserProcess& row : parseAll(output))
            rows << QStringLiteral("%1 %2 %3 %4")
                        .arg(row.pid)
                        .arg(row.uid)
                        .arg(row.memoryKB)
                        .arg(row.path);
        QTEST(rows.join(u'|'), "rows");
    }

    // Trimmed, split at the first space only, a later line replacing, bad pids skipped; a line
    // not UTF-8 fails them all, which costs only the args: the table still counts.
    void commandLines() {
        const QByteArray output = "  PID COMMAND\n \t 42  two  spaces \t \n   43    \n44\t\n"
                                  "45 first\n45 second\nx a\n2147483648 b\n7\tc d\n";
        QCOMPARE(parseCommandLines(output),
                 (QHash<qint32, QString>{{42, " two  spaces"}, {45, "second"}}));
        QVERIFY(parseCommandLines("  PID COMMAND\n5 good\n6 bad\xc3\x28\n").isEmpty());
        World world;
        world.runner.set(argsRun, "  PID COMMAND\n5 good\n6 \xed\xa0\x80 surrogate\n");
        const auto rows = world.table("5 0 1 good\n", false);
        QVERIFY(rows.size() == 1 && !rows[0].args);
        World nothingRuns;
        QVERIFY(nothingRuns.snapshotter.snapshotProcesses(false).isEmpty());
        QVERIFY(nothingRuns.snapshotter.snapshotProcesses(true).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestProcessSnapshot)
#include "test_process_snapshot.moc"
