#include "engine/i18n/lang.h"
#include "engine/storage/record_json.h"
#include "engine/storage/settings_keys.h"
#include "fake_monitor_world.h"
#include "memory_file_system.h"
#include "record_lines.h"
#include "stdout_capture.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <thread>

namespace {
constexpr unsigned me = 501; // the user of the fake world
// Another user's victim is neither counted nor signalled.
const QByteArray twoVictims = FakeProcessRunner::tableOf(
    {{101, me, 2048, "victim"}, {102, me, 1, "victim"}, {103, me + 1, 64, "victim"}});

// Stamped in whole seconds, as entries come back from a day file.
QList<KillLogEntry> entries(const QString& name, int count) {
    QList<KillLogEntry> list;
    for (int i = 0; i < count; ++i) {
        list.append(killLogEntry(name, i));
        list.last().timestamp.setMSecsSinceEpoch(list.last().timestamp.toSecsSinceEpoch() * 1000);
    }
    return list;
}

// Every notice the monitor posts from now on.
std::shared_ptr<QList<Notice>> collectNotices(ProcessMonitor& monitor) {
    auto notices = std::make_shared<QList<Notice>>();
    QObject::connect(&monitor, &ProcessMonitor::noticePosted,
                     [notices](const Notice& notice) { notices->append(notice); });
    return notices;
}

// Holds the scanning thread at the pin of process 101 until `go` is set.
void holdAtFirstPin(FakeProcessSignals& signals, std::atomic<bool>& held, std::atomic<bool>& go) {
    signals.onPin = [&held, &go](qint32 pid) {
        held = held || pid == 101;
        while (pid == 101 && !go)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
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

private Q_SLOTS:
    void init() {
        world_ = std::make_unique<FakeMonitorWorld>();
        files_ = std::make_shared<MemoryFileSystem>();
        files_->makePath(QStringLiteral("/export"));
    }

    // A scan at once, the next after the interval (5 "seconds" of 20 ms), a restart with a scan
    // at once on a new interval while monitoring; idle, a new interval (at least 1) starts nothing.
    void scansStartAtOnceRepeatAndRestartOnANewInterval() {
        ProcessMonitor monitor(services());
        QVERIFY(files_->dirs.contains(monitor.logsDir()) && monitor.scanInterval() == 5.0);
        QSignalSpy monitoring(&monitor, &ProcessMonitor::isMonitoringChanged);
        monitor.startMonitoring();
        QTRY_COMPARE(world_->runner->tableRuns(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(world_->runner->tableRuns(), 2, 2000);
        monitor.setScanInterval(60);
        QCOMPARE(monitoring.size(), 3);
        QVERIFY(!monitoring[1][0].toBool() && monitor.isMonitoring());
        QTRY_COMPARE(world_->runner->tableRuns(), 3);
        monitor.stopMonitoring();
        monitor.setScanInterval(0.5);
        QCOMPARE(monitor.scanInterval(), 1.0);
        // A clean-up measures the program again once the memory is given back.
        world_->selfMemory->bytes = 3 << 20;
        monitor.cleanMemory();
        QTRY_COMPARE(monitor.selfMemoryMB(), 3.0);
        QTest::qWait(250);
        QCOMPARE(world_->runner->tableRuns(), 3);
    }

    // Ticks add nothing while a cycle runs; Stop drops what is queued and spares the rest, and
    // the figures of the cycle that ran are published.
    void oneCycleAtATimeAndStopSparesWhatIsNotSignalled() {
        world_->runner->setTable(twoVictims);
        std::atomic<bool> held = false;
        std::atomic<bool> go = false;
        holdAtFirstPin(*world_->signals, held, go);
        ProcessMonitor monitor(services());
        const auto release = qScopeGuard([&go] { go = true; });
        monitor.addTarget(QStringLiteral("victim"), MatchMode::exact);
        QSignalSpy published(&monitor, &ProcessMonitor::targetInfoChanged);
        monitor.startMonitoring();
        QTRY_VERIFY(held);
        monitor.performScan();
        monitor.stopMonitoring();
        monitor.startMonitoring();
        monitor.stopMonitoring();
        go = true;
        QTRY_COMPARE(pidsOf(monitor.killLog()), QStringList{"101"});
        QCOMPARE(monitor.totalUserMemoryMB(), 2049.0 / 1024.0);
        QCOMPARE(monitor.targetInfo().value(monitor.targets()[0].id).processCount, 2);
        QVERIFY(!published.isEmpty());
        QSignalSpy browsed(&monitor, &ProcessMonitor::allProcessesChanged);
        monitor.refreshAllProcesses();
        QTRY_COMPARE(browsed.size(), 1);
        QCOMPARE(world_->runner->tableRuns(), 2);
        QVERIFY(!world_->signals->events().contains(QStringLiteral("pin 102")));
    }

    // The watch list is made ready for matching once, and again after each change: a name
    // already seen meets an entry added since.
    void aNewEntryMeetsNamesSeenBefore() {
        world_->runner->setTable(twoVictims);
        ProcessMonitor monitor(services());
        monitor.addTarget(QStringLiteral("other"), MatchMode::fuzzy);
        monitor.performScan();
        QTRY_COMPARE(monitor.totalUserMemoryMB(), 2049.0 / 1024.0);
        monitor.addTarget(QStringLiteral("victim"), MatchMode::exact);
        monitor.performScan();
        QTRY_COMPARE(pidsOf(monitor.killLog()), (QStringList{"101", "102"}));
    }

    // Quit or a language change during a cycle: whoever was signalled is in the day file.
    void aCycleInFlightIsOnRecordWhenTheMonitorGoes() {
        world_->runner->setTable(twoVictims);
        std::atomic<bool> held = false;
        std::atomic<bool> go = false;
        holdAtFirstPin(*world_->signals, held, go);
        auto monitor = std::make_unique<ProcessMonitor>(services());
        const auto release = qScopeGuard([&go] { go = true; });
        monitor->addTarget(QStringLiteral("victim"), MatchMode::fuzzy);
        monitor->performScan();
        QTRY_VERIFY(held);
        std::thread releaser([&go] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            go = true;
        });
        monitor.reset();
        releaser.join();
        QStringList signalled = world_->signals->events().filter(QStringLiteral(" 15"));
        signalled.replaceInStrings(QRegularExpression(QStringLiteral("signal (\\d+) 15")),
                                   QStringLiteral("\\1"));
        QVERIFY(signalled.contains(QStringLiteral("101")));
        QCOMPARE(pidsOf(ProcessMonitor(services()).loadAllLogs()), signalled);
    }

    // Changes are saved and survive a restart. An import skips names already listed whatever
    // their case and gives the rest new ids, in one save; a bad element or a missing file: a
    // beep and no change; no file chosen: nothing.
    void watchListIsSavedAndImported() {
        {
            ProcessMonitor monitor(services());
            monitor.addTarget(QStringLiteral("two words"), MatchMode::exact);
            for (const char* name : {"Helper", "gone"})
                monitor.addTarget(QString::fromLatin1(name), MatchMode::fuzzy);
            monitor.toggleTarget(monitor.targets()[0].id);
            monitor.removeTarget(monitor.targets()[2].id);
        }
        ProcessMonitor monitor(services());
        QStringList kept = recordLines(monitor.targets());
        for (QString& line : kept)
            line = line.section(u'|', 1);
        QCOMPARE(kept, (QStringList{"two words|exact|0", "Helper|fuzzy|1"}));
        const QString id = QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF");
        const QByteArray imported =
            QStringLiteral(R"([{"id":"%1","name":"HELPER","matchMode":"exact","isEnabled":true},
                {"id":"%1","name":"quiet","matchMode":"exact","isEnabled":false}])")
                .arg(id)
                .toUtf8();
        FakeFileChooser chooser;
        const auto notices = collectNotices(monitor);
        monitor.importTargets(chooser);
        chooser.openPath = QStringLiteral("/export/list.json");
        monitor.importTargets(chooser);
        files_->files.insert(*chooser.openPath, QByteArray(imported).replace("false", "0"));
        monitor.importTargets(chooser);
        QCOMPARE(chooser.beeps, 2);
        QCOMPARE(monitor.targets().size(), 2);
        files_->files.insert(*chooser.openPath, imported);
        const int writes = world_->settings->writes;
        monitor.importTargets(chooser);
        QCOMPARE(world_->settings->writes, writes + 1);
        QCOMPARE(recordLines(monitor.targets()).last().section(u'|', 1), "quiet|exact|0");
        const QString& path = *chooser.openPath;
        QCOMPARE(*notices, (QList<Notice>{{Notice::Kind::importUnreadable, 0, 0, path},
                                          {Notice::Kind::importNotAWatchList, 0, 0, path},
                                          {Notice::Kind::imported, 1, 1, path}}));
        QVERIFY(monitor.targets().last().id != QUuid(id));
        const QByteArray saved = world_->settings->value(SettingsKeys::targets).toByteArray();
        QCOMPARE(saved, encodeTargets(monitor.targets(), JsonStyle::compact));
        // An unusable stored list loads empty and is left for the next save to replace.
        for (const QVariant& stored : {QVariant(saved.chopped(1)), QVariant(QString(saved))}) {
            world_->settings->values.insert(SettingsKeys::targets, stored);
            QVERIFY(ProcessMonitor(services()).targets().isEmpty());
            QCOMPARE(world_->settings->values.value(SettingsKeys::targets), stored);
        }
    }

    // Each scan's entries are on disk as they are shown; the pane keeps the newest 200, newest
    // batch first, until the flush empties it. Entries no day file took wait, are said once and
    // go with the next write; a day file that refuses them is said once too, and what no file
    // took is said at the end.
    void everyEntryReachesTheDayFileAtOnce() {
        auto monitor = std::make_unique<ProcessMonitor>(services());
        const auto notices = collectNotices(*monitor);
        const QList<KillLogEntry> older = entries(QStringLiteral("older"), 150);
        const QList<KillLogEntry> burst = entries(QStringLiteral("burst"), 10000);
        const QList<KillLogEntry> newer = entries(QStringLiteral("newer"), 50);
        const QString dayFile =
            monitor->logsDir() + u'/' + KillLogStore::dayFileName(QDate::currentDate());
        files_->files.insert(dayFile, "damaged");
        files_->failWrites = true;
        monitor->appendLogEntries(older);
        monitor->flushLog();
        QTRY_COMPARE(monitor->unsavedLogEntries(), 150);
        QVERIFY(monitor->killLog().isEmpty() && monitor->hasEarlierEntries());
        // Once the writer is done with what was asked of it, the disk has room again.
        QVERIFY(monitor->loadAllLogs().isEmpty());
        files_->failWrites = false;
        monitor->appendLogEntries(burst);
        QCOMPARE(recordLines(monitor->killLog()), recordLines(burst.first(200)));
        monitor->appendLogEntries(newer);
        QCOMPARE(recordLines(monitor->killLog()), recordLines(newer + burst.first(150)));
        QStringList written = recordLines(monitor->loadAllLogs());
        QStringList all = recordLines(newer + burst + older);
        written.sort();
        all.sort();
        QCOMPARE(written, all);
        QTRY_COMPARE(monitor->unsavedLogEntries(), 0);
        QCOMPARE(*notices,
                 (QList<Notice>{{Notice::Kind::logNotSaved, 150, 0, {}, "Permission denied"},
                                {Notice::Kind::dayFileRefused, 0, 0, dayFile,
                                 QString(dayFile).replace(QLatin1String(".json"), ".1.json")}}));
        // 60 "seconds" of 20 ms.
        QTRY_VERIFY_WITH_TIMEOUT(monitor->killLog().isEmpty(), 5000);

        // Quit gives waiting entries a last try; what that does not write is said.
        for (const bool isFull : {false, true}) {
            files_->failWrites = true;
            monitor->appendLogEntries(newer.first(1));
            QVERIFY(monitor->loadAllLogs().size() == 10200 + int(isFull));
            files_->failWrites = isFull;
            if (isFull)
                QTest::ignoreMessage(QtWarningMsg, "Lost 1 kill-log entries that no day file took");
            else
                QTest::failOnWarning(QRegularExpression(QStringLiteral("^Lost ")));
            monitor.reset();
            files_->failWrites = false;
            monitor = std::make_unique<ProcessMonitor>(services());
        }
        QCOMPARE(monitor->loadAllLogs().size(), 10201);
    }

    // Exports tell how many entries went where; Clear Logs moves the day files to the trash,
    // from which its undo brings them back beside a day that went on, or deletes them where there
    // is no trash; a change that could not be saved, or an export that failed, is said with its
    // reason, the export also on standard output.
    void fileActionsTellWhatCameOfThem() {
        ProcessMonitor monitor(services());
        const auto notices = collectNotices(monitor);
        FakeFileChooser chooser;
        chooser.savePath = QStringLiteral("/export/out.json");
        monitor.exportTargets(chooser);
        monitor.exportAllLogs(chooser);
        monitor.addTarget(QStringLiteral("a"), MatchMode::exact);
        monitor.exportTargets(chooser);
        world_->settings->isFull = true;
        monitor.toggleTarget(monitor.targets()[0].id);
        monitor.appendLogEntries(entries(QStringLiteral("x"), 2));
        monitor.exportAllLogs(chooser);
        files_->unwritable.insert(*chooser.savePath);
        StdoutCapture output;
        monitor.exportTargets(chooser);
        QCOMPARE(output.text(), "Export failed: Permission denied\n");
        monitor.clearAllLogs();
        QVERIFY(monitor.loadAllLogs().isEmpty() && monitor.killLog().isEmpty());
        monitor.appendLogEntries(entries(QStringLiteral("y"), 1));
        monitor.undoClearAllLogs();
        QCOMPARE(monitor.loadAllLogs().size(), 3);
        files_->hasTrash = false;
        monitor.clearAllLogs();
        QVERIFY(monitor.loadAllLogs().isEmpty());
        QCOMPARE(chooser.beeps, 1);
        QCOMPARE(*notices,
                 (QList<Notice>{
                     {Notice::Kind::watchListEmpty},
                     {Notice::Kind::killLogEmpty},
                     {Notice::Kind::targetsExported, 1, 0, *chooser.savePath},
                     {Notice::Kind::settingsNotSaved, 0, 0, {}, "No space left on device"},
                     {Notice::Kind::logsExported, 2, 0, *chooser.savePath},
                     {Notice::Kind::exportFailed, 0, 0, *chooser.savePath, "Permission denied"},
                     {Notice::Kind::logsCleared, 1},
                     {Notice::Kind::logsRestored, 1},
                     {Notice::Kind::logsCleared, 0, 2}}));
    }
};

QTEST_GUILESS_MAIN(TestProcessMonitor)
#include "test_process_monitor.moc"
