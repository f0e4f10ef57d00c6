#include "kill_cycle.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_signals.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// Passes every call on to the real signals and remembers each signal that went out.
class RecordingSignals final : public ProcessSignals {
public:
    QList<int> sent;

    PinResult pin(const UserProcess& process) override {
        PinResult result = real_.pin(process);
        if (result.process)
            result.process = std::make_unique<Recorded>(std::move(result.process), sent);
        return result;
    }
    void pause(std::chrono::microseconds duration) override { real_.pause(duration); }

private:
    class Recorded final : public PinnedProcess {
    public:
        Recorded(std::unique_ptr<PinnedProcess> inner, QList<int>& sent)
            : inner_(std::move(inner)), sent_(sent) {}
        int sendSignal(int signal) override {
            sent_ << signal;
            return inner_->sendSignal(signal);
        }
        bool hasEnded() override { return inner_->hasEnded(); }

    private:
        std::unique_ptr<PinnedProcess> inner_;
        QList<int>& sent_;
    };

    SystemProcessSignals real_;
};

QByteArray randomHex(int length) {
    QByteArray hex;
    while (hex.size() < length)
        hex += QByteArray::number(QRandomGenerator::global()->generate(), 16);
    return hex.left(length);
}

char procState(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return '\0';
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() ? text.at(close + 2) : '\0';
}

// Children of this test, killed and reaped whatever happens to the test.
class Children {
public:
    ~Children() { endAll(); }

    // Starts `program` and returns once it runs the new image (or -1 when that failed).
    pid_t start(const QString& program, const char* argument, bool ignoreTerm) {
        const QByteArray path = QFile::encodeName(program);
        std::vector<char*> argv = {const_cast<char*>(path.constData()), const_cast<char*>(argument),
                                   nullptr};
        int execReport[2];
        if (pipe2(execReport, O_CLOEXEC) != 0)
            return -1;
        const pid_t pid = fork();
        if (pid == 0) {
            close(execReport[0]);
            struct sigaction action = {};
            action.sa_handler = ignoreTerm ? SIG_IGN : SIG_DFL;
            sigaction(SIGTERM, &action, nullptr);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            execv(argv[0], argv.data());
            const int error = errno;
            (void)!write(execReport[1], &error, sizeof error);
            _exit(127);
        }
        close(execReport[1]);
        if (pid < 0) {
            close(execReport[0]);
            return -1;
        }
        pids_.push_back(pid);
        // The pipe closes on a successful exec; an error number arrives when it failed.
        int error = 0;
        ssize_t got = 0;
        do {
            got = read(execReport[0], &error, sizeof error);
        } while (got < 0 && errno == EINTR);
        close(execReport[0]);
        return got == 0 ? pid : -1;
    }

    void endAll() {
        for (const pid_t pid : pids_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        pids_.clear();
    }

    // Reaps one child and tells how it ended; -1 when it had not ended.
    int reap(pid_t pid, bool wait) {
        int status = 0;
        if (waitpid(pid, &status, wait ? 0 : WNOHANG) != pid)
            return -1;
        std::erase(pids_, pid);
        return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }

private:
    std::vector<pid_t> pids_;
};
} // namespace

