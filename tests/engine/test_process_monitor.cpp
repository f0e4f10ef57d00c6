#include "fake_monitor_world.h"
#include "lang.h"
#include "memory_file_system.h"
#include "record_json.h"
#include "record_lines.h"
#include "settings_keys.h"
#include "stdout_capture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {
constexpr unsigned me = 501; // the user of the fake world

// Stamped in whole seconds, as entries come back from a day file.
KillLogEntry entry(const QString& name, qint32 pid) {
    KillLogEntry logged{QUuid::createUuid(), {}, name, pid, true, QStringLiteral("Terminated")};
    logged.timestamp = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    return logged;
}

QList<KillLogEntry> entries(const QString& name, int count) {
    QList<KillLogEntry> list;
    for (int i = 0; i < count; ++i)
        list.append(entry(name, i));
    return list;
}
} // namespace

class TestProcessMonitor : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeMonitorWorld> world_;
    std::shared_ptr<MemoryFileSystem> files_;
    MemorySettingsStore langSettings_;
    Lang lang_{langSettings_, {QStringLiteral("en")}};

    // The fake world with files in memory and a second of 20 ms.
    MonitorServices services() const {
        MonitorServices services = world_->services();
        services.files = files_;
        services.lang = &lang_;
        services.second = std::chrono::milliseconds(20);
        return services;
    }

    QList<TargetProcess> storedTargets() const {
        return decodeTargets(world_->settings->value(SettingsKeys::targets).toByteArray())
            .value_or(QList<TargetProcess>());
    }

