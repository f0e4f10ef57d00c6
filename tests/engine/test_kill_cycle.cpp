#include "engine/i18n/lang.h"
#include "engine/i18n/text_format.h"
#include "engine/matching/match_preview.h"
#include "engine/process/kill_cycle.h"
#include "fake_services.h"
#include "memory_settings_store.h"
#include "record_lines.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>

namespace {
UserProcess process(qint32 pid, const QString& name, qint64 memoryKB = 0,
                    ProcessOrigin origin = ProcessOrigin::thirdParty) {
    // Path and arguments hold "zzq", which no rule may look at.
    return {
        pid,   501, name, std::nullopt, "/opt/zzq/" + name + " --zzq", memoryKB, "/opt/zzq/" + name,
        origin};
}

TargetProcess target(const QString& name, MatchMode mode = MatchMode::fuzzy, bool on = true) {
    return {QUuid::createUuid(), name, mode, on};
}
} // namespace

class TestKillCycle : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    Lang lang{store, {QStringLiteral("en")}};

    QString text(const char* key) const { return lang.localized(QString::fromLatin1(key)); }

private Q_SLOTS:
    void outcomes() {
        using S = PinResult::Status;
        const struct {
            PinScript script;
            const char* key; // null when there is no entry
            int error;       // the error number in the message
            const char* events;
        } cases[] = {
            {{S::pinned, 0, 0, true, 0}, "msg_killed", 0, "T,wait 100000,probe 42"},
            {{S::pinned, 0, 0, false, 0}, "msg_force_killed", 0, "T,wait 100000,probe 42,K"},
            {{S::pinned, 0, EPERM, false, 0}, "msg_no_permission", 0, "T"},
            {{S::pinned, 0, ESRCH, false, 0}, "msg_already_exited", 0, "T"},
            {{S::pinned, 0, EIO, false, 0}, "msg_failed", EIO, "T"},
            {{S::pinned, 0, 0, false, EPERM}, "msg_no_permission", 0, "T,wait 100000,probe 42,K"},
            {{S::pinned, 0, 0, false, ESRCH}, "msg_already_exited", 0, "T,wait 100000,probe 42,K"},
            {{S::gone}, "msg_already_exited", 0, ""},
            {{S::failed, EPERM}, "msg_no_permission", 0, ""},
            {{S::zombie}, nullptr, 0, ""},
        };
        for (const auto& c : cases) {
            FakeProcessSignals signals;
            signals.script(42, {c.script});
            UserProcess victim = process(42, QStringLiteral("tool-bin"), 1536);
            victim.localizedName = QStringLiteral("Tool Display");
            const QDateTime before = QDateTime::currentDateTimeUtc();
            const QList<KillLogEntry> batch = killProcesses({victim}, signals, lang);
            const QString events = signals.events()
                                       .join(u',')
                                       .replace(QStringLiteral("signal 42 15"), QStringLiteral("T"))
                                       .replace(QStringLiteral("signal 42 9"), QStringLiteral("K"));
            QCOMPARE(events, QStringLiteral("pin 42") + (*c.events ? "," : "") + c.events);
            QCOMPARE(batch.size(), c.key ? 1 : 0);
            if (!c.key)
                continue;
            const KillLogEntry& entry = batch[0];
            const QString outcome = c.error ? formatted(text(c.key), c.error) : text(c.key);
            QCOMPARE(entry.message, outcome + QStringLiteral(" (1.5 MB)"));
            QCOMPARE(entry.success, QByteArray(c.key).endsWith("killed"));
            QVERIFY(entry.processName == "tool-bin" && entry.pid == 42);
            QVERIFY(entry.timestamp >= before &&
                    entry.timestamp <= QDateTime::currentDateTimeUtc());
        }
    }

    // All are signalled before one shared wait; a stop asked for during a pin spares the rest.
    void oneWaitForAllAndStopSparesTheUnsignalled() {
        FakeProcessSignals signals;
        signals.script(2, {{PinResult::Status::pinned, 0, 0, false, 0}});
        std::stop_source stop;
        signals.onPin = [&stop](qint32 pid) {
            if (pid == 3)
                stop.request_stop();
        };
        const QList<KillLogEntry> batch =
            killProcesses({process(1, "a"), process(2, "b"), process(3, "c"), process(4, "d")},
                          signals, lang, stop.get_token());
        QCOMPARE(signals.events(), (QStringList{"pin 1", "signal 1 15", "pin 2", "signal 2 15",
                                                "pin 3", "signal 3 15", "wait 100000", "probe 1",
                                                "probe 2", "probe 3", "signal 2 9"}));
        QCOMPARE(pidsOf(batch).join(u' '), "1 2 3");
        QCOMPARE(batch[1].message, text("msg_force_killed"));
        QVERIFY(!batch[0].id.isNull() && batch[0].id != batch[2].id);
    }

    // No more are pinned at once than descriptors allow; one that finds none free while others
    // hold theirs starts the next batch, and only alone is it logged with the error. Other
    // failures to pin are logged where they happen.
    void batchesFitTheDescriptors() {
        FakeProcessSignals signals;
        signals.pinnable = 2;
        signals.script(2, {{PinResult::Status::failed, EMFILE}, PinScript()});
        signals.script(3, {{PinResult::Status::failed, EPERM}});
        signals.script(5, {{PinResult::Status::failed, EMFILE}});
        const QList<KillLogEntry> batch = killProcesses(
            {process(1, "a"), process(2, "b"), process(3, "c"), process(4, "d"), process(5, "e")},
            signals, lang);
        QCOMPARE(
            signals.events().filter(QRegularExpression("pin|wait")).join(u',').remove(" 100000"),
            "pin 1,pin 2,wait,pin 2,pin 3,pin 4,wait,pin 5");
        QCOMPARE(pidsOf(batch).join(u' '), "1 2 3 4 5");
        QCOMPARE(batch[1].message, text("msg_killed"));
        QCOMPARE(batch[4].message, formatted(text("msg_failed"), EMFILE));
    }

    void matching() {
        const auto fuzzy = MatchMode::fuzzy;
        const auto exact = MatchMode::exact;
        const QString nfc = QStringLiteral("caf\u00e9");
        const QString nfd = QStringLiteral("cafe\u0301");
        const struct {
            MatchMode mode;
            QString entry;
            QString name;
            QString shown; // the display name; null when there is none
            bool matches;
        } cases[] = {
            {fuzzy, "abc", "MyABCTool", {}, true},
            {fuzzy, "abc", "viewer-bin", "Abc Viewer", true},
            {fuzzy, "CAFE\u0301", "my" + nfc + "-tool", {}, true},
            {fuzzy, "cafe", nfc, {}, false},
            {fuzzy, "", "tool", "Tool", false},
            {fuzzy, "zzq", "helper", {}, false},
            {fuzzy, "abc", "bbc-tool", {}, false},
            {exact, "abc", "MyABCTool", {}, false},
            {exact, "viewer", "Viewer", {}, false},
            {exact, "Viewer", "viewer-bin", "Viewer", true},
            {exact, nfd, nfc, {}, true},
            {exact, "", "", "", false},
            // Beyond ASCII: case folds, accents and scripts count, U+0080 is no ASCII.
            {fuzzy, "\u00c9COLE", "mon-\u00e9cole", {}, true},
            {fuzzy, "ecole", "mon-\u00e9cole", {}, false},
            {fuzzy, "\u6587\u5b57", "edit", "\u6587\u5b57\u30a8\u30c7\u30a3\u30bf", true},
            {fuzzy, "\u6587\u5b57", "\u6587\u5b66", {}, false},
            {fuzzy, "a\u0080b", "xa\u0080by", {}, true},
            {fuzzy, "a\u0080b", "xab", {}, false},
        };
        for (const auto& c : cases) {
            UserProcess candidate = process(9, c.name);
            if (!c.shown.isNull())
                candidate.localizedName = c.shown;
            // A match is measured and signalled, nothing else.
            const TargetProcess watched = target(c.entry, c.mode);
            FakeProcessSignals signals;
            const ScanResult result = runKillCycle({candidate}, {watched}, signals, lang);
            QVERIFY2(result.targetInfo.contains(watched.id) == c.matches,
                     qPrintable(c.entry + c.name));
            QCOMPARE(result.batch.size(), c.matches ? 1 : 0);
        }
    }

    // Turkish folds I to dotless \u0131 and \u0130 to i; other languages keep the dot.
    void foldsCaseByLocale() {
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        if (turkish.toLower(QStringLiteral("I")) != QStringLiteral("\u0131"))
            QSKIP("Qt was built without locale-aware case mapping");
        const struct {
            QString entry;
            QString name;
            bool matchesElsewhere;
            bool matchesInTurkish;
        } cases[] = {
            {"\u0131stanbul", "ISTANBUL", false, true},
            {"istanbul", "\u0130STANBUL", false, true},
            {"\u0130stanbul", "\u0130STANBUL-sync", true, true},
        };
        FakeProcessSignals signals;
        for (const auto& c : cases) {
            const QList<UserProcess> candidate = {process(9, c.name)};
            const QList<TargetProcess> watched = {target(c.entry)};
            const bool matches = !runKillCycle(candidate, watched, signals, lang).batch.isEmpty();
            QLocale::setDefault(turkish);
            const bool matchesInTurkish =
                !runKillCycle(candidate, watched, signals, lang).batch.isEmpty();
            QLocale::setDefault(QLocale::c());
            QCOMPARE(matches, c.matchesElsewhere);
            QCOMPARE(matchesInTurkish, c.matchesInTurkish);
        }
    }

    // Figures for every entry; attempts in entry order, then snapshot order; a process two
    // entries match is attempted again once the first attempt is over.
    void figuresAndAttempts() {
        QList<UserProcess> snapshot = {process(1, "alpha-one", 1024, ProcessOrigin::system),
                                       process(2, "beta", 200),
                                       process(3, "alpha-two", 300, ProcessOrigin::unknown),
                                       process(4, "zombie-alpha", 400),
                                       process(5, "gamma", 500),
                                       process(6, "alpha-session", 600)};
        const QList<TargetProcess> targets = {target("beta", MatchMode::exact),
                                              target("ALPHA"),
                                              target("one"),
                                              target("gamma", MatchMode::exact, false),
                                              target("beta", MatchMode::exact),
                                              target("delta")};
        // The session's own process is measured, never signalled.
        snapshot[5].isSessionProcess = true;
        FakeProcessSignals signals;
        signals.script(1, {PinScript(), {PinResult::Status::gone}});
        signals.script(4, {{PinResult::Status::zombie}});
        const ScanResult result = runKillCycle(snapshot, targets, signals, lang);

        QCOMPARE(result.totalMemoryKB, 3024);
        QCOMPARE(result.targetInfo.size(), 5);
        const RunningTargetInfo alpha = result.targetInfo[targets[1].id];
        QCOMPARE(alpha.totalMemoryKB, 2324);
        QCOMPARE(alpha.processCount, 4);
        QCOMPARE(alpha.origin, ProcessOrigin::thirdParty);
        QCOMPARE(result.targetInfo[targets[3].id].totalMemoryKB, 500);
        QCOMPARE(result.targetInfo[targets[4].id].processCount, 1);
        QCOMPARE(pidsOf(result.batch).join(u' '), "2 1 3 1 2");
        QCOMPARE(result.batch[1].message, text("msg_killed") + QStringLiteral(" (1.0 MB)"));
        QCOMPARE(result.batch[3].message, text("msg_already_exited") + QStringLiteral(" (1.0 MB)"));
        QVERIFY(result.batch[1].success && !result.batch[3].success);
        QCOMPARE(signals.events().filter(QStringLiteral("pin ")).join(u','),
                 QStringLiteral("pin 2,pin 1,pin 3,pin 4,pin 1,pin 2"));
        QVERIFY(!signals.events().contains(QStringLiteral("signal 4 15")));
    }

    // What the field shows while an entry is typed: what a scan would end, by the same rule.
    void previewCountsWhatAScanWouldEnd() {
        QList<UserProcess> processes = {process(1, "web"),    process(2, "webkit"),
                                        process(3, "web"),    process(4, "bus-web"),
                                        process(5, "viewer"), process(6, "cobweb")};
        processes[3].isSessionProcess = true;
        processes[4].localizedName = QStringLiteral("Web Viewer");
        const MatchPreview fuzzy = previewMatches(processes, target("WEB"), 3);
        QCOMPARE(fuzzy.processCount, 5);
        QCOMPARE(fuzzy.sessionProcessCount, 1);
        QCOMPARE(fuzzy.names, QStringList({"web", "webkit", "viewer"}));
        QVERIFY(fuzzy.hasMoreNames);
        const MatchPreview exact = previewMatches(processes, target("web", MatchMode::exact), 2);
        QCOMPARE(exact.processCount, 2);
        QCOMPARE(exact.names, QStringList({"web"}));
        QVERIFY(!exact.hasMoreNames);
    }
};

QTEST_APPLESS_MAIN(TestKillCycle)
#include "test_kill_cycle.moc"
