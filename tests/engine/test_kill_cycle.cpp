#include "kill_cycle.h"
#include "text_format.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_signals.h"

#include <QHash>
#include <QLocale>
#include <QTest>
#include <cerrno>
#include <csignal>

namespace {
// How one pin of a process goes, and how the process answers the signals after it.
struct PinScript {
    PinResult::Status status = PinResult::Status::pinned;
    int pinError = 0;
    int termError = 0;
    bool endsAfterTerm = true;
    int killError = 0;
};

// Signals nothing; plays the scripts and writes down every step in order.
class FakeProcessSignals final : public ProcessSignals {
public:
    // One script per pin of a pid, the last one repeating; unscripted processes end politely.
    QHash<qint32, QList<PinScript>> scripts;
    QStringList events;

    PinResult pin(const UserProcess& process) override {
        events << QStringLiteral("pin %1").arg(process.pid);
        QList<PinScript>& queue = scripts[process.pid];
        const PinScript script = queue.isEmpty() ? PinScript() : queue.first();
        if (queue.size() > 1)
            queue.removeFirst();
        PinResult result;
        result.status = script.status;
        result.error = script.pinError;
        if (script.status == PinResult::Status::pinned)
            result.process = std::make_unique<Pinned>(*this, process.pid, script);
        return result;
    }

    void pause(std::chrono::microseconds duration) override {
        events << QStringLiteral("pause %1").arg(duration.count());
    }

private:
    class Pinned final : public PinnedProcess {
    public:
        Pinned(FakeProcessSignals& owner, qint32 pid, PinScript script)
            : owner_(owner), pid_(pid), script_(script) {}
        int sendSignal(int signal) override {
            owner_.events << QStringLiteral("signal %1 %2").arg(pid_).arg(signal);
            return signal == SIGTERM ? script_.termError
                                     : (signal == SIGKILL ? script_.killError : 0);
        }
        bool hasEnded() override {
            owner_.events << QStringLiteral("probe %1").arg(pid_);
            return script_.endsAfterTerm;
        }

    private:
        FakeProcessSignals& owner_;
        qint32 pid_;
        PinScript script_;
    };
};

UserProcess process(qint32 pid, const QString& name, qint64 memoryKB = 0,
                    ProcessOrigin origin = ProcessOrigin::thirdParty) {
    UserProcess p;
    p.pid = pid;
    p.uid = 501;
    p.name = name;
    p.path = name;
    p.memoryKB = memoryKB;
    p.origin = origin;
    return p;
}

TargetProcess target(const QString& name, MatchMode mode = MatchMode::fuzzy,
                     bool isEnabled = true) {
    return {QUuid::createUuid(), name, mode, isEnabled};
}

QList<qint32> pidsOf(const QList<KillLogEntry>& batch) {
    QList<qint32> pids;
    for (const KillLogEntry& entry : batch)
        pids << entry.pid;
    return pids;
}
} // namespace

Q_DECLARE_METATYPE(PinResult::Status)
Q_DECLARE_METATYPE(MatchMode)

class TestKillCycle : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    Lang lang{store, {QStringLiteral("en")}};

    QString text(const char* key) const { return lang.localized(QString::fromLatin1(key)); }

