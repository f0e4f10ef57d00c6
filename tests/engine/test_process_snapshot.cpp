#include "display_name_source.h"
#include "fake_proc_tree.h"
#include "file_system.h"
#include "process_runner.h"
#include "process_snapshot.h"

#include <QTest>

namespace {
const QStringList argsRun = {QStringLiteral("/bin/ps"), QStringLiteral("-eo"),
                             QStringLiteral("pid,args")};
const QStringList tableRun = {QStringLiteral("/bin/ps"), QStringLiteral("-eo"),
                              QStringLiteral("pid,uid,rss,comm")};
const QByteArray header = "  PID   UID   RSS COMMAND\n";

QByteArray fixture(const char* name) {
    return LocalFileSystem()
        .read(QStringLiteral(ZENTRAV_FIXTURES "/") + QLatin1String(name))
        .value_or("");
}

// Prints what is set for a command line, nothing for any other; records every run.
class FakeRunner final : public ProcessRunner {
public:
    std::optional<ToolOutput> run(const QString& program, const QStringList& arguments) override {
        calls.append(QStringList{program} + arguments);
        return outputs.value(calls.last());
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

// "pid uid memory name|path|command line", and " other" for another user's process.
QStringList described(const QList<UserProcess>& rows, const QList<qint32>& pids) {
    QStringList lines;
    for (const UserProcess& row : rows) {
        if (!pids.contains(row.pid))
            continue;
        lines.append(QStringLiteral("%1 %2 %3 %4|%5|%6%7")
                         .arg(row.pid)
                         .arg(row.uid)
                         .arg(row.memoryKB)
                         .arg(row.name, row.path, row.args.value_or(QStringLiteral("-")),
                              row.origin == ProcessOrigin::thirdParty ? QString()
                                                                      : QStringLiteral(" other")));
    }
    return lines;
}
} // namespace

class TestProcessSnapshot : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Tables captured on Debian 12; the program runs as pid 21695, ps as 21700.
    void capturedOutput() {
        World world(0, 21695);
        world.runner.set(argsRun, fixture("ps-args-debian12.txt"));
        world.runner.set(tableRun, fixture("ps-table-debian12.txt"), 21700);
        world.proc.add(21690, "./bin/a_very_long_executable_name", {},
                       QStringLiteral("/srv/bin/a_very_long_executable_name"));
        const auto rows = world.snapshotter.snapshotProcesses(false);
        QCOMPARE(world.runner.calls, (QList<QStringList>{argsRun, tableRun}));
        QCOMPARE(rows.size(), 75);
        QCOMPARE(described(rows, {21695, 21700}), QStringList());
        QCOMPARE(described(rows, {11, 21690, 21691, 21693, 21698}),
                 QStringList({
                     "11 0 0 kworker/0:1-events_power_efficient|kworker/0:1-events_power_efficient|"
                     "[kworker/0:1-events_power_efficient]",
                     "21690 0 1796 a_very_long_executable_name|/srv/bin/a_very_long_executable_"
                     "name|./bin/a_very_long_executable_name 300",
                     "21691 0 1768 my sleep  prog |my sleep  prog |./bin/dir with  spaces/my "
                     "sleep  prog  300",
                     "21693 0 1772 Zürich-Größe|Zürich-Größe|./bin/Zürich-Größe 300",
                     "21698 65534 1820 sleep|sleep|/bin/sleep 300 other",
                 }));

        // The scans' variant: one run, the user's rows only, no command lines or paths.
        World mine(65534);
        mine.runner.set(tableRun, fixture("ps-table-debian12-C-locale.txt"), 21702);
        const auto mineOnly = mine.snapshotter.snapshotProcesses(true);
        QCOMPARE(mineOnly.size(), 1);
        QCOMPARE(described(mineOnly, {21698}), QStringList{"21698 65534 1820 sleep|sleep|-"});
        QCOMPARE(mine.runner.calls, QList<QStringList>{tableRun});
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
        row("C locale", "Z??rich-Gr????e", "./Zürich-Größe-2", "",
            "Zürich-Größe-2|./Zürich-Größe-2");
        row("cut inside a character", "abcdefghijklmn?", "abcdefghijklmnöp", "",
            "abcdefghijklmnöp|abcdefghijklmnöp");
        row("argv[0] of another program", "a_very_long_exe", "/bin/sh", "",
            "a_very_long_exe|/bin/sh");
        row("argv[0] no longer", "fifteen-bytes-x", "fifteen-bytes-x", "",
            "fifteen-bytes-x|fifteen-bytes-x");
        row("argv[0] not UTF-8", "abcdefghijklmno", "abcdefghijklmno\xff", "",
            "abcdefghijklmno|abcdefghijklmno");
        row("14 bytes", "fourteen-bytes", "fourteen-bytes-and-more", "",
            "fourteen-bytes|fourteen-bytes");
        row("three-byte characters", "日本語テス", "日本語テスト", "", "日本語テスト|日本語テスト");
    }

