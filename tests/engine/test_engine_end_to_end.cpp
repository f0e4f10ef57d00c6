#include "kill_log_store.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_monitor.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A monitor on the real system: /bin/ps, real signals, real day files.
class TestEngineEndToEnd : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QProcess child_;

private Q_SLOTS:
    void cleanup() {
        if (child_.state() != QProcess::NotRunning) {
            child_.kill();
            child_.waitForFinished();
        }
    }

    void aWatchedChildIsKilledAtTheFirstScanAndItsEntryReachesTheDayFile() {
        QVERIFY(dir_.isValid());
        // A name no other program uses, within the kernel's 15 characters.
        const QString name =
            QStringLiteral("zve-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString program = dir_.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program));
        child_.start(program, {QStringLiteral("60")});
        QVERIFY(child_.waitForStarted());

        auto settings = std::make_shared<MemorySettingsStore>();
        Lang lang(*settings, {QStringLiteral("en")});
        MonitorServices services = MonitorServices::system();
        services.settings = settings;
        services.lang = &lang;
        services.logsDir = dir_.filePath(QStringLiteral("logs"));

        ProcessMonitor monitor(services);
        monitor.addTarget(name, MatchMode::exact);
        QSignalSpy logged(&monitor, &ProcessMonitor::killLogChanged);
        monitor.startMonitoring();
        QTRY_COMPARE_WITH_TIMEOUT(logged.size(), 1, 10000);
        monitor.stopMonitoring();

        QCOMPARE(monitor.killLog().size(), 1);
        const KillLogEntry entry = monitor.killLog().first();
        QCOMPARE(entry.processName, name);
        QCOMPARE(entry.pid, qint32(child_.processId()));
        QVERIFY(entry.success);
        QVERIFY2(entry.message.startsWith(lang.localized(QStringLiteral("msg_killed"))),
                 qPrintable(entry.message));
        QVERIFY(child_.waitForFinished(5000));
        QCOMPARE(child_.exitStatus(), QProcess::CrashExit);

        monitor.flushLog();
        QVERIFY(QFile::exists(QDir(services.logsDir).filePath(KillLogStore::dayFileName(QDate::currentDate()))));
        const QList<KillLogEntry> stored = monitor.loadAllLogs();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().id, entry.id);
        QCOMPARE(stored.first().message, entry.message);
    }
};

QTEST_GUILESS_MAIN(TestEngineEndToEnd)
#include "test_engine_end_to_end.moc"
