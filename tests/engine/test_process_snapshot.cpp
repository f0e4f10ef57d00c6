#include "display_name_source.h"
#include "fake_proc_tree.h"
#include "process_runner.h"
#include "process_snapshot.h"

#include <QFile>
#include <QTest>
#include <limits>

namespace {
const QStringList argsRun = {QStringLiteral("/bin/ps"), QStringLiteral("-eo"),
                             QStringLiteral("pid,args")};
const QStringList tableRun = {QStringLiteral("/bin/ps"), QStringLiteral("-eo"),
                              QStringLiteral("pid,uid,rss,comm")};
const QByteArray header = "  PID   UID   RSS COMMAND\n";
constexpr qint64 psPid = 21700; // the ps process of the captured tables

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(ZENTRAV_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
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
    FakeRunner runner;
    FakeProcTree proc;
    FakeDisplayNames names;
    ProcessSnapshotter snapshotter{runner, proc, names, 0, 4242};

    QList<UserProcess> table(const QByteArray& rows, bool currentUserOnly = true) {
        runner.set(tableRun, header + rows);
        return snapshotter.snapshotProcesses(currentUserOnly);
    }
};

QList<UserProcess> parseAll(const QByteArray& output) {
    ProcessTableFilter filter;
    filter.currentUserOnly = false;
    return parseProcessTable(output, filter, {});
}

const UserProcess* findPid(const QList<UserProcess>& rows, qint32 pid) {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [pid](const UserProcess& row) { return row.pid == pid; });
    return found == rows.end() ? nullptr : &*found;
}

QList<qint32> pidsOf(const QList<UserProcess>& rows) {
    QList<qint32> pids;
    for (const UserProcess& row : rows)
        pids.append(row.pid);
    return pids;
}

// Every pid of the captured tables in output order, without the ps process.
QList<qint32> capturedPids() {
    QList<qint32> pids;
    for (qint32 pid = 1; pid <= 59; ++pid)
        if (pid != 25)
            pids.append(pid);
    pids << 62 << 107 << 110 << 1562 << 1563 << 11905 << 21618 << 21676 << 21681 << 21682 << 21690
         << 21691 << 21692 << 21693 << 21694 << 21695 << 21697 << 21698;
    return pids;
}
} // namespace

class TestProcessSnapshot : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void capturedOutput();
    void excludesTheProgramAndItsOwnToolRun();
    void fromProc_data();
    void fromProc();
    void procReadOnceWhileTheProcessStays();
    void tableLine_data();
    void tableLine();
    void tableOutput_data();
    void tableOutput();
    void commandLines_data();
    void commandLines();
    void failedRuns();
    void displayNamesApplied();
};

