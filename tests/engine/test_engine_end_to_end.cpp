#include "engine/i18n/lang.h"
#include "engine/monitor/process_monitor.h"
#include "memory_settings_store.h"
#include "test_child.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

// A monitor on the real system: /bin/ps, real signals, real day files.
class TestEngineEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Long names: the exact entry and the fuzzy one see past the kernel's 15 bytes.
    void watchedChildrenAreKilledAtTheFirstScanAndTheirEntriesReachTheDayFile() {
        QTemporaryDir dir;
        const QString tail = QStringLiteral("-long-victim-name");
        TestChild exact(QStringLiteral("zve"), {QStringLiteral("600")}, TestChild::OnTerm::end,
                        tail);
        TestChild fuzzy(QStringLiteral("zve"), {QStringLiteral("600")}, TestChild::OnTerm::block,
                        tail);
        auto settings = std::make_shared<MemorySettingsStore>();
        Lang lang(*settings, {QStringLiteral("en")});
        MonitorServices services = MonitorServices::system();
        services.settings = settings;
        services.lang = &lang;
        services.logsDir = dir.filePath(QStringLiteral("logs"));
        QList<KillLogEntry> shown;
        {
            ProcessMonitor monitor(services);
            monitor.addTarget(exact.name(), MatchMode::exact);
            // Unique only with the random digits, and past the 15 bytes only with the tail.
            monitor.addTarget(fuzzy.name().mid(4).toUpper(), MatchMode::fuzzy);
            QSignalSpy logged(&monitor, &ProcessMonitor::killLogChanged);
            monitor.startMonitoring();
            QTRY_COMPARE_WITH_TIMEOUT(logged.size(), 1, 10000);
            shown = monitor.killLog();
        }
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].processName, exact.name());
        QCOMPARE(shown[0].pid, qint32(exact.pid()));
        // Only the child that blocks the polite signal is certain to need the forced end.
        QVERIFY(shown[1].message.startsWith(lang.localized(QStringLiteral("msg_force_killed"))));
        QVERIFY(shown[0].success && shown[1].success);
        QVERIFY(exact.waitForEnd(5000) > 0);
        QCOMPARE(fuzzy.waitForEnd(5000), SIGKILL);
        QCOMPARE(ProcessMonitor(services).loadAllLogs().first().id, shown.first().id);
    }
};

QTEST_GUILESS_MAIN(TestEngineEndToEnd)
#include "test_engine_end_to_end.moc"
