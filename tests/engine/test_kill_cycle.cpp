#include "fake_services.h"
#include "kill_cycle.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_signals.h"
#include "text_format.h"

#include <QLocale>
#include <QTest>
#include <cerrno>
#include <csignal>

namespace {
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

Q_DECLARE_METATYPE(PinScript)
Q_DECLARE_METATYPE(MatchMode)

class TestKillCycle : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    Lang lang{store, {QStringLiteral("en")}};

    QString text(const char* key) const { return lang.localized(QString::fromLatin1(key)); }

private Q_SLOTS:
    void outcome_data() {
        QTest::addColumn<PinScript>("script");
        QTest::addColumn<QString>("key"); // empty when there is no entry
        QTest::addColumn<int>("error");   // the error number in the message
        QTest::addColumn<bool>("success");
        QTest::addColumn<QStringList>("events");
        using S = PinResult::Status;
        const QStringList pin = {"pin 42"};
        const QStringList term = pin + QStringList{"signal 42 15"};
        const QStringList probe = term + QStringList{"pause 100000", "probe 42"};
        const QStringList forced = probe + QStringList{"signal 42 9"};
        const auto row = [](const char* tag, PinScript script, const char* key, int error,
                            bool success, const QStringList& events) {
            QTest::newRow(tag) << script << QString::fromLatin1(key) << error << success << events;
        };
        row("ends politely", {S::pinned, 0, 0, true, 0}, "msg_killed", 0, true, probe);
        row("forced", {S::pinned, 0, 0, false, 0}, "msg_force_killed", 0, true, forced);
        row("polite refused", {S::pinned, 0, EPERM, false, 0}, "msg_no_permission", 0, false, term);
        row("polite finds none", {S::pinned, 0, ESRCH, false, 0}, "msg_already_exited", 0, false,
            term);
        row("polite fails otherwise", {S::pinned, 0, EIO, false, 0}, "msg_failed", EIO, false,
            term);
        row("forced refused", {S::pinned, 0, 0, false, EPERM}, "msg_no_permission", 0, false,
            forced);
        row("ends before the forced kill", {S::pinned, 0, 0, false, ESRCH}, "msg_already_exited", 0,
            false, forced);
        row("gone before the pin", {S::gone}, "msg_already_exited", 0, false, pin);
        row("pin refused", {S::failed, EPERM}, "msg_no_permission", 0, false, pin);
        row("pin fails otherwise", {S::failed, EMFILE}, "msg_failed", EMFILE, false, pin);
        row("zombie: no entry", {S::zombie}, "", 0, false, pin);
    }

    void outcome() {
        QFETCH(PinScript, script);
        QFETCH(QString, key);
        QFETCH(int, error);
        QFETCH(bool, success);
        QFETCH(QStringList, events);

        FakeProcessSignals signals;
        signals.script(42, {script});
        UserProcess victim = process(42, QStringLiteral("tool-bin"), 1536);
        victim.localizedName = QStringLiteral("Tool Display");
        const QDateTime before = QDateTime::currentDateTimeUtc();
        const std::optional<KillLogEntry> entry = killProcess(victim, signals, lang);

        QCOMPARE(signals.events(), events);
        QCOMPARE(entry.has_value(), !key.isEmpty());
        if (!entry)
            return;
        const QString outcomeText =
            error ? formatted(lang.localized(key), error) : lang.localized(key);
        QCOMPARE(entry->message, outcomeText + QStringLiteral(" (1.5 MB)"));
        QVERIFY(!error || entry->message.contains(QString::number(error)));
        QCOMPARE(entry->success, success);
        QCOMPARE(entry->processName, QStringLiteral("tool-bin"));
        QCOMPARE(entry->pid, 42);
        QCOMPARE(entry->timestamp.timeSpec(), Qt::UTC);
        QVERIFY(entry->timestamp >= before && entry->timestamp <= QDateTime::currentDateTimeUtc());
    }

