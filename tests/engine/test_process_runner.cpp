#include "display_name_source.h"
#include "proc_reader.h"
#include "process_runner.h"
#include "process_snapshot.h"
#include "test_child.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
const QString sh = QStringLiteral("/bin/sh");

int openDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd")).count());
}

const UserProcess* findPid(const QList<UserProcess>& rows, qint64 pid) {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [pid](const UserProcess& row) { return row.pid == pid; });
    return found == rows.end() ? nullptr : &*found;
}
} // namespace

class TestProcessRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void snapshotFindsAStartedChildUnderItsFullName() {
        const TestChild child(QStringLiteral("zvs"), {QStringLiteral("600")},
                              TestChild::OnTerm::end, QStringLiteral("-named-past-the-cut"));
        QVERIFY(child.isStarted());
        PosixProcessRunner runner;
        ProcDirectory proc;
        NoDisplayNames names;
        ProcessSnapshotter snapshotter(runner, proc, names, getuid(), getpid());

        const auto all = snapshotter.snapshotProcesses(false);
        QVERIFY(!findPid(all, getpid()));
        const UserProcess* row = findPid(all, child.pid());
        QVERIFY(row);
        QCOMPARE(row->name, child.name());
        QCOMPARE(row->path, child.program());
        QCOMPARE(row->args.value_or(QString()), child.program() + QStringLiteral(" 600"));
        QCOMPARE(row->uid, quint32(getuid()));
        QCOMPARE(row->origin, ProcessOrigin::thirdParty);
        QVERIFY(row->memoryKB > 0);

        const auto mine = snapshotter.snapshotProcesses(true);
        row = findPid(mine, child.pid());
        QVERIFY(row);
        QCOMPARE(row->name, child.name());
        QVERIFY(!row->args);
        for (const UserProcess& process : mine)
            QCOMPARE(process.uid, quint32(getuid()));
    }

    void programThatCannotStart() {
        QTemporaryDir dir;
        const QString notExecutable = dir.filePath(QStringLiteral("script"));
        QFile file(notExecutable);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho ran\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        for (const QString& program :
             {QStringLiteral("/nonexistent/zvs-missing"), QStringLiteral("/"), notExecutable})
            QVERIFY2(!PosixProcessRunner().run(program, {}), qPrintable(program));
    }

    void stdoutComesWholeWithTheToolsPidAndArgumentsAsGiven() {
        // Arguments reach the tool without a shell; a failing exit status does not matter.
        const auto output = PosixProcessRunner().run(
            sh, {QStringLiteral("-c"),
                 QStringLiteral("echo $$; printf '%s|' \"$@\"; echo noise >&2; exit 3"),
                 QStringLiteral("sh"), QStringLiteral("a  b"), QString(), QStringLiteral("*"),
                 QStringLiteral("$HOME;"), QStringLiteral("Zürich")});
        QVERIFY(output);
        QCOMPARE(QString::fromUtf8(output->standardOutput),
                 QString::number(output->pid) + QStringLiteral("\na  b||*|$HOME;|Zürich|"));

        constexpr qsizetype size = 24 * 1024 * 1024 + 17;
        const auto large = PosixProcessRunner().run(
            QStringLiteral("/usr/bin/head"),
            {QStringLiteral("-c"), QString::number(size), QStringLiteral("/dev/zero")});
        QVERIFY(large);
        QCOMPARE(large->standardOutput.size(), size);
        QCOMPARE(large->standardOutput.count('\0'), size);
    }

    void descriptorsClosedOnEveryPath() {
        PosixProcessRunner runner;
        const int before = openDescriptors();
        for (int i = 0; i < 20; ++i) {
            QVERIFY(runner.run(QStringLiteral("/bin/true"), {}));
            QVERIFY(!runner.run(QStringLiteral("/nonexistent/zvs-missing"), {}));
        }
        QCOMPARE(openDescriptors(), before);
    }

    void runsFromSeveralThreadsAtOnce() {
        // Each run must get the output of its own tool, whichever thread starts it.
        constexpr int threadCount = 4;
        constexpr int runsPerThread = 15;
        std::atomic<int> good = 0;
        std::vector<std::thread> threads;
        for (int t = 0; t < threadCount; ++t)
            threads.emplace_back([&good] {
                PosixProcessRunner runner;
                for (int i = 0; i < runsPerThread; ++i) {
                    const auto output =
                        runner.run(sh, {QStringLiteral("-c"), QStringLiteral("echo $$")});
                    if (output && output->standardOutput == QByteArray::number(output->pid) + '\n')
                        ++good;
                }
            });
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(good.load(), threadCount * runsPerThread);
    }
};

QTEST_APPLESS_MAIN(TestProcessRunner)
#include "test_process_runner.moc"