private Q_SLOTS:
    void outcome_data() {
        using S = PinResult::Status;
        QTest::addColumn<S>("pinStatus");
        QTest::addColumn<int>("pinError");
        QTest::addColumn<int>("termError");
        QTest::addColumn<bool>("endsAfterTerm");
        QTest::addColumn<int>("killError");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QStringList>("events");

        const QStringList term = {"pin 42", "signal 42 15"};
        const QStringList probe = term + QStringList{"pause 100000", "probe 42"};
        const QStringList forced = probe + QStringList{"signal 42 9"};

        QTest::newRow("polite refused")
            << S::pinned << 0 << EPERM << false << 0 << "msg_no_permission" << 0 << false << term;
        QTest::newRow("polite finds none")
            << S::pinned << 0 << ESRCH << false << 0 << "msg_already_exited" << 0 << false << term;
        QTest::newRow("polite fails otherwise")
            << S::pinned << 0 << EIO << false << 0 << "msg_failed" << EIO << false << term;
        QTest::newRow("ends politely")
            << S::pinned << 0 << 0 << true << 0 << "msg_killed" << 0 << true << probe;
        QTest::newRow("forced") << S::pinned << 0 << 0 << false << 0 << "msg_force_killed" << 0
                                << true << forced;
        QTest::newRow("forced refused")
            << S::pinned << 0 << 0 << false << EPERM << "msg_no_permission" << 0 << false << forced;
        QTest::newRow("ends before the forced kill")
            << S::pinned << 0 << 0 << false << ESRCH << "msg_already_exited" << 0 << false
            << forced;
        QTest::newRow("forced fails otherwise")
            << S::pinned << 0 << 0 << false << EINVAL << "msg_failed" << EINVAL << false << forced;
        QTest::newRow("gone before the pin")
            << S::gone << 0 << 0 << true << 0 << "msg_already_exited" << 0 << false
            << QStringList{"pin 42"};
        QTest::newRow("pin refused") << S::failed << EPERM << 0 << true << 0 << "msg_no_permission"
                                     << 0 << false << QStringList{"pin 42"};
        QTest::newRow("pin finds none")
            << S::failed << ESRCH << 0 << true << 0 << "msg_already_exited" << 0 << false
            << QStringList{"pin 42"};
        QTest::newRow("pin fails otherwise")
            << S::failed << EMFILE << 0 << true << 0 << "msg_failed" << EMFILE << false
            << QStringList{"pin 42"};
        QTest::newRow("zombie: no entry")
            << S::zombie << 0 << 0 << true << 0 << QString() << 0 << false << QStringList{"pin 42"};
    }

    void outcome() {
        QFETCH(PinResult::Status, pinStatus);
        QFETCH(int, pinError);
        QFETCH(int, termError);
        QFETCH(bool, endsAfterTerm);
        QFETCH(int, killError);
        QFETCH(QString, key);
        QFETCH(int, error);
        QFETCH(bool, success);
        QFETCH(QStringList, events);

        FakeProcessSignals signals;
        signals.scripts[42] = {{pinStatus, pinError, termError, endsAfterTerm, killError}};
        UserProcess victim = process(42, QStringLiteral("tool-bin"), 1536);
        victim.localizedName = QStringLiteral("Tool Display");

        const QDateTime before = QDateTime::currentDateTimeUtc();
        const std::optional<KillLogEntry> entry = killProcess(victim, signals, lang);
        const QDateTime after = QDateTime::currentDateTimeUtc();

        QCOMPARE(signals.events, events);
        if (key.isEmpty()) {
            QVERIFY(!entry);
            return;
        }
        QVERIFY(entry);
        const QString outcomeText =
            error ? formatted(lang.localized(key), error) : lang.localized(key);
        QCOMPARE(entry->message, outcomeText + QStringLiteral(" (1.5 MB)"));
        if (error)
            QVERIFY(entry->message.contains(QString::number(error)));
        QCOMPARE(entry->success, success);
        QCOMPARE(entry->processName, QStringLiteral("tool-bin"));
        QCOMPARE(entry->pid, 42);
        QVERIFY(!entry->id.isNull());
        QCOMPARE(entry->timestamp.timeSpec(), Qt::UTC);
        QVERIFY(entry->timestamp >= before && entry->timestamp <= after);
    }

    void freshIdEveryAttempt() {
        FakeProcessSignals signals;
        const UserProcess victim = process(7, QStringLiteral("tool"));
        QVERIFY(killProcess(victim, signals, lang)->id != killProcess(victim, signals, lang)->id);
    }

    void noSuffixWithoutMemory_data() {
        QTest::addColumn<qint64>("memoryKB");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("negative") << qint64(-1);
    }

    void noSuffixWithoutMemory() {
        QFETCH(qint64, memoryKB);
        FakeProcessSignals signals;
        const auto entry = killProcess(process(7, QStringLiteral("tool"), memoryKB), signals, lang);
        QVERIFY(entry);
        QCOMPARE(entry->message, text("msg_killed"));
    }

    void matching_data() {
        QTest::addColumn<MatchMode>("mode");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("localizedName");
        QTest::addColumn<bool>("matches");

        const auto fuzzy = MatchMode::fuzzy;
        const auto exact = MatchMode::exact;
        const QString none;
        const QString nfc = QStringLiteral("caf\u00e9");
        const QString nfd = QStringLiteral("cafe\u0301");

        QTest::newRow("fuzzy, name") << fuzzy << "abc"
                                     << "MyABCTool" << none << true;
        QTest::newRow("fuzzy, display name") << fuzzy << "abc"
                                             << "viewer-bin"
                                             << "Abc Viewer" << true;
        QTest::newRow("fuzzy, no part") << fuzzy << "abd"
                                        << "MyABCTool"
                                        << "Abc Viewer" << false;
        QTest::newRow("fuzzy, longer than name") << fuzzy << "MyABCTools"
                                                 << "MyABCTool" << none << false;
        QTest::newRow("exact, not a part") << exact << "abc"
                                           << "MyABCTool" << none << false;
        QTest::newRow("exact, not a display-name part") << exact << "abc"
                                                        << "viewer-bin"
                                                        << "Abc Viewer" << false;
        QTest::newRow("exact, same") << exact << "Viewer"
                                     << "Viewer" << none << true;
        QTest::newRow("exact, other case") << exact << "viewer"
                                           << "Viewer" << none << false;
        QTest::newRow("exact, display name") << exact << "Viewer"
                                             << "viewer-bin"
                                             << "Viewer" << true;
        QTest::newRow("exact, composed entry") << exact << nfc << nfd << none << true;
        QTest::newRow("exact, decomposed entry") << exact << nfd << nfc << none << true;
        QTest::newRow("fuzzy, decomposed upper case")
            << fuzzy << QStringLiteral("CAFE\u0301") << "my" + nfc + "-tool" << none << true;
        QTest::newRow("fuzzy, marks count") << fuzzy << "cafe" << nfc << none << false;
        QTest::newRow("fuzzy, empty entry") << fuzzy << ""
                                            << "tool"
                                            << "Tool" << false;
        QTest::newRow("exact, empty entry, empty name") << exact << ""
                                                        << ""
                                                        << "" << false;
    }

    void matching() {
        QFETCH(MatchMode, mode);
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, localizedName);
        QFETCH(bool, matches);

        UserProcess candidate = process(9, name);
        if (!localizedName.isNull())
            candidate.localizedName = localizedName;
        const TargetProcess watched = target(entry, mode);
        QCOMPARE(matchesTarget(watched, candidate), matches);

        // The cycle uses the same rule: a match is signalled, anything else is not.
        FakeProcessSignals signals;
        const ScanResult result = runKillCycle({candidate}, {watched}, {watched}, signals, lang);
        QCOMPARE(result.batch.size(), matches ? 1 : 0);
        QCOMPARE(result.targetInfo.contains(watched.id), matches);
    }

    void pathAndArgsNeverMatch() {
        UserProcess candidate = process(9, QStringLiteral("helper"));
        candidate.path = QStringLiteral("/opt/abc/helper");
        candidate.args = QStringLiteral("/opt/abc/helper --abc");
        QVERIFY(!matchesTarget(target(QStringLiteral("abc")), candidate));
        QVERIFY(
            !matchesTarget(target(QStringLiteral("/opt/abc/helper"), MatchMode::exact), candidate));
    }

    void foldsCaseByLocale() {
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        if (turkish.toLower(QStringLiteral("I")) != QStringLiteral("\u0131"))
            QSKIP("Qt was built without locale-aware case mapping");
        const UserProcess candidate = process(9, QStringLiteral("ISTANBUL"));
        const TargetProcess dotless = target(QStringLiteral("\u0131stanbul"));
        QVERIFY(!matchesTarget(dotless, candidate));
        QLocale::setDefault(turkish);
        const bool matchesInTurkish = matchesTarget(dotless, candidate);
        QLocale::setDefault(QLocale::c());
        QVERIFY(matchesInTurkish);
    }

    void figures() {
        const QList<UserProcess> snapshot = {
            process(1, QStringLiteral("alpha-one"), 100, ProcessOrigin::system),
            process(2, QStringLiteral("beta"), 200),
            process(3, QStringLiteral("alpha-two"), 300, ProcessOrigin::thirdParty),
            process(4, QStringLiteral("gamma"), 400, ProcessOrigin::unknown),
        };
        const TargetProcess alpha = target(QStringLiteral("ALPHA"));
        const TargetProcess gamma = target(QStringLiteral("gamma"), MatchMode::exact, false);
        const TargetProcess missing = target(QStringLiteral("delta"));
        FakeProcessSignals signals;
        const ScanResult result =
            runKillCycle(snapshot, {alpha, gamma, missing}, {alpha, missing}, signals, lang);

        QCOMPARE(result.totalMemoryKB, 1000);
        QCOMPARE(result.targetInfo.size(), 2);
        QCOMPARE(result.targetInfo[alpha.id].totalMemoryKB, 400);
        QCOMPARE(result.targetInfo[alpha.id].processCount, 2);
        QCOMPARE(result.targetInfo[alpha.id].origin, ProcessOrigin::thirdParty);
        QCOMPARE(result.targetInfo[gamma.id].totalMemoryKB, 400);
        QCOMPARE(result.targetInfo[gamma.id].processCount, 1);
        QCOMPARE(result.targetInfo[gamma.id].origin, ProcessOrigin::unknown);
        // The disabled entry is measured but its process is left alone.
        QCOMPARE(pidsOf(result.batch), (QList<qint32>{1, 3}));
        QVERIFY(!signals.events.contains(QStringLiteral("pin 4")));
    }

    void batchOrder() {
        const QList<UserProcess> snapshot = {
            process(1, QStringLiteral("alpha-one"), 1024),
            process(2, QStringLiteral("beta")),
            process(3, QStringLiteral("alpha-two")),
            process(4, QStringLiteral("zombie-alpha")),
        };
        const TargetProcess beta = target(QStringLiteral("beta"), MatchMode::exact);
        const TargetProcess alpha = target(QStringLiteral("alpha"));
        const TargetProcess one = target(QStringLiteral("one"));
        FakeProcessSignals signals;
        // The first attempt ends process 1; the second entry finds it gone.
        signals.scripts[1] = {PinScript(), {PinResult::Status::gone}};
        signals.scripts[4] = {{PinResult::Status::zombie}};

        const QList<TargetProcess> targets = {beta, alpha, one};
        const ScanResult result = runKillCycle(snapshot, targets, targets, signals, lang);

        QCOMPARE(pidsOf(result.batch), (QList<qint32>{2, 1, 3, 1}));
        QCOMPARE(result.batch[1].message, text("msg_killed") + QStringLiteral(" (1.0 MB)"));
        QVERIFY(result.batch[1].success);
        QCOMPARE(result.batch[3].message, text("msg_already_exited") + QStringLiteral(" (1.0 MB)"));
        QVERIFY(!result.batch[3].success);
        const QStringList pins = signals.events.filter(QStringLiteral("pin "));
        QCOMPARE(pins, (QStringList{"pin 2", "pin 1", "pin 3", "pin 4", "pin 1"}));
        QVERIFY(!signals.events.contains(QStringLiteral("signal 4 15")));
    }

    void emptySnapshot() {
        FakeProcessSignals signals;
        const TargetProcess alpha = target(QStringLiteral("alpha"));
        const ScanResult result = runKillCycle({}, {alpha}, {alpha}, signals, lang);
        QVERIFY(result.targetInfo.isEmpty());
        QCOMPARE(result.totalMemoryKB, 0);
        QVERIFY(result.batch.isEmpty());
        QVERIFY(signals.events.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestKillCycle)
#include "test_kill_cycle.moc"
