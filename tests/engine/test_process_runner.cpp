#include "display_name_source.h"
#include "process_runner.h"
#include "process_snapshot.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
const QString sh = QStringLiteral("/bin/sh");

// A name no other program uses, short enough for the kernel's 15-character task names.
QString uniqueName() {
    const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
    QString name = QStringLiteral("zvs-");
    for (int i = 0; i < 8; ++i)
        name += alphabet[QRandomGenerator::system()->bounded(int(alphabet.size()))];
    return name;
}

int openDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd")).count());
}

// A child that is killed and reaped however the test ends. Started without fork, which
// the thread sanitizer refuses once a process has threads.
class RunningChild {
public:
    RunningChild(const QString& program, const QString& argument) {
        QByteArray path = QFile::encodeName(program);
        QByteArray arg = argument.toUtf8();
        char* argv[] = {path.data(), arg.data(), nullptr};
        if (posix_spawn(&pid_, path.constData(), nullptr, nullptr, argv, environ) != 0)
            pid_ = 0;
    }
    RunningChild(const RunningChild&) = delete;
    RunningChild& operator=(const RunningChild&) = delete;
    ~RunningChild() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }

    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = 0;
};

const UserProcess* findPid(const QList<UserProcess>& rows, qint64 pid) {
    for (const UserProcess& row : rows)
        if (row.pid == pid)
            return &row;
    return nullptr;
}
} // namespace

class TestProcessRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void snapshotFindsAStartedChild();
    void programThatCannotStart_data();
    void programThatCannotStart();
    void outputOnlyFromStdoutWithTheToolsPid();
    void argumentsPassedWithoutAShell();
    void largeOutputReadWhole();
    void descriptorsClosedOnEveryPath();
    void runsFromSeveralThreadsAtOnce();
};

void TestProcessRunner::snapshotFindsAStartedChild() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = uniqueName();
    const QString path = dir.filePath(name);
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), path));
    const RunningChild child(path, QStringLiteral("300"));
    const qint64 pid = child.pid();
    QVERIFY(pid > 0);

    PosixProcessRunner runner;
    NoDisplayNames names;
    const ProcessSnapshotter snapshotter(runner, names, getuid(), getpid());

    const auto all = snapshotter.snapshotProcesses(false);
    const UserProcess* row = findPid(all, pid);
    QVERIFY(row);
    QCOMPARE(row->name, name);
    QCOMPARE(row->path, name);
    QCOMPARE(row->args.value_or(QString()), path + QStringLiteral(" 300"));
    QCOMPARE(row->uid, quint32(getuid()));
    QCOMPARE(row->origin, ProcessOrigin::thirdParty);
    QVERIFY(row->memoryKB > 0);
    QVERIFY(!findPid(all, getpid()));

    const auto mine = snapshotter.snapshotProcesses(true);
    row = findPid(mine, pid);
    QVERIFY(row);
    QCOMPARE(row->name, name);
    QVERIFY(!row->args);
    for (const UserProcess& process : mine)
        QCOMPARE(process.uid, quint32(getuid()));
}

void TestProcessRunner::programThatCannotStart_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("makeNonExecutable");

    QTest::newRow("missing") << QStringLiteral("/nonexistent/zvs-missing") << false;
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("directory") << QStringLiteral("/") << false;
    QTest::newRow("not executable") << QString() << true;
}

void TestProcessRunner::programThatCannotStart() {
    QFETCH(QString, program);
    QFETCH(bool, makeNonExecutable);

    QTemporaryDir dir;
    if (makeNonExecutable) {
        program = dir.filePath(uniqueName());
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho ran\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    }
    QVERIFY(!PosixProcessRunner().run(program, {}));
}

void TestProcessRunner::outputOnlyFromStdoutWithTheToolsPid() {
    // A failing exit status does not matter; what was printed counts.
    const auto output = PosixProcessRunner().run(
        sh, {QStringLiteral("-c"), QStringLiteral("echo $$; echo noise >&2; exit 3")});
    QVERIFY(output);
    QCOMPARE(output->standardOutput, QByteArray::number(output->pid) + '\n');
}

void TestProcessRunner::argumentsPassedWithoutAShell() {
    const auto output = PosixProcessRunner().run(
        sh, {QStringLiteral("-c"), QStringLiteral("printf '%s|' \"$@\""), QStringLiteral("sh"),
             QStringLiteral("a  b"), QString(), QStringLiteral("*"), QStringLiteral("$HOME;"),
             QStringLiteral("Zürich")});
    QVERIFY(output);
    QCOMPARE(QString::fromUtf8(output->standardOutput), QStringLiteral("a  b||*|$HOME;|Zürich|"));
}

void TestProcessRunner::largeOutputReadWhole() {
    constexpr qsizetype size = 24 * 1024 * 1024 + 17;
    const auto output = PosixProcessRunner().run(
        QStringLiteral("/usr/bin/head"),
        {QStringLiteral("-c"), QString::number(size), QStringLiteral("/dev/zero")});
    QVERIFY(output);
    QCOMPARE(output->standardOutput.size(), size);
    QCOMPARE(output->standardOutput.count('\0'), size);
}

void TestProcessRunner::descriptorsClosedOnEveryPath() {
    PosixProcessRunner runner;
    const int before = openDescriptors();
    for (int i = 0; i < 20; ++i) {
        QVERIFY(runner.run(QStringLiteral("/bin/true"), {}));
        QVERIFY(!runner.run(QStringLiteral("/nonexistent/zvs-missing"), {}));
    }
    QCOMPARE(openDescriptors(), before);
}

void TestProcessRunner::runsFromSeveralThreadsAtOnce() {
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

QTEST_APPLESS_MAIN(TestProcessRunner)
#include "test_process_runner.moc"