private Q_SLOTS:
    void init() {
        world_ = std::make_unique<FakeMonitorWorld>();
        files_ = std::make_shared<MemoryFileSystem>();
        files_->makePath(QStringLiteral("/export"));
    }

    void constructionLoadsTheWatchList() {
        const QList<TargetProcess> stored = {
            {QUuid::createUuid(), QStringLiteral("Alpha"), MatchMode::exact, false},
            {QUuid::createUuid(), QStringLiteral("beta"), MatchMode::fuzzy, true}};
        world_->settings->setValue(SettingsKeys::targets,
                                   encodeTargets(stored, JsonStyle::compact));
        ProcessMonitor monitor(services());
        QCOMPARE(recordLines(monitor.targets()), recordLines(stored));
        QVERIFY(!monitor.isMonitoring());
        QCOMPARE(monitor.scanInterval(), 5.0);
        QVERIFY(files_->dirs.contains(monitor.logsDir()));
    }

    void scansStartAtOnceRepeatStopAndRestartOnANewInterval() {
        ProcessMonitor monitor(services());
        QSignalSpy monitoring(&monitor, &ProcessMonitor::isMonitoringChanged);
        QSignalSpy info(&monitor, &ProcessMonitor::targetInfoChanged);
        monitor.startMonitoring();
        QTRY_COMPARE(info.size(), 1);
        QCOMPARE(world_->runner->tableRuns(), 1);
        // 5 "seconds" of 20 ms: the next scan follows after about 100 ms.
        QTRY_COMPARE_WITH_TIMEOUT(info.size(), 2, 2000);
        monitor.stopMonitoring();
        QTest::qWait(50);
        const int runs = world_->runner->tableRuns();
        // Idle, a new interval (at least a second) starts nothing.
        monitor.setScanInterval(0.5);
        QCOMPARE(monitor.scanInterval(), 1.0);
        QTest::qWait(250);
        QCOMPARE(world_->runner->tableRuns(), runs);

        // Monitoring, a new interval restarts it with a scan at once.
        monitor.startMonitoring();
        monitor.setScanInterval(60);
        QCOMPARE(monitoring.size(), 5);
        QCOMPARE(monitoring[3][0].toBool(), false);
        QTRY_COMPARE(world_->runner->tableRuns(), runs + 2);
        QCOMPARE(monitor.scanInterval(), 60.0);
    }

    void aScanKillsEnabledMatchesAndPublishesFigures() {
        world_->runner->setTable(
            FakeProcessRunner::tableOf({{101, me, 2048, QStringLiteral("victim")},
                                        {102, me, 512, QStringLiteral("other")},
                                        {103, me + 1, 64, QStringLiteral("victim")}}));
        ProcessMonitor monitor(services());
        monitor.addTarget(QStringLiteral("victim"), MatchMode::exact);
        monitor.addTarget(QStringLiteral("other"), MatchMode::fuzzy);
        monitor.toggleTarget(monitor.targets()[1].id);

        QSignalSpy total(&monitor, &ProcessMonitor::totalUserMemoryMBChanged);
        monitor.startMonitoring();
        QTRY_COMPARE(total.size(), 1);
        monitor.stopMonitoring();

        QCOMPARE(monitor.totalUserMemoryMB(), 2560.0 / 1024.0);
        QCOMPARE(monitor.targetInfo().size(), 2);
        QCOMPARE(monitor.targetInfo()[monitor.targets()[1].id].totalMemoryKB, 512);
        QCOMPARE(monitor.killLog().size(), 1);
        QCOMPARE(monitor.killLog()[0].pid, 101);
        QCOMPARE(world_->signals->events().filter(QStringLiteral("signal")),
                 QStringList{"signal 101 15"});
    }

    void aCycleQueuedBeforeStopStillReportsAndADeadMonitorGetsNothing() {
        world_->runner->setTable(
            FakeProcessRunner::tableOf({{101, me, 1, QStringLiteral("victim")}}));
        {
            ProcessMonitor monitor(services());
            monitor.addTarget(QStringLiteral("victim"), MatchMode::fuzzy);
            monitor.startMonitoring();
            monitor.stopMonitoring();
            QTRY_COMPARE(monitor.killLog().size(), 1);
        }
        auto* doomed = new ProcessMonitor(services());
        doomed->addTarget(QStringLiteral("victim"), MatchMode::fuzzy);
        doomed->performScan();
        delete doomed;
        QTest::qWait(50); // a result posted by a cycle that was running must find nobody
    }

    void watchListChangesAreSavedAndSurviveARestart() {
        {
            ProcessMonitor monitor(services());
            monitor.addTarget(QStringLiteral("one"), MatchMode::fuzzy);
            monitor.addTarget(QStringLiteral("one"), MatchMode::fuzzy);
            monitor.addTarget(QStringLiteral("two words"), MatchMode::exact);
            QVERIFY(monitor.targets()[0].id != monitor.targets()[1].id);
            monitor.toggleTarget(monitor.targets()[2].id);
            monitor.removeTarget(monitor.targets()[0].id);
            const int writes = world_->settings->writes;
            monitor.toggleTarget(QUuid::createUuid());
            QCOMPARE(world_->settings->writes, writes);
        }
        const QList<TargetProcess> restarted = ProcessMonitor(services()).targets();
        QCOMPARE(restarted.size(), 2);
        QCOMPARE(restarted[1].name, QStringLiteral("two words"));
        QCOMPARE(restarted[1].matchMode, MatchMode::exact);
        QCOMPARE(restarted[1].isEnabled, false);
    }

    void exportAndImportOfTheWatchList() {
        ProcessMonitor monitor(services());
        FakeFileChooser chooser;
        chooser.savePath = QStringLiteral("/export/list.json");
        monitor.exportTargets(chooser);
        QCOMPARE(chooser.beeps, 1);
        QCOMPARE(chooser.savePanels, 0);
        monitor.addTarget(QStringLiteral("Helper"), MatchMode::fuzzy);
        monitor.exportTargets(chooser);
        QCOMPARE(chooser.lastSuggestedName, QStringLiteral("Zentrav-Targets.json"));
        QCOMPARE(files_->files.value(*chooser.savePath),
                 encodeTargets(monitor.targets(), JsonStyle::prettySorted));

        const QString id = QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF");
        const QByteArray imported = QStringLiteral(R"([
            {"id":"%1","name":"HELPER","matchMode":"exact","isEnabled":true},
            {"id":"%1","name":"quiet","matchMode":"exact","isEnabled":false},
            {"id":"%1","name":"Quiet","matchMode":"fuzzy","isEnabled":true}])")
                                        .arg(id)
                                        .toUtf8();
        // One bad element, an unreadable file: a beep and no change. No file chosen: nothing.
        const QVariant stored = world_->settings->value(SettingsKeys::targets);
        chooser.openPath = QStringLiteral("/export/other.json");
        files_->files.insert(*chooser.openPath,
                             QByteArray(imported).replace(",\"isEnabled\":false", ""));
        monitor.importTargets(chooser);
        files_->files.remove(*chooser.openPath);
        monitor.importTargets(chooser);
        chooser.openPath.reset();
        monitor.importTargets(chooser);
        QCOMPARE(chooser.beeps, 3);
        QCOMPARE(monitor.targets().size(), 1);
        QCOMPARE(world_->settings->value(SettingsKeys::targets), stored);

        // Names already listed are skipped whatever their case; the rest come with new ids, in
        // one save.
        chooser.openPath = QStringLiteral("/export/other.json");
        files_->files.insert(*chooser.openPath, imported);
        const int writes = world_->settings->writes;
        monitor.importTargets(chooser);
        QCOMPARE(world_->settings->writes, writes + 1);
        QStringList listed;
        for (const TargetProcess& target : monitor.targets())
            listed << target.name + (target.isEnabled ? QString() : QStringLiteral(" (off)"));
        QCOMPARE(listed, QStringList({"Helper", "quiet (off)", "Quiet"}));
        QVERIFY(monitor.targets()[1].id != QUuid(id));
        QCOMPARE(recordLines(storedTargets()), recordLines(monitor.targets()));
    }

    void aFailedWriteLosesNothingAndWhatNoFileTookIsSaidAtTheEnd() {
        auto monitor = std::make_unique<ProcessMonitor>(services());
        const QList<KillLogEntry> first = {entry(QStringLiteral("first"), 1)};
        const QList<KillLogEntry> second = {entry(QStringLiteral("second"), 2)};
        files_->failWrites = true;
        monitor->appendLogEntries(first);
        monitor->flushLog();
        QVERIFY(monitor->killLog().isEmpty());
        QVERIFY(monitor->loadAllLogs().isEmpty());
        files_->failWrites = false;
        monitor->appendLogEntries(second);
        monitor->flushLog();
        QCOMPARE(recordLines(monitor->loadAllLogs()), recordLines(first + second));

        files_->failWrites = true;
        monitor->appendLogEntries(second);
        StdoutCapture output;
        monitor.reset();
        QVERIFY(output.text().endsWith(
            QStringLiteral("Lost 1 kill-log entries that no day file took\n")));
    }

    // The pane keeps the newest 200 entries, newest batch first; the day file gets them all.
    void everyEntryOfABurstReachesTheDayFileNewestBatchFirst() {
        ProcessMonitor monitor(services());
        const QList<KillLogEntry> older = entries(QStringLiteral("older"), 150);
        const QList<KillLogEntry> burst = entries(QStringLiteral("burst"), 10000);
        const QList<KillLogEntry> newer = entries(QStringLiteral("newer"), 50);
        monitor.appendLogEntries(older);
        monitor.appendLogEntries(burst);
        QCOMPARE(recordLines(monitor.killLog()), recordLines(burst.first(200)));
        monitor.appendLogEntries(newer);
        QCOMPARE(recordLines(monitor.killLog()), recordLines(newer + burst.first(150)));
        monitor.flushLog();
        QCOMPARE(recordLines(monitor.loadAllLogs()), recordLines(newer + burst + older));
    }

    void theFlushTimerAndTheEndOfTheMonitorWriteTheLog() {
        {
            ProcessMonitor monitor(services());
            monitor.appendLogEntries({entry(QStringLiteral("ticked"), 1)});
            // 60 "seconds" of 20 ms.
            QTRY_VERIFY_WITH_TIMEOUT(monitor.killLog().isEmpty(), 5000);
            monitor.appendLogEntries({entry(QStringLiteral("at quit"), 2)});
        }
        const QList<KillLogEntry> all = ProcessMonitor(services()).loadAllLogs();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[1].processName, QStringLiteral("at quit"));
    }

    void exportingAllLogsFlushesFirst() {
        ProcessMonitor monitor(services());
        FakeFileChooser chooser;
        monitor.exportAllLogs(chooser);
        QCOMPARE(chooser.savePanels, 0);

        const QList<KillLogEntry> logged = {entry(QStringLiteral("x"), 7)};
        monitor.appendLogEntries(logged);
        chooser.savePath = QStringLiteral("/export/all.json");
        monitor.exportAllLogs(chooser);
        QVERIFY(monitor.killLog().isEmpty());
        QCOMPARE(chooser.lastTitle, lang_.localized(QStringLiteral("export_all_title")));
        QVERIFY(QRegularExpression(QStringLiteral(R"(^kill-log-all-\d{4}-\d\d-\d\d_\d{6}\.json$)"))
                    .match(chooser.lastSuggestedName)
                    .hasMatch());
        QCOMPARE(files_->files.value(*chooser.savePath),
                 encodeLogEntries(monitor.loadAllLogs(), JsonStyle::prettySorted));

        // A clear comes after the writes asked for before it.
        monitor.appendLogEntries(logged);
        monitor.flushLog();
        monitor.clearAllLogs();
        QVERIFY(monitor.loadAllLogs().isEmpty());
        QVERIFY(files_->files.contains(*chooser.savePath));
    }

    void ownMemoryIsMeasuredAndCleaningRemeasures() {
        world_->selfMemory->bytes = 3 * 1048576;
        ProcessMonitor monitor(services());
        QCOMPARE(monitor.selfMemoryMB(), 0.0);
        monitor.updateSelfMemory();
        QCOMPARE(monitor.selfMemoryMB(), 3.0);

        monitor.appendLogEntries({entry(QStringLiteral("x"), 7)});
        world_->selfMemory->bytes = 1048576;
        QSignalSpy measured(&monitor, &ProcessMonitor::selfMemoryMBChanged);
        monitor.cleanMemory();
        QVERIFY(monitor.killLog().isEmpty());
        QCOMPARE(world_->selfMemory->releases, 1);
        QCOMPARE(measured.size(), 0);
        QTRY_COMPARE(measured.size(), 1);
        QCOMPARE(monitor.selfMemoryMB(), 1.0);
    }

    void theBrowserSnapshotListsEveryUser() {
        world_->runner->setTable(FakeProcessRunner::tableOf(
            {{101, me, 10, QStringLiteral("mine")}, {102, 0, 20, QStringLiteral("root's")}}));
        ProcessMonitor monitor(services());
        QSignalSpy published(&monitor, &ProcessMonitor::allProcessesChanged);
        monitor.refreshAllProcesses();
        QTRY_COMPARE(published.size(), 1);
        QCOMPARE(monitor.allProcesses().size(), 2);
        QCOMPARE(monitor.allProcesses()[1].origin, ProcessOrigin::system);
    }
};

QTEST_GUILESS_MAIN(TestProcessMonitor)
#include "test_process_monitor.moc"
