#include "display_name_source.h"
#include "process_runner.h"
#include "process_snapshot.h"

#include <QFile>
#include <QTest>
#include <limits>

namespace {
const QString ps = QStringLiteral("/bin/ps");
const QStringList argsRun = {QStringLiteral("-eo"), QStringLiteral("pid,args")};
const QStringList tableRun = {QStringLiteral("-eo"), QStringLiteral("pid,uid,rss,comm")};
const QByteArray header = "  PID   UID   RSS COMMAND\n";
// Pid of the ps process in each captured table.
constexpr qint64 psPidUtf8 = 21700;
constexpr qint64 psPidCLocale = 21702;

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(ZENTRAV_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

class FakeRunner final : public ProcessRunner {
public:
    std::optional<ToolOutput> run(const QString& program, const QStringList& arguments) override {
        calls.append(QStringList{program} + arguments);
        return outputs.value(arguments.join(u' '));
    }
    void set(const QStringList& arguments, const QByteArray& output, qint64 pid) {
        outputs.insert(arguments.join(u' '), ToolOutput{output, pid});
    }

    QHash<QString, std::optional<ToolOutput>> outputs;
    QList<QStringList> calls;
};

class FakeDisplayNames final : public DisplayNameSource {
public:
    QHash<qint32, QString> displayNames() override { return names; }
    QHash<qint32, QString> names;
};

const UserProcess* findPid(const QList<UserProcess>& rows, qint32 pid) {
    for (const UserProcess& row : rows)
        if (row.pid == pid)
            return &row;
    return nullptr;
}

QList<qint32> pidsOf(const QList<UserProcess>& rows) {
    QList<qint32> pids;
    for (const UserProcess& row : rows)
        pids.append(row.pid);
    return pids;
}

QString orNone(const std::optional<QString>& text) {
    return text.value_or(QStringLiteral("<none>"));
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

QList<UserProcess> parseAll(const QByteArray& output) {
    ProcessTableFilter filter;
    filter.currentUid = 0;
    filter.currentUserOnly = false;
    return parseProcessTable(output, filter, {}, {});
}
} // namespace

class TestProcessSnapshot : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void browserVariantOfCapturedOutput_data();
    void browserVariantOfCapturedOutput();
    void currentUserVariant_data();
    void currentUserVariant();
    void capturedCLocaleOutput();
    void excludedPids_data();
    void excludedPids();
    void tableLine_data();
    void tableLine();
    void tableOutput_data();
    void tableOutput();
    void commandLines_data();
    void commandLines();
    void invalidUtf8FailsTheWholeRun();
    void toolThatCannotStart();
    void displayNamesApplied();
    void nameOfACommandWithSlashes();
};

void TestProcessSnapshot::browserVariantOfCapturedOutput_data() {
    QTest::addColumn<qint32>("pid");
    QTest::addColumn<quint32>("uid");
    QTest::addColumn<qint64>("memoryKB");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("args");

    QTest::newRow("init") << 1 << 0u << qint64(10440) << "process_api"
                          << "/process_api --firecracker-init --addr 0.0.0.0:2024 "
                             "--max-ws-buffer-size 32768 --block-local-connections "
                             "--log-vsock-port 5002 --control-vsock-port 5001 "
                             "--listen-vsock-port 2024 --tcp-readiness-only --auth-required";
    QTest::newRow("kworker keeps its slash")
        << 11 << 0u << qint64(0) << "kworker/0:1-events_power_efficient"
        << "[kworker/0:1-events_power_efficient]";
    QTest::newRow("slash at the end") << 16 << 0u << qint64(0) << "rcu_exp_par_gp_kthread_worker/0"
                                      << "[rcu_exp_par_gp_kthread_worker/0]";
    QTest::newRow("colon and dash") << 53 << 0u << qint64(0) << "irq/24-ACPI:Ged"
                                    << "[irq/24-ACPI:Ged]";
    QTest::newRow("shell") << 1563 << 0u << qint64(4176) << "bash"
                           << "bash /dev/fd/3";
    QTest::newRow("cut to 15") << 21690 << 0u << qint64(1796) << "a_very_long_exe"
                               << "./bin/a_very_long_executable_name 300";
    QTest::newRow("spaces inside and at the end")
        << 21691 << 0u << qint64(1768) << "my sleep  prog "
        << "./bin/dir with  spaces/my sleep  prog  300";
    QTest::newRow("parentheses") << 21692 << 0u << qint64(1796) << "name)with) pare"
                                 << "./bin/name)with) paren 300";
    QTest::newRow("utf-8") << 21693 << 0u << qint64(1772) << "Zürich-Größe"
                           << "./bin/Zürich-Größe 300";
    QTest::newRow("zombie") << 21697 << 0u << qint64(0) << "true"
                            << "[true] <defunct>";
    QTest::newRow("other user") << 21698 << 65534u << qint64(1820) << "sleep"
                                << "/bin/sleep 300";
}

void TestProcessSnapshot::browserVariantOfCapturedOutput() {
    QFETCH(qint32, pid);
    QFETCH(quint32, uid);
    QFETCH(qint64, memoryKB);
    QFETCH(QString, command);
    QFETCH(QString, args);

    FakeRunner runner;
    runner.set(argsRun, fixture("ps-args-debian12.txt"), 21701);
    runner.set(tableRun, fixture("ps-table-debian12.txt"), psPidUtf8);
    NoDisplayNames names;
    const auto rows = ProcessSnapshotter(runner, names, 0, 4242).snapshotProcesses(false);

    QCOMPARE(runner.calls,
             (QList<QStringList>{QStringList{ps} + argsRun, QStringList{ps} + tableRun}));
    QCOMPARE(pidsOf(rows), capturedPids());
    const UserProcess* row = findPid(rows, pid);
    QVERIFY(row);
    QCOMPARE(row->uid, uid);
    QCOMPARE(row->memoryKB, memoryKB);
    QCOMPARE(row->path, command);
    QCOMPARE(row->name, command);
    QCOMPARE(orNone(row->args), args);
    QVERIFY(!row->localizedName);
    QCOMPARE(row->origin, uid == 0 ? ProcessOrigin::thirdParty : ProcessOrigin::system);
}

void TestProcessSnapshot::currentUserVariant_data() {
    QTest::addColumn<quint32>("currentUid");
    QTest::addColumn<QList<qint32>>("pids");

    QList<qint32> rootPids = capturedPids();
    rootPids.removeOne(21698);
    QTest::newRow("root") << 0u << rootPids;
    QTest::newRow("nobody") << 65534u << QList<qint32>{21698};
    QTest::newRow("nobody else") << 1000u << QList<qint32>{};
}

void TestProcessSnapshot::currentUserVariant() {
    QFETCH(quint32, currentUid);
    QFETCH(QList<qint32>, pids);

    FakeRunner runner;
    runner.set(argsRun, fixture("ps-args-debian12.txt"), 21701);
    runner.set(tableRun, fixture("ps-table-debian12.txt"), psPidUtf8);
    NoDisplayNames names;
    const auto rows = ProcessSnapshotter(runner, names, currentUid, 4242).snapshotProcesses(true);

    QCOMPARE(runner.calls, QList<QStringList>{QStringList{ps} + tableRun});
    QCOMPARE(pidsOf(rows), pids);
    for (const UserProcess& row : rows) {
        QCOMPARE(row.uid, currentUid);
        QCOMPARE(row.origin, ProcessOrigin::thirdParty);
        QVERIFY(!row.args);
    }
}

void TestProcessSnapshot::capturedCLocaleOutput() {
    FakeRunner runner;
    runner.set(tableRun, fixture("ps-table-debian12-C-locale.txt"), psPidCLocale);
    NoDisplayNames names;
    const auto rows = ProcessSnapshotter(runner, names, 0, 4242).snapshotProcesses(false);

    QCOMPARE(pidsOf(rows), capturedPids());
    QCOMPARE(findPid(rows, 21693)->name, QStringLiteral("Z??rich-Gr????e"));
    QCOMPARE(findPid(rows, 21691)->path, QStringLiteral("my sleep  prog "));
    for (const UserProcess& row : rows)
        QVERIFY(!row.args);
}

void TestProcessSnapshot::excludedPids_data() {
    QTest::addColumn<qint64>("ownPid");
    QTest::addColumn<qint64>("toolPid");
    QTest::addColumn<QList<qint32>>("missing");

    QTest::newRow("the tool's own row") << qint64(4242) << psPidUtf8 << QList<qint32>{21700};
    QTest::newRow("the program and the tool")
        << qint64(21695) << psPidUtf8 << QList<qint32>{21695, 21700};
    QTest::newRow("another tool pid") << qint64(4242) << qint64(4243) << QList<qint32>{};
}

void TestProcessSnapshot::excludedPids() {
    QFETCH(qint64, ownPid);
    QFETCH(qint64, toolPid);
    QFETCH(QList<qint32>, missing);

    FakeRunner runner;
    runner.set(tableRun, fixture("ps-table-debian12.txt"), toolPid);
    NoDisplayNames names;
    const auto rows = ProcessSnapshotter(runner, names, 0, ownPid).snapshotProcesses(false);

    QList<qint32> expected = capturedPids() << 21700;
    for (qint32 pid : missing)
        expected.removeOne(pid);
    QCOMPARE(pidsOf(rows), expected);
}

void TestProcessSnapshot::tableLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<qint32>("pid");
    QTest::addColumn<quint32>("uid");
    QTest::addColumn<qint64>("memoryKB");
    QTest::addColumn<QString>("path");