    void eachAttemptHasItsOwnIdAndNoSizeWithoutMemory() {
        FakeProcessSignals signals;
        const auto first = killProcess(process(7, QStringLiteral("tool")), signals, lang);
        const auto second = killProcess(process(7, QStringLiteral("tool")), signals, lang);
        QVERIFY(first && second);
        QVERIFY(!first->id.isNull() && first->id != second->id);
        QCOMPARE(first->message, text("msg_killed"));
    }

    void matching_data() {
        QTest::addColumn<MatchMode>("mode");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("localizedName"); // null when there is none
        QTest::addColumn<bool>("matches");
        const auto row = [](const char* tag, MatchMode mode, const QString& entry,
                            const QString& name, const QString& localizedName, bool matches) {
            QTest::newRow(tag) << mode << entry << name << localizedName << matches;
        };
        const auto fuzzy = MatchMode::fuzzy;
        const auto exact = MatchMode::exact;
        const QString none;
        const QString nfc = QStringLiteral("caf\u00e9");
        const QString nfd = QStringLiteral("cafe\u0301");
        row("fuzzy, part of the name", fuzzy, "abc", "MyABCTool", none, true);
        row("fuzzy, part of the display name", fuzzy, "abc", "viewer-bin", "Abc Viewer", true);
        row("fuzzy, part of neither", fuzzy, "abd", "MyABCTool", "Abc Viewer", false);
        row("fuzzy, decomposed upper case", fuzzy, "CAFE\u0301", "my" + nfc + "-tool", none, true);
        row("fuzzy, marks count", fuzzy, "cafe", nfc, none, false);
        row("fuzzy, empty entry", fuzzy, "", "tool", "Tool", false);
        row("exact, not a part", exact, "abc", "MyABCTool", none, false);
        row("exact, same", exact, "Viewer", "Viewer", none, true);
        row("exact, other case", exact, "viewer", "Viewer", none, false);
        row("exact, display name", exact, "Viewer", "viewer-bin", "Viewer", true);
        row("exact, decomposed entry", exact, nfd, nfc, none, true);
        row("exact, empty entry and name", exact, "", "", "", false);
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
        QVERIFY(!signals.events().contains(QStringLiteral("pin 4")));
    }

    void batchOrder() {
        const QList<UserProcess> snapshot = {
            process(1, QStringLiteral("alpha-one"), 1024),
            process(2, QStringLiteral("beta")),
            process(3, QStringLiteral("alpha-two")),
            process(4, QStringLiteral("zombie-alpha")),
        };
        const QList<TargetProcess> targets = {target(QStringLiteral("beta"), MatchMode::exact),
                                              target(QStringLiteral("alpha")),
                                              target(QStringLiteral("one"))};
        FakeProcessSignals signals;
        // The first attempt ends process 1; the second entry finds it gone.
        signals.script(1, {PinScript(), {PinResult::Status::gone}});
        signals.script(4, {{PinResult::Status::zombie}});
        const ScanResult result = runKillCycle(snapshot, targets, targets, signals, lang);

        QCOMPARE(pidsOf(result.batch), (QList<qint32>{2, 1, 3, 1}));
        QCOMPARE(result.batch[1].message, text("msg_killed") + QStringLiteral(" (1.0 MB)"));
        QVERIFY(result.batch[1].success);
        QCOMPARE(result.batch[3].message, text("msg_already_exited") + QStringLiteral(" (1.0 MB)"));
        QVERIFY(!result.batch[3].success);
        QCOMPARE(signals.events().filter(QStringLiteral("pin ")),
                 (QStringList{"pin 2", "pin 1", "pin 3", "pin 4", "pin 1"}));
        QVERIFY(!signals.events().contains(QStringLiteral("signal 4 15")));
    }
};

QTEST_APPLESS_MAIN(TestKillCycle)
#include "test_kill_cycle.moc"