void TestProcessSnapshot::capturedOutput() {
    World world;
    world.runner.set(argsRun, fixture("ps-args-debian12.txt"), 21701);
    world.runner.set(tableRun, fixture("ps-table-debian12.txt"), psPid);
    world.proc.add(21690, "./bin/a_very_long_executable_name", {},
                   QStringLiteral("/srv/bin/a_very_long_executable_name"));
    world.proc.add(21692, "./bin/name)with) paren");
    world.proc.add(1563, QByteArray("bash\0/dev/fd/3", 14));
    const auto rows = world.snapshotter.snapshotProcesses(false);
    QCOMPARE(world.runner.calls, (QList<QStringList>{argsRun, tableRun}));
    QCOMPARE(pidsOf(rows), capturedPids());

    // pid uid memory name|path|command line, and " other" for other users.
    const QStringList expected = {
        "11 0 0 kworker/0:1-events_power_efficient|kworker/0:1-events_power_efficient|"
        "[kworker/0:1-events_power_efficient]",
        "1563 0 4176 bash|bash|bash /dev/fd/3",
        "21690 0 1796 a_very_long_executable_name|/srv/bin/a_very_long_executable_name|"
        "./bin/a_very_long_executable_name 300",
        "21691 0 1768 my sleep  prog |my sleep  prog |./bin/dir with  spaces/my sleep  prog  300",
        "21692 0 1796 name)with) paren|./bin/name)with) paren|./bin/name)with) paren 300",
        "21693 0 1772 Zürich-Größe|Zürich-Größe|./bin/Zürich-Größe 300",
        "21697 0 0 true|true|[true] <defunct>",
        "21698 65534 1820 sleep|sleep|/bin/sleep 300 other"};
    for (const QString& line : expected) {
        const UserProcess* row = findPid(rows, line.section(u' ', 0, 0).toInt());
        QVERIFY(row && !row->localizedName);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4|%5|%6%7")
                     .arg(row->pid)
                     .arg(row->uid)
                     .arg(row->memoryKB)
                     .arg(row->name, row->path, row->args.value_or(QStringLiteral("<none>")),
                          row->origin == ProcessOrigin::thirdParty ? QString()
                                                                   : QStringLiteral(" other")),
                 line);
    }

    // The scans' variant: one run, the user's rows only, no command lines or paths.
    for (const quint32 uid : {0u, 65534u}) {
        World mine;
        mine.runner.set(tableRun, fixture("ps-table-debian12-C-locale.txt"), 21702);
        mine.proc.add(21690, "./bin/a_very_long_executable_name");
        ProcessSnapshotter snapshotter(mine.runner, mine.proc, mine.names, uid, 4242);
        const auto rows = snapshotter.snapshotProcesses(true);
        QCOMPARE(mine.runner.calls, QList<QStringList>{tableRun});
        QList<qint32> expected = capturedPids();
        expected.removeOne(21698);
        QCOMPARE(pidsOf(rows), uid == 0 ? expected : QList<qint32>{21698});
        for (const UserProcess& row : rows) {
            QCOMPARE(row.uid, uid);
            QCOMPARE(row.origin, ProcessOrigin::thirdParty);
            QVERIFY(!row.args);
        }
        if (uid != 0)
            continue;
        QCOMPARE(findPid(rows, 21693)->name, QStringLiteral("Z??rich-Gr????e"));
        QCOMPARE(findPid(rows, 21690)->name, QStringLiteral("a_very_long_executable_name"));
        QCOMPARE(findPid(rows, 21690)->path, QStringLiteral("a_very_long_exe"));
    }
}

void TestProcessSnapshot::excludesTheProgramAndItsOwnToolRun() {
    FakeRunner runner;
    FakeProcTree proc;
    NoDisplayNames names;
    runner.set(tableRun, fixture("ps-table-debian12.txt"), psPid);
    QList<qint32> expected = capturedPids();
    expected.removeOne(21695);
    QCOMPARE(pidsOf(ProcessSnapshotter(runner, proc, names, 0, 21695).snapshotProcesses(false)),
             expected);
    // Only the pid of this very run is the tool's.
    runner.set(tableRun, fixture("ps-table-debian12.txt"), psPid + 1);
    QCOMPARE(pidsOf(ProcessSnapshotter(runner, proc, names, 0, 4242).snapshotProcesses(false)),
             capturedPids() << psPid);
}