    auto skipped = [](const char* tag, const QByteArray& line) {
        QTest::newRow(tag) << line << false << 0 << 0u << qint64(0) << QString();
    };
    auto kept = [](const char* tag, const QByteArray& line, qint32 pid, quint32 uid, qint64 rss,
                   const QString& path) {
        QTest::newRow(tag) << line << true << pid << uid << rss << path;
    };

    kept("aligned columns", "  123  1000  2048 sleep", 123, 1000, 2048, "sleep");
    kept("command keeps leading spaces", "7 0 1   x", 7, 0, 1, "  x");
    kept("command of spaces only", "7 0 1   ", 7, 0, 1, "  ");
    kept("command with tabs", "7 0 1 a\tb\t", 7, 0, 1, "a\tb\t");
    kept("plus signs", "+7 +0 +1 x", 7, 0, 1, "x");
    kept("largest values", "2147483647 4294967295 9223372036854775807 x", 2147483647, 4294967295u,
         std::numeric_limits<qint64>::max(), "x");
    kept("path", "9 501 10 /Applications/My App.app/Contents/MacOS/My App", 9, 501, 10,
         "/Applications/My App.app/Contents/MacOS/My App");
    skipped("three pieces", "7 0 1");
    skipped("three pieces and a space", "7 0 1 ");
    skipped("non-numeric pid", "abc 0 1 x");
    skipped("non-numeric uid", "7 root 1 x");
    skipped("non-numeric rss", "7 0 1.5M x");
    skipped("empty rss is not zero", "7 0 - x");
    skipped("pid out of range", "2147483648 0 1 x");
    skipped("uid out of range", "7 4294967296 1 x");
    skipped("negative uid", "7 -1 1 x");
    skipped("rss out of range", "7 0 9223372036854775808 x");
    skipped("rss that wraps to 1", "7 0 18446744073709551617 x");
    kept("smallest rss", "7 0 -9223372036854775808 x", 7, 0, std::numeric_limits<qint64>::min(),
         "x");
    skipped("huge pid", "99999999999999999999999 0 1 x");
    skipped("sign only", "- 0 1 x");
    skipped("tab between columns", "7\t0 1 x");
    skipped("pid zero", "0 0 1 x");
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