class TestProcessSignals : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    Lang lang{store, {QStringLiteral("en")}};
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/zvk-XXXXXX")};
    Children children;

    // A copy of sleep under a name no other program uses; the kernel's name for it is the
    // file name, which stays under its 15-byte limit.
    QString sleepCopy(const QByteArray& fileName) {
        const QString path = dir.filePath(QFile::decodeName(fileName));
        if (!QFile::exists(path)) {
            if (!QFile::copy(QStringLiteral("/bin/sleep"), path))
                return {};
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        return path;
    }

    static UserProcess row(pid_t pid, const QString& name) {
        UserProcess process;
        process.pid = pid;
        process.uid = geteuid();
        process.name = name;
        process.path = name;
        return process;
    }

    // A sleeping copy that runs until it is signalled.
    pid_t startSleeper(const QByteArray& comm, bool ignoreTerm = false) {
        const QString program = sleepCopy(comm);
        return program.isEmpty() ? -1 : children.start(program, "60", ignoreTerm);
    }

    bool isAliveAndUnharmed(pid_t pid) {
        return children.reap(pid, false) == -1 && procState(pid) != 'Z' && procState(pid) != 0;
    }

private Q_SLOTS:
    void initTestCase() {
#ifndef __linux__
        QSKIP("checks the kernel's view in /proc");
#endif
        QVERIFY(dir.isValid());
    }

    void cleanup() {
        children.endAll();
    }

    void endsPolitely_data() {
        QTest::addColumn<QByteArray>("comm");
        QTest::addColumn<QString>("snapshotName");

        const QByteArray ascii = "zvk-" + randomHex(8);
        QTest::newRow("plain name") << ascii << QString::fromLatin1(ascii);
        const QByteArray hex = randomHex(6);
        const QByteArray accented = "zvk-\xc3\xa9" + hex;
        QTest::newRow("UTF-8 name") << accented << QString::fromUtf8(accented);
        QTest::newRow("UTF-8 name as the C locale prints it")
            << accented << QString::fromLatin1("zvk-??" + hex);
        const QByteArray control = "zvk-\t" + randomHex(7);
        QTest::newRow("control byte") << control << QString::fromLatin1("zvk-?" + control.mid(5));
    }

    void endsPolitely() {
        QFETCH(QByteArray, comm);
        QFETCH(QString, snapshotName);
        const pid_t pid = startSleeper(comm);
        QVERIFY(pid > 0);

        RecordingSignals signals;
        UserProcess process = row(pid, snapshotName);
        process.memoryKB = 2048;
        const auto entry = killProcess(process, signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->message, lang.localized(QStringLiteral("msg_killed")) + " (2.0 MB)");
        QVERIFY(entry->success);
        QCOMPARE(signals.sent, QList<int>{SIGTERM});
        QCOMPARE(children.reap(pid, true), SIGTERM);
    }

    void forcesWhatIgnoresThePoliteSignal() {
        const QByteArray comm = "zvk-" + randomHex(8);
        const pid_t pid = startSleeper(comm, true);
        QVERIFY(pid > 0);

        RecordingSignals signals;
        const auto entry = killProcess(row(pid, QString::fromLatin1(comm)), signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->message, lang.localized(QStringLiteral("msg_force_killed")));
        QVERIFY(entry->success);
        QCOMPARE(signals.sent, (QList<int>{SIGTERM, SIGKILL}));
        QCOMPARE(children.reap(pid, true), SIGKILL);
    }

    void leavesAnotherProcessAlone_data() {
        QTest::addColumn<QByteArray>("comm");
        QTest::addColumn<QString>("snapshotName");
        QTest::addColumn<uint>("uidOffset");

        QByteArray comm = "zvk-" + randomHex(8);
        QTest::newRow("other name") << comm << QStringLiteral("zvk-other") << 0u;
        comm = "zvk-" + randomHex(8);
        QTest::newRow("name with one byte more") << comm << QString::fromLatin1(comm + 'x') << 0u;
        comm = "zvk-" + randomHex(8);
        QTest::newRow("ASCII byte read as \"?\"")
            << comm << QString::fromLatin1('?' + comm.mid(1)) << 0u;
        comm = "zvk-" + randomHex(8);
        QTest::newRow("other user") << comm << QString::fromLatin1(comm) << 1u;
    }

    void leavesAnotherProcessAlone() {
        QFETCH(QByteArray, comm);
        QFETCH(QString, snapshotName);
        QFETCH(uint, uidOffset);
        const pid_t pid = startSleeper(comm);
        QVERIFY(pid > 0);
        UserProcess process = row(pid, snapshotName);
        process.uid += uidOffset;

        RecordingSignals signals;
        QCOMPARE(signals.pin(process).status, PinResult::Status::gone);
        const auto entry = killProcess(process, signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->message, lang.localized(QStringLiteral("msg_already_exited")));
        QVERIFY(!entry->success);
        QVERIFY(signals.sent.isEmpty());
        QVERIFY(isAliveAndUnharmed(pid));
    }

    void zombieIsNotSignalled() {
        const QByteArray comm = "zvk-" + randomHex(8);
        const QString program = sleepCopy(comm);
        const pid_t pid = children.start(program, "0", false);
        QVERIFY(pid > 0);
        // Wait for the exit but leave the child unreaped.
        siginfo_t info = {};
        QCOMPARE(waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT), 0);
        QCOMPARE(procState(pid), 'Z');

        RecordingSignals signals;
        QCOMPARE(signals.pin(row(pid, QString::fromLatin1(comm))).status,
                 PinResult::Status::zombie);
        QVERIFY(!killProcess(row(pid, QString::fromLatin1(comm)), signals, lang));
        QVERIFY(signals.sent.isEmpty());
        QCOMPARE(children.reap(pid, true), 0);
    }

    void reapedIsGone() {
        const QByteArray comm = "zvk-" + randomHex(8);
        const pid_t pid = children.start(sleepCopy(comm), "0", false);
        QVERIFY(pid > 0);
        QCOMPARE(children.reap(pid, true), 0);

        SystemProcessSignals signals;
        const PinResult pin = signals.pin(row(pid, QString::fromLatin1(comm)));
        QCOMPARE(pin.status, PinResult::Status::gone);
        QVERIFY(!pin.process);
    }

    void neverPinsItselfOrGroups_data() {
        QTest::addColumn<qint32>("pid");
        QTest::addColumn<QString>("name");

        QFile comm(QStringLiteral("/proc/self/comm"));
        QVERIFY(comm.open(QIODevice::ReadOnly));
        const QString ownName = QString::fromUtf8(comm.readAll().chopped(1));
        QTest::newRow("this program") << qint32(getpid()) << ownName;
        QTest::newRow("own process group") << qint32(0) << ownName;
        QTest::newRow("every process") << qint32(-1) << ownName;
    }

    void neverPinsItselfOrGroups() {
        QFETCH(qint32, pid);
        QFETCH(QString, name);
        SystemProcessSignals signals;
        const PinResult pin = signals.pin(row(pid, name));
        QCOMPARE(pin.status, PinResult::Status::gone);
        QVERIFY(!pin.process);
    }

    void pinnedProcessEnds() {
        const QByteArray comm = "zvk-" + randomHex(8);
        const pid_t pid = startSleeper(comm);
        QVERIFY(pid > 0);
        SystemProcessSignals signals;
        const PinResult pin = signals.pin(row(pid, QString::fromLatin1(comm)));
        QCOMPARE(pin.status, PinResult::Status::pinned);
        QVERIFY(pin.process);
        QVERIFY(!pin.process->hasEnded());
        QCOMPARE(pin.process->sendSignal(SIGKILL), 0);
        siginfo_t info = {};
        QCOMPARE(waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT), 0);
        QVERIFY(pin.process->hasEnded());
        QCOMPARE(children.reap(pid, true), SIGKILL);
        QVERIFY(pin.process->hasEnded());
        // The pidfd outlives the reaped process and still refuses to reach anything else.
        QCOMPARE(pin.process->sendSignal(SIGTERM), ESRCH);
    }

    void pauseWaits() {
        SystemProcessSignals signals;
        QElapsedTimer timer;
        timer.start();
        signals.pause(std::chrono::milliseconds(50));
        QVERIFY(timer.nsecsElapsed() >= 50'000'000);
    }
};

QTEST_APPLESS_MAIN(TestProcessSignals)
#include "test_process_signals.moc"