void TestProcessSnapshot::fromProc_data() {
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<QByteArray>("cmdline");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    const auto row = [](const char* tag, const QByteArray& shown, const QByteArray& cmdline,
                        const char* exe, const char* name, const char* path) {
        QTest::newRow(tag) << shown << cmdline << QString::fromUtf8(exe) << QString::fromUtf8(name)
                           << QString::fromUtf8(path);
    };
    row("past the cut", "uxLongVictimPro", QByteArray("/opt/uxLongVictimProcessName\0-v", 31),
        "/opt/real/uxLongVictimProcessName", "uxLongVictimProcessName",
        "/opt/real/uxLongVictimProcessName");
    row("replaced executable", "uxLongVictimPro", "uxLongVictimProcessName",
        "/opt/uxLongVictimProcessName (deleted)", "uxLongVictimProcessName",
        "/opt/uxLongVictimProcessName");
    row("C locale", "Z??rich-Gr????e", "./Zürich-Größe-2", "", "Zürich-Größe-2",
        "./Zürich-Größe-2");
    row("cut inside a character", "abcdefghijklmn?", "abcdefghijklmnöp", "", "abcdefghijklmnöp",
        "abcdefghijklmnöp");
    row("? for a printable byte", "abcdefghijklmn?", "/x/abcdefghijklmnop", "", "abcdefghijklmn?",
        "/x/abcdefghijklmnop");
    row("argv[0] of another program", "a_very_long_exe", "/bin/sh", "", "a_very_long_exe",
        "/bin/sh");
    row("argv[0] no longer", "fifteen-bytes-x", "fifteen-bytes-x", "", "fifteen-bytes-x",
        "fifteen-bytes-x");
    row("argv[0] not UTF-8", "abcdefghijklmno", "abcdefghijklmno\xff", "", "abcdefghijklmno",
        "abcdefghijklmno");
    row("14 bytes", "fourteen-bytes", "fourteen-bytes-and-more", "", "fourteen-bytes",
        "fourteen-bytes");
    row("nothing readable", "kworker-longish", "", "", "kworker-longish", "kworker-longish");
}

// The browser's variant reads the path too; the scans' variant only a cut name's command line.
void TestProcessSnapshot::fromProc() {
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, cmdline);
    QFETCH(QString, exe);
    for (const bool currentUserOnly : {false, true}) {
        World world;
        world.proc.add(5, cmdline, {}, exe);
        const auto rows = world.table("5 0 1 " + shown + '\n', currentUserOnly);
        QCOMPARE(rows.size(), 1);
        QTEST(rows[0].name, "name");
        if (!currentUserOnly) {
            QTEST(rows[0].path, "path");
            continue;
        }
        QCOMPARE(rows[0].path, QString::fromUtf8(shown));
        const QStringList cut = {QStringLiteral("5/cmdline")};
        QCOMPARE(world.proc.reads, shown.size() == 15 ? cut : QStringList());
    }
}

void TestProcessSnapshot::procReadOnceWhileTheProcessStays() {
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

void TestProcessSnapshot::tableLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<qint32>("pid");
    QTest::addColumn<quint32>("uid");
    QTest::addColumn<qint64>("memoryKB");
    QTest::addColumn<QString>("path");
    const auto skipped = [](const char* tag, const QByteArray& line) {
        QTest::newRow(tag) << line << false << 0 << 0u << qint64(0) << QString();
    };
    const auto kept = [](const char* tag, const QByteArray& line, qint32 pid, quint32 uid,
                         qint64 rss, const QString& path) {
        QTest::newRow(tag) << line << true << pid << uid << rss << path;
    };
    constexpr qint64 maxRss = std::numeric_limits<qint64>::max();
    constexpr qint64 minRss = std::numeric_limits<qint64>::min();
    kept("aligned columns", "  123  1000  2048 sleep", 123, 1000, 2048, "sleep");
    kept("command keeps leading spaces and tabs", "7 0 1   x\t", 7, 0, 1, "  x\t");
    kept("plus signs", "+7 +0 +1 x", 7, 0, 1, "x");
    kept("largest values", "2147483647 4294967295 9223372036854775807 x", 2147483647, 4294967295u,
         maxRss, "x");
    kept("smallest rss", "7 0 -9223372036854775808 x", 7, 0, minRss, "x");
    skipped("three pieces and a space", "7 0 1 ");
    skipped("non-numeric pid", "abc 0 1 x");
    skipped("sign only", "7 0 - x");
    skipped("pid out of range", "2147483648 0 1 x");
    skipped("negative uid", "7 -1 1 x");
    skipped("rss out of range", "7 0 9223372036854775808 x");
    skipped("rss that wraps to 1", "7 0 18446744073709551617 x");
    skipped("tab between columns", "7\t0 1 x");
    skipped("tab after a number", "7\t 0 1 x");
    skipped("negative pid", "-7 0 1 x");
}