    QTest::newRow("empty") << QByteArray() << QList<qint32>{};
    QTest::newRow("line feeds only") << QByteArray("\n\n\n") << QList<qint32>{};
    QTest::newRow("header only") << header << QList<qint32>{};
    QTest::newRow("header without line feed") << header.chopped(1) << QList<qint32>{};
    QTest::newRow("first line dropped even when it is a row")
        << QByteArray("5 0 1 first\n6 0 1 second\n") << QList<qint32>{6};
    QTest::newRow("empty lines dropped before the header")
        << QByteArray("\n\n5 0 1 first\n\n6 0 1 second\n\n") << QList<qint32>{6};
    QTest::newRow("no line feed at the end") << header + "5 0 1 a\n6 0 1 b" << QList<qint32>{5, 6};
    QTest::newRow("duplicates kept in order") << header + "6 0 1 a\n5 0 1 b\n6 0 1 c\n"
                                              << QList<qint32>{6, 5, 6};
    QTest::newRow("bad line between good ones") << header + "5 0 1 a\n5 0 x b\n6 0 1 c\n"
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
    QTest::newRow("empty") << QByteArray() << Map{};
    QTest::newRow("header only") << head << Map{};
    QTest::newRow("first line dropped even when it is a row")
        << QByteArray("\n1 first\n2 second") << Map{{2, "second"}};
    QTest::newRow("trimmed of spaces and tabs") << head + " \t 42 sleep 300 \t \n"
                                                << Map{{42, "sleep 300"}};
    QTest::newRow("split at the first space only") << head + "42  two  spaces\n"
                                                   << Map{{42, " two  spaces"}};
    QTest::newRow("empty command column") << head + "   42    \n42\t\n" << Map{};
    QTest::newRow("later line replaces") << head + "42 first\n43 other\n42 second\n"
                                         << Map{{42, "second"}, {43, "other"}};
    QTest::newRow("signs") << head + "+7 plus\n-8 minus\n" << Map{{7, "plus"}, {-8, "minus"}};
    QTest::newRow("bad pids skipped") << head + "x a\n2147483648 b\n7\tc d\n9 ok\n"
                                      << Map{{9, "ok"}};
    QTest::newRow("utf-8") << head + "5 ./bin/Zürich-Größe 300\n"
                           << Map{{5, QStringLiteral("./bin/Zürich-Größe 300")}};
}

