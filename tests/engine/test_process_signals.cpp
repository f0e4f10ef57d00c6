#include "engine/i18n/lang.h"
#include "engine/process/kill_cycle.h"
#include "engine/process/proc_reader.h"
#include "engine/process/process_signals.h"
#include "memory_settings_store.h"
#include "test_child.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
UserProcess row(pid_t pid, const QString& name) {
    UserProcess process;
    process.pid = pid;
    process.uid = geteuid();
    process.name = name;
    return process;
}

QByteArray procField(pid_t pid, const char* entry) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(entry)));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

// /proc as it is, but the reads about one process id fail with the given error.
class FailingProc final : public ProcReader {
public:
    ProcFile readFile(qint32 pid, QByteArrayView entry) const override {
        return pid == failingPid ? ProcFile{{}, error} : proc_.readFile(pid, entry);
    }
    QString executable(qint32 pid) const override { return proc_.executable(pid); }
    std::optional<FileId> executableFile(qint32 pid) const override {
        return proc_.executableFile(pid);
    }
    QList<quint64> socketInodes(qint32 pid) const override { return proc_.socketInodes(pid); }
    std::optional<std::size_t> openFileCount(qint32 pid) const override {
        return proc_.openFileCount(pid);
    }
    std::optional<QByteArray> readShared(QByteArrayView path) const override {
        return proc_.readShared(path);
    }

    qint32 failingPid = 0;
    int error = 0;

private:
    ProcDirectory proc_;
};

// Waits for the child's exit but leaves it unreaped, a zombie.
bool hasExited(pid_t pid) {
    siginfo_t info = {};
    return waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT) == 0;
}
} // namespace

class TestProcessSignals : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    Lang lang{store, {QStringLiteral("en")}};