void TestProcessSnapshot::tableLine() {
    QFETCH(QByteArray, line);
    QFETCH(bool, kept);
    const auto rows = parseAll(header + line + '\n');
    QCOMPARE(rows.size(), kept ? 1 : 0);
    if (!kept)
        return;
    QTEST(rows[0].pid, "pid");
    QTEST(rows[0].uid, "uid");
    QTEST(rows[0].memoryKB, "memoryKB");
    QTEST(rows[0].path, "path");
}

void TestProcessSnapshot::tableOutput_data() {
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QList<qint32>>("pids");
    QTest::newRow("header without line feed") << header.chopped(1) << QList<qint32>{};
    QTest::newRow("first line dropped even when it is a row")
        << QByteArray("\n\n5 0 1 first\n\n6 0 1 second\n\n") << QList<qint32>{6};
    QTest::newRow("no line feed at the end") << header + "5 0 1 a\n6 0 1 b" << QList<qint32>{5, 6};
    QTest::newRow("duplicates kept in order") << header + "6 0 1 a\n5 0 1 b\n6 0 1 c\n"
                                              << QList<qint32>{6, 5, 6};
    QTest::newRow("pid zero and bad line between good ones")
        << header + "5 0 1 a\n0 0 1 z\n5 0 x b\n6 0 1 c\n"
        << QList<qint32>{5, 6};
}

void TestProcessSnapshot::tableOutput() {
    QFETCH(QByteArray, output);
    QTEST(pidsOf(parseAll(output)), "pids");
}

void TestProcessSnapshot::commandLines_data() {
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QHash<qint32, QString>>("expected");
    using Map = QHash<qint32, QString>;
    const QByteArray head = "  PID COMMAND\n";
    QTest::newRow("first line dropped even when it is a row")
        << QByteArray("\n1 first\n2 second") << Map{{2, "second"}};
    QTest::newRow("trimmed, split at the first space only") << head + " \t 42  two  spaces \t \n"
                                                            << Map{{42, " two  spaces"}};
    QTest::newRow("empty command column") << head + "   42    \n42\t\n" << Map{};
    QTest::newRow("later line replaces") << head + "42 first\n43 other\n42 second\n"
                                         << Map{{42, "second"}, {43, "other"}};
    QTest::newRow("bad pids skipped") << head + "x a\n2147483648 b\n7\tc d\n9 ok\n"
                                      << Map{{9, "ok"}};
}

void TestProcessSnapshot::commandLines() {
    QFETCH(QByteArray, output);
    QTEST(parseCommandLines(output), "expected");
}

void TestProcessSnapshot::failedRuns() {
    QVERIFY(parseAll(header + "5 0 1 good\n6 0 1 bad\xff name\n").isEmpty());
    QVERIFY(parseCommandLines("  PID COMMAND\n5 good\n6 bad\xc3\x28\n").isEmpty());

    // Bad command lines cost only the args; the table still counts.
    World world;
    world.runner.set(argsRun, "  PID COMMAND\n5 good\n6 \xed\xa0\x80 surrogate\n");
    const auto rows = world.table("5 0 1 good\n", false);
    QCOMPARE(pidsOf(rows), QList<qint32>{5});
    QVERIFY(!rows[0].args);

    World nothingRuns;
    QVERIFY(nothingRuns.snapshotter.snapshotProcesses(false).isEmpty());
    QVERIFY(nothingRuns.snapshotter.snapshotProcesses(true).isEmpty());
}

void TestProcessSnapshot::displayNamesApplied() {
    World world;
    world.names.names = {{5, QStringLiteral("Five")}, {6, QString()}, {7, QStringLiteral("Tool")}};
    for (const bool currentUserOnly : {false, true}) {
        QStringList shown;
        for (const UserProcess& row : world.table("5 0 1 a\n6 0 1 b\n8 0 1 c\n", currentUserOnly))
            shown << row.localizedName.value_or(QStringLiteral("<none>"));
        QCOMPARE(shown, QStringList({"Five", "<none>", "<none>"}));
    }
}

QTEST_APPLESS_MAIN(TestProcessSnapshot)
#include "test_process_snapshot.moc"