void TestProcessSnapshot::commandLines() {
    QFETCH(QByteArray, output);
    QTEST(parseCommandLines(output), "expected");
}

void TestProcessSnapshot::invalidUtf8FailsTheWholeRun() {
    const QByteArray table = header + "5 0 1 good\n6 0 1 bad\xff name\n7 x 1 skipped\xc3\n";
    QVERIFY(parseAll(table).isEmpty());
    QVERIFY(parseCommandLines("  PID COMMAND\n5 good\n6 bad\xc3\x28\n").isEmpty());

    // Bad command lines cost only the args; the table still counts.
    FakeRunner runner;
    runner.set(argsRun, "  PID COMMAND\n5 good\n6 \xed\xa0\x80 surrogate\n", 100);
    runner.set(tableRun, header + "5 0 1 good\n", 101);
    NoDisplayNames names;
    const auto rows = ProcessSnapshotter(runner, names, 0, 4242).snapshotProcesses(false);
    QCOMPARE(pidsOf(rows), QList<qint32>{5});
    QVERIFY(!rows[0].args);
}

void TestProcessSnapshot::toolThatCannotStart() {
    NoDisplayNames names;
    FakeRunner nothingRuns;
    QVERIFY(ProcessSnapshotter(nothingRuns, names, 0, 4242).snapshotProcesses(false).isEmpty());
    QVERIFY(ProcessSnapshotter(nothingRuns, names, 0, 4242).snapshotProcesses(true).isEmpty());

    FakeRunner tableOnly;
    tableOnly.set(tableRun, fixture("ps-table-debian12.txt"), psPidUtf8);
    const auto rows = ProcessSnapshotter(tableOnly, names, 0, 4242).snapshotProcesses(false);
    QCOMPARE(pidsOf(rows), capturedPids());
    for (const UserProcess& row : rows)
        QVERIFY(!row.args);
}

void TestProcessSnapshot::displayNamesApplied() {
    FakeRunner runner;
    runner.set(tableRun, fixture("ps-table-debian12.txt"), psPidUtf8);
    FakeDisplayNames names;
    names.names = {{21695, QStringLiteral("Sleeper")},
                   {21698, QString()},
                   {psPidUtf8, QStringLiteral("Tool")},
                   {99999, QStringLiteral("Gone")}};

    for (bool currentUserOnly : {false, true}) {
        const auto rows =
            ProcessSnapshotter(runner, names, 0, 4242).snapshotProcesses(currentUserOnly);
        for (const UserProcess& row : rows)
            QCOMPARE(orNone(row.localizedName),
                     row.pid == 21695 ? QStringLiteral("Sleeper") : QStringLiteral("<none>"));
        QVERIFY(findPid(rows, 21695));
    }
}

void TestProcessSnapshot::nameOfACommandWithSlashes() {
    const auto rows = parseAll(header + "9 0 1 /Applications/My App.app/Contents/MacOS/My App\n" +
                               "10 0 1 /usr/bin/trailing/\n");
    QCOMPARE(rows.size(), 2);
#ifdef Q_OS_MACOS
    QCOMPARE(rows[0].name, QStringLiteral("My App"));
    QCOMPARE(rows[1].name, QStringLiteral("trailing"));
#else
    QCOMPARE(rows[0].name, rows[0].path);
    QCOMPARE(rows[1].name, rows[1].path);
#endif
}

QTEST_APPLESS_MAIN(TestProcessSnapshot)
#include "test_process_snapshot.moc"