    // The browser's variant reads the path too; the scans' variant only a cut name's command line.
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
            const QStringList cut = {QStringLiteral("5/cmdline")};
            if (currentUserOnly)
                QCOMPARE(world.proc.reads, shown.size() == 15 ? cut : QStringList());
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
        QCOMPARE(std::exchange(world.proc.reads, {}), read);
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
        row("aligned columns", "  123  1000  2048 sleep", "123 1000 2048 sleep");
        row("command keeps leading spaces and tabs", "7 0 1   x\t", "7 0 1   x\t");
        row("plus signs", "+7 +0 +1 x", "7 0 1 x");
        row("largest values", "2147483647 4294967295 9223372036854775807 x",
            "2147483647 4294967295 9223372036854775807 x");
        row("smallest rss", "7 0 -9223372036854775808 x", "7 0 -9223372036854775808 x");
        row("three pieces and a space", "7 0 1 ", "");
        row("sign only", "7 0 - x", "");
        row("pid out of range", "2147483648 0 1 x", "");
        row("negative uid", "7 -1 1 x", "");
        row("rss out of range", "7 0 9223372036854775808 x", "");
        row("rss that wraps to 1", "7 0 18446744073709551617 x", "");
        row("tab between columns", "7\t0 1 x", "");
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

    // Trimmed, split at the first space only, a later line replacing, bad pids skipped.
    void commandLines() {
        const QByteArray output = "  PID COMMAND\n \t 42  two  spaces \t \n   43    \n44\t\n"
                                  "45 first\n45 second\nx a\n2147483648 b\n7\tc d\n";
        QCOMPARE(parseCommandLines(output),
                 (QHash<qint32, QString>{{42, " two  spaces"}, {45, "second"}}));
    }

    void failedRuns() {
        QVERIFY(parseAll(header + "5 0 1 good\n6 0 1 bad\xff name\n").isEmpty());
        QVERIFY(parseCommandLines("  PID COMMAND\n5 good\n6 bad\xc3\x28\n").isEmpty());

        // Bad command lines cost only the args; the table still counts.
        World world;
        world.runner.set(argsRun, "  PID COMMAND\n5 good\n6 \xed\xa0\x80 surrogate\n");
        const auto rows = world.table("5 0 1 good\n", false);
        QCOMPARE(described(rows, {5, 6}), QStringList{"5 0 1 good|good|-"});

        World nothingRuns;
        QVERIFY(nothingRuns.snapshotter.snapshotProcesses(false).isEmpty());
        QVERIFY(nothingRuns.snapshotter.snapshotProcesses(true).isEmpty());
    }

    void displayNamesApplied() {
        World world;
        world.names.names = {{5, "Five"}, {6, QString()}, {7, "Tool"}};
        for (const bool currentUserOnly : {false, true}) {
            QStringList shown;
            for (const UserProcess& row :
                 world.table("5 0 1 a\n6 0 1 b\n8 0 1 c\n", currentUserOnly))
                shown << row.localizedName.value_or(QStringLiteral("-"));
            QCOMPARE(shown, QStringList({"Five", "-", "-"}));
        }
    }
};

QTEST_APPLESS_MAIN(TestProcessSnapshot)
#include "test_process_snapshot.moc"
