#include "kill_cycle.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_signals.h"
#include "test_child.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
UserProcess row(pid_t pid, const QString& name) {
    UserProcess process;
    process.pid = pid;
    process.uid = geteuid();
    process.name = name;
    process.path = name;
    return process;
}

// The kernel's name of a process as a snapshot may show it.
QString shownAs(const QString& comm, const QString& how) {
    QByteArray bytes = comm.toUtf8();
    if (how == u"as is")
        return comm;
    if (how == u"C locale") { // ps shows "?" for each byte it cannot print
        for (char& c : bytes)
            c = uchar(c) < 0x20 || uchar(c) >= 0x7f ? '?' : c;
    } else if (how == u"one byte less") {
        bytes.chop(1);
    } else if (how == u"one byte more") {
        bytes += 'x';
    } else if (how == u"? for an ASCII byte") {
        bytes[0] = '?';
    } else {
        bytes = "zvk-other";
    }
    return QString::fromLatin1(bytes);
}

QByteArray procField(pid_t pid, const char* entry) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(entry)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

    QString text(const char* key) const { return lang.localized(QString::fromLatin1(key)); }

private Q_SLOTS:
    void initTestCase() {
#ifndef __linux__
        QSKIP("checks the kernel's view in /proc");
#endif
    }

    void signalsOnlyTheProcessOfTheSnapshot_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<uint>("uidOffset");
        QTest::addColumn<bool>("isKilled");
        const auto row = [](const char* tag, const QString& prefix, const char* shown,
                            uint uidOffset, bool isKilled) {
            QTest::newRow(tag) << prefix << QString::fromLatin1(shown) << uidOffset << isKilled;
        };
        const QString plain = QStringLiteral("zvk");
        const QString utf8 = QStringLiteral("zvk-é");
        row("plain name", plain, "as is", 0, true);
        row("UTF-8 name", utf8, "as is", 0, true);
        row("UTF-8 name in the C locale", utf8, "C locale", 0, true);
        row("control byte in the C locale", QStringLiteral("zvk-\t"), "C locale", 0, true);
        row("other name", plain, "other", 0, false);
        row("name with one byte more", plain, "one byte more", 0, false);
        row("name with one byte less", plain, "one byte less", 0, false);
        row("? for an ASCII byte", plain, "? for an ASCII byte", 0, false);
        row("other user", plain, "as is", 1, false);
    }

    void signalsOnlyTheProcessOfTheSnapshot() {
        QFETCH(QString, prefix);
        QFETCH(QString, shown);
        QFETCH(uint, uidOffset);
        QFETCH(bool, isKilled);
        TestChild child(prefix);
        QVERIFY(child.isStarted());
        UserProcess process = row(child.pid(), shownAs(child.name(), shown));
        process.uid += uidOffset;
        process.memoryKB = 2048;

        SystemProcessSignals signals;
        const auto entry = killProcess(process, signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->success, isKilled);
        QCOMPARE(entry->message, text(isKilled ? "msg_killed" : "msg_already_exited") +
                                     QStringLiteral(" (2.0 MB)"));
        // Ended by the polite signal, or never reached at all.
        QCOMPARE(child.waitForEnd(isKilled ? 5000 : 0), isKilled ? SIGTERM : -1);
    }

    void forcesWhatIgnoresThePoliteSignal() {
        TestChild child(QStringLiteral("zvk"), {QStringLiteral("600")}, TestChild::OnTerm::block);
        QVERIFY(child.isStarted());
        SystemProcessSignals signals;
        const auto entry = killProcess(row(child.pid(), child.name()), signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->message, text("msg_force_killed"));
        QVERIFY(entry->success);
        QCOMPARE(child.waitForEnd(5000), SIGKILL);
    }

    void zombieIsNotSignalledAndReapedIsGone() {
        TestChild child(QStringLiteral("zvk"), {QStringLiteral("0")});
        QVERIFY(child.isStarted());
        const UserProcess process = row(child.pid(), child.name());
        QVERIFY(hasExited(child.pid()));
        SystemProcessSignals signals;
        QCOMPARE(signals.pin(process).status, PinResult::Status::zombie);
        QVERIFY(!killProcess(process, signals, lang));

        QCOMPARE(child.waitForEnd(0), 0);
        const PinResult pin = signals.pin(process);
        QCOMPARE(pin.status, PinResult::Status::gone);
        QVERIFY(!pin.process);
    }

    void neverPinsItselfOrGroups() {
        QFile comm(QStringLiteral("/proc/self/comm"));
        QVERIFY(comm.open(QIODevice::ReadOnly));
        const QString ownName = QString::fromUtf8(comm.readAll().trimmed());
        // 0 and -1 would reach the own process group and every process.
        for (const qint32 pid : {qint32(getpid()), 0, -1}) {
            const PinResult pin = SystemProcessSignals().pin(row(pid, ownName));
            QCOMPARE(pin.status, PinResult::Status::gone);
            QVERIFY(!pin.process);
        }
    }

    void pinnedProcessEndsAndStaysOutOfReach() {
        TestChild child(QStringLiteral("zvk"));
        QVERIFY(child.isStarted());
        const PinResult pin = SystemProcessSignals().pin(row(child.pid(), child.name()));
        QCOMPARE(pin.status, PinResult::Status::pinned);
        QVERIFY(pin.process && !pin.process->hasEnded());
        QCOMPARE(pin.process->sendSignal(SIGKILL), 0);
        QVERIFY(hasExited(child.pid()));
        QVERIFY(pin.process->hasEnded());
        QCOMPARE(child.waitForEnd(5000), SIGKILL);
        QVERIFY(pin.process->hasEnded());
        // The pidfd outlives the reaped process: whatever takes over its id is never reached.
        QCOMPARE(pin.process->sendSignal(SIGTERM), ESRCH);
    }

    void longNameIsCheckedByTheKernelsFirst15Bytes_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("isKilled");
        QTest::newRow("full name") << QString() << true;
        QTest::newRow("cut by ps") << QStringLiteral("cut") << true;
        QTest::newRow("other 15th byte") << QStringLiteral("15th") << false;
    }

    void longNameIsCheckedByTheKernelsFirst15Bytes() {
        QFETCH(QString, shown);
        QFETCH(bool, isKilled);
        TestChild child(QStringLiteral("zvk"), {QStringLiteral("600")}, TestChild::OnTerm::end,
                        QStringLiteral("-long-victim-name"));
        QVERIFY(child.isStarted());
        QString name = child.name();
        if (shown == u"cut")
            name.truncate(15);
        else if (shown == u"15th")
            name[14] = u'X';
        SystemProcessSignals signals;
        const auto entry = killProcess(row(child.pid(), name), signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->success, isKilled);
        QCOMPARE(child.waitForEnd(isKilled ? 5000 : 0), isKilled ? SIGTERM : -1);
    }

    // pin() only binds: were the rule broken, this would fail without signalling anyone.
    void ancestorsAreLeftAlone() {
        SystemProcessSignals signals;
        int ancestors = 0;
        for (pid_t pid = getppid(); pid > 1; ++ancestors) {
            const PinResult pin = signals.pin(row(pid, QString::fromUtf8(procField(pid, "comm"))));
            QCOMPARE(pin.status, PinResult::Status::zombie);
            QVERIFY(!pin.process);
            const QByteArray stat = procField(pid, "stat");
            pid = stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toInt();
        }
        QVERIFY(ancestors > 0);
    }

    void pauseWaits() {
        QElapsedTimer timer;
        timer.start();
        SystemProcessSignals().pause(std::chrono::milliseconds(50));
        QVERIFY(timer.nsecsElapsed() >= 50'000'000);
    }
};

QTEST_APPLESS_MAIN(TestProcessSignals)
#include "test_process_signals.moc"
