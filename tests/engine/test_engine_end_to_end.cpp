#include "kill_log_store.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_monitor.h"
#include "test_child.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

// A monitor on the real system: /bin/ps, real signals, real day files.
class TestEngineEndToEnd : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private Q_SLOTS:
    // Long names: the exact entry and the fuzzy one see past the kernel's 15 bytes.
    void watchedChildrenAreKilledAtTheFirstScanAndTheirEntriesReachTheDayFile() {
        QVERIFY(dir_.isValid());
        const QString tail = QStringLiteral("-long-victim-name");
        TestChild child(QStringLiteral("zve"), {QStringLiteral("600")}, TestChild::OnTerm::end,
                        tail);
        TestChild fuzzyChild(QStringLiteral("zve"), {QStringLiteral("600")}, TestChild::OnTerm::end,
                             tail);
        QVERIFY(child.isStarted() && fuzzyChild.isStarted());
        const QString name = child.name();

        auto settings = std::make_shared<MemorySettingsStore>();
        Lang lang(*settings, {QStringLiteral("en")});
        MonitorServices services = MonitorServices::system();
        services.settings = settings;
        services.lang = &lang;
        services.logsDir = dir_.filePath(QStringLiteral("logs"));

        ProcessMonitor monitor(services);
        monitor.addTarget(name, MatchMode::exact);
        // Unique only with the random digits, and past the 15 bytes only with the tail.
        monitor.addTarget(fuzzyChild.name().mid(4).toUpper(), MatchMode::fuzzy);
        QSignalSpy logged(&monitor, &ProcessMonitor::killLogChanged);
        monitor.startMonitoring();
        QTRY_COMPARE_WITH_TIMEOUT(logged.size(), 1, 10000);
        monitor.stopMonitoring();

        QCOMPARE(monitor.killLog().size(), 2);
        const KillLogEntry entry = monitor.killLog().first();
        QCOMPARE(entry.processName, name);
        QCOMPARE(entry.pid, qint32(child.pid()));
        QVERIFY(entry.success);
        QVERIFY2(entry.message.startsWith(lang.localized(QStringLiteral("msg_killed"))),
                 qPrintable(entry.message));
        QCOMPARE(monitor.killLog().last().processName, fuzzyChild.name());
        QCOMPARE(child.waitForEnd(5000), SIGTERM);
        QCOMPARE(fuzzyChild.waitForEnd(5000), SIGTERM);

        monitor.flushLog();
        const QList<KillLogEntry> stored = monitor.loadAllLogs();
        QVERIFY(QFile::exists(
            QDir(services.logsDir).filePath(KillLogStore::dayFileName(QDate::currentDate()))));
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored.first().id, entry.id);
        QCOMPARE(stored.first().message, entry.message);
    }
};

QTEST_GUILESS_MAIN(TestEngineEndToEnd)
#include "test_engine_end_to_end.moc"