private Q_SLOTS:
    // Only the process the snapshot showed is signalled: name (as ps shows it, cut at the
    // kernel's 15 bytes or not) and user must agree with /proc.
    void signalsOnlyTheProcessOfTheSnapshot() {
        using Shown = QByteArray (*)(QByteArray);
        const Shown same = [](QByteArray n) { return n; };
        const struct {
            const char* prefix;
            const char* tail;
            Shown shown;
            uint uidOffset;
            bool isKilled;
        } cases[] = {
            {"zvk", "", same, 0, true},
            {"zvk-é", "", same, 0, true},
            {"zvk-é", "", [](QByteArray n) { return n.replace("\xc3\xa9", "??"); }, 0, true},
            {"zvk-\t", "", [](QByteArray n) { return n.replace('\t', '?'); }, 0, true},
            {"zvk ", "", [](QByteArray n) { return n.replace(' ', '?'); }, 0, false},
            {"zvk", "-long-victim-name", [](QByteArray n) { return n.left(15); }, 0, true},
            {"zvk", "-long-victim-name", [](QByteArray n) { return n.replace(14, 1, "X"); }, 0,
             false},
            {"zvk", "", [](QByteArray n) { return n + 'x'; }, 0, false},
            {"zvk", "", [](QByteArray n) { return n.chopped(1); }, 0, false},
            {"zvk", "", [](QByteArray n) { return n.replace(0, 1, "?"); }, 0, false},
            {"zvk", "", same, 1, false},
        };
        for (const auto& c : cases) {
            TestChild child(QString::fromUtf8(c.prefix), {QStringLiteral("600")},
                            TestChild::OnTerm::end, QString::fromUtf8(c.tail));
            QVERIFY(child.isStarted());
            UserProcess process =
                row(child.pid(), QString::fromUtf8(c.shown(child.name().toUtf8())));
            process.uid += c.uidOffset;
            process.memoryKB = 2048;
            SystemProcessSignals signals;
            const QList<KillLogEntry> batch = killProcesses({process}, signals, lang);
            QVERIFY(batch.size() == 1 && batch[0].success == c.isKilled);
            QVERIFY(batch[0].message.endsWith(QStringLiteral(" (2.0 MB)")));
            // A loaded machine may need the forced end, so only whether it ended is certain.
            if (c.isKilled)
                QVERIFY(child.waitForEnd(5000) > 0);
            else
                QCOMPARE(batch[0].message, lang.localized("msg_already_exited") + " (2.0 MB)");
            QCOMPARE(child.waitForEnd(0), -1);
        }
    }

    // A zombie is left alone and, once reaped, gone; a pinned process is reached through its
    // pidfd only, so whatever takes over its id after the reaping is never signalled. Without
    // pidfds the process id is all there is.
    void zombiesAndPinnedProcessesOverTheirEnd() {
        TestChild exited(QStringLiteral("zvk"), {QStringLiteral("0")});
        SystemProcessSignals signals;
        const UserProcess zombie = row(exited.pid(), exited.name());
        QVERIFY(hasExited(exited.pid()));
        QCOMPARE(signals.pin(zombie).status, PinResult::Status::zombie);
        QVERIFY(killProcesses({zombie}, signals, lang).isEmpty());
        QCOMPARE(exited.waitForEnd(0), 0);
        QCOMPARE(signals.pin(zombie).status, PinResult::Status::gone);

        for (const auto reach :
             {SystemProcessSignals::Reach::pidfd, SystemProcessSignals::Reach::processId}) {
            TestChild pinned(QStringLiteral("zvk"));
            const PinResult pin =
                SystemProcessSignals({}, reach).pin(row(pinned.pid(), pinned.name()));
            QVERIFY(pin.status == PinResult::Status::pinned && !pin.process->hasEnded());
            QCOMPARE(pin.process->sendSignal(SIGKILL), 0);
            QVERIFY(hasExited(pinned.pid()) && pin.process->hasEnded());
            QCOMPARE(pinned.waitForEnd(5000), SIGKILL);
            QCOMPARE(pin.process->sendSignal(SIGTERM), ESRCH);
        }
    }

    // Only "no such process" tells that a process has gone: a /proc read about it, or about an
    // ancestor, that fails for another reason (no descriptor free, no access) is no answer.
    void procReadFailuresAreNoEnd() {
        TestChild child(QStringLiteral("zvr"));
        const auto proc = std::make_shared<FailingProc>();
        SystemProcessSignals signals(proc);
        using S = PinResult::Status;
        const struct {
            qint32 pid;
            int error;
            S status;
        } cases[] = {{child.pid(), EMFILE, S::failed},
                     {child.pid(), ESRCH, S::gone},
                     {getppid(), EACCES, S::failed},
                     {getppid(), ENOENT, S::pinned}};
        for (const auto& c : cases) {
            proc->failingPid = c.pid;
            proc->error = c.error;
            const PinResult pin = signals.pin(row(child.pid(), child.name()));
            QCOMPARE(pin.status, c.status);
            QCOMPARE(pin.error, c.status == S::failed ? c.error : 0);
        }
        QCOMPARE(child.waitForEnd(0), -1);
    }

    // More matches than descriptors free: every one is signalled and waited for all the same.
    void moreProcessesThanDescriptors() {
        std::vector<std::unique_ptr<TestChild>> children;
        QList<UserProcess> rows;
        for (int i = 0; i < 24; ++i) {
            children.push_back(std::make_unique<TestChild>(QStringLiteral("zvd")));
            rows.append(row(children.back()->pid(), children.back()->name()));
        }
        SystemProcessSignals signals;
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
        rlimit lowered = saved;
        lowered.rlim_cur = QDir(QStringLiteral("/proc/self/fd"))
                               .entryList(QDir::AllEntries | QDir::System)
                               .size() +
                           10;
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &lowered), 0);
        const std::size_t pinnable = signals.pinnableNow();
        const QList<KillLogEntry> batch = killProcesses(rows, signals, lang);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &saved), 0);
        QVERIFY2(pinnable >= 2 && pinnable <= 12, qPrintable(QString::number(pinnable)));
        QCOMPARE(batch.size(), rows.size());
        for (const KillLogEntry& entry : batch)
            QVERIFY2(entry.success, qPrintable(entry.message));
        for (const auto& child : children)
            QVERIFY(child->waitForEnd(5000) > 0);
    }

    // pin() only binds: were a rule broken, this would fail without signalling anyone.
    void neverPinsItselfGroupsOrAncestors() {
        SystemProcessSignals signals;
        const QString ownName = QString::fromUtf8(procField(getpid(), "comm"));
        for (const qint32 pid : {qint32(getpid()), 0, -1})
            QCOMPARE(signals.pin(row(pid, ownName)).status, PinResult::Status::gone);
        int ancestors = 0;
        for (pid_t pid = getppid(); pid > 1; ++ancestors) {
            const QString name = QString::fromUtf8(procField(pid, "comm"));
            QCOMPARE(signals.pin(row(pid, name)).status, PinResult::Status::zombie);
            const QByteArray stat = procField(pid, "stat");
            pid = stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toInt();
        }
        QVERIFY(ancestors > 0);
    }
};

QTEST_APPLESS_MAIN(TestProcessSignals)
#include "test_process_signals.moc"
