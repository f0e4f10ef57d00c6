#include "display_name_source.h"
#include "fake_services.h"
#include "file_system.h"
#include "kill_log_store.h"
#include "lang.h"
#include "memory_settings_store.h"
#include "process_monitor.h"
#include "record_json.h"
#include "settings_keys.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {
constexpr unsigned me = 4242;

KillLogEntry entry(const QString& name, qint32 pid) {
    return KillLogEntry{QUuid::createUuid(), QDateTime::currentDateTimeUtc(), name, pid, true,
                        QStringLiteral("Terminated")};
}

// A file system whose writes can be made to fail.
class FlakyFileSystem final : public FileSystem {
public:
    bool makePath(const QString& dir) override { return real.makePath(dir); }
    bool exists(const QString& path) const override { return real.exists(path); }
    std::optional<QStringList> list(const QString& dir) const override { return real.list(dir); }
    std::optional<QByteArray> read(const QString& path) const override { return real.read(path); }
    QString writeAtomically(const QString& path, const QByteArray& bytes) override {
        return failWrites ? QStringLiteral("disk full") : real.writeAtomically(path, bytes);
    }
    bool remove(const QString& path) override { return real.remove(path); }

    LocalFileSystem real;
    bool failWrites = false;
};
} // namespace

class TestProcessMonitor : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::shared_ptr<MemorySettingsStore> settings_;
    std::shared_ptr<FakeProcessRunner> runner_;
    std::shared_ptr<FakeProcessSignals> signals_;
    std::shared_ptr<FakeSelfMemory> memory_;
    std::shared_ptr<FlakyFileSystem> files_;
    std::unique_ptr<Lang> lang_;

    MonitorServices services() {
        MonitorServices s;
        s.runner = runner_;
        s.displayNames = std::make_shared<NoDisplayNames>();
        s.signals = signals_;
        s.selfMemory = memory_;
        s.files = files_;
        s.settings = settings_;
        s.lang = lang_.get();
        s.logsDir = dir_.filePath(QStringLiteral("Quorvane/logs"));
        s.currentUid = me;
        s.ownPid = 1;
        s.second = std::chrono::milliseconds(20);
        return s;
    }

    QString todaysFile() const {
        return dir_.filePath(QStringLiteral("Quorvane/logs/") +
                             KillLogStore::dayFileName(QDate::currentDate()));
    }

private Q_SLOTS:
    void init() {
        QVERIFY(dir_.isValid());
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        settings_ = std::make_shared<MemorySettingsStore>();
        runner_ = std::make_shared<FakeProcessRunner>();
        signals_ = std::make_shared<FakeProcessSignals>();
        memory_ = std::make_shared<FakeSelfMemory>();
        files_ = std::make_shared<FlakyFileSystem>();
        lang_ = std::make_unique<Lang>(*settings_, QStringList{QStringLiteral("en")});
    }

    void constructionStartsIdleAndLoadsTheWatchList() {
        const QList<TargetProcess> stored = {
            {QUuid::createUuid(), QStringLiteral("Alpha"), MatchMode::exact, false},
            {QUuid::createUuid(), QStringLiteral("beta"), MatchMode::fuzzy, true}};
        settings_->setValue(SettingsKeys::targets, encodeTargets(stored, JsonStyle::compact));

        ProcessMonitor monitor(services());
        QVERIFY(!monitor.isMonitoring());
        QCOMPARE(monitor.scanInterval(), 5.0);
        QVERIFY(monitor.killLog().isEmpty());
        QVERIFY(QFileInfo(monitor.logsDir()).isDir());
        QCOMPARE(monitor.targets().size(), 2);
        QCOMPARE(monitor.targets()[0].id, stored[0].id);
        QCOMPARE(monitor.targets()[0].matchMode, MatchMode::exact);
        QCOMPARE(monitor.targets()[0].isEnabled, false);
        QCOMPARE(monitor.targets()[1].name, QStringLiteral("beta"));
    }

    void anUndecodableStoredListStartsEmptyAndIsKept() {
        settings_->setValue(SettingsKeys::targets, QByteArray("[{\"name\":\"x\"}]"));
        ProcessMonitor monitor(services());
        QVERIFY(monitor.targets().isEmpty());
        QCOMPARE(settings_->value(SettingsKeys::targets).toByteArray(),
                 QByteArray("[{\"name\":\"x\"}]"));
    }

    void startingScansAtOnceThenEveryInterval() {
        ProcessMonitor monitor(services());
        QSignalSpy monitoring(&monitor, &ProcessMonitor::isMonitoringChanged);
        QSignalSpy info(&monitor, &ProcessMonitor::targetInfoChanged);
        monitor.startMonitoring();
        QCOMPARE(monitoring.size(), 1);
        QTRY_COMPARE(info.size(), 1);
        QCOMPARE(runner_->tableRuns(), 1);
        // Interval 5 "seconds" of 20 ms: the second scan follows after about 100 ms.
        QTRY_COMPARE_WITH_TIMEOUT(info.size(), 2, 2000);
        monitor.stopMonitoring();
        const int runs = runner_->tableRuns();
        QTest::qWait(250);
        QCOMPARE(runner_->tableRuns(), runs);
    }

    void scanIntervalIsClampedAndRestartsMonitoring() {
        ProcessMonitor monitor(services());
        monitor.setScanInterval(0.5);
        QCOMPARE(monitor.scanInterval(), 1.0);
        monitor.setScanInterval(3);
        QCOMPARE(monitor.scanInterval(), 3.0);
        QTest::qWait(50);
        QCOMPARE(runner_->tableRuns(), 0);

        monitor.startMonitoring();
        QTRY_COMPARE(runner_->tableRuns(), 1);
        QSignalSpy monitoring(&monitor, &ProcessMonitor::isMonitoringChanged);
        monitor.setScanInterval(60);
        QCOMPARE(monitoring.size(), 2);
        QCOMPARE(monitoring[0][0].toBool(), false);
        QCOMPARE(monitoring[1][0].toBool(), true);
        QTRY_COMPARE(runner_->tableRuns(), 2);
        QCOMPARE(monitor.scanInterval(), 60.0);
    }

    void aScanKillsEnabledMatchesAndPublishesFigures() {
        runner_->setTable(FakeProcessRunner::tableOf({{101, me, 2048, QStringLiteral("victim")},
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
        QCOMPARE(signals_->sent(), (QList<std::pair<qint32, int>>{{101, SIGTERM}}));
    }

    void aCycleQueuedBeforeStopStillReportsAndADeadMonitorGetsNothing() {
        runner_->setTable(FakeProcessRunner::tableOf({{101, me, 1, QStringLiteral("victim")}}));
        {
            ProcessMonitor monitor(services());
            monitor.addTarget(QStringLiteral("victim"), MatchMode::fuzzy);
            monitor.startMonitoring();
            monitor.stopMonitoring();
            QTRY_COMPARE(monitor.killLog().size(), 1);
        }
        ProcessMonitor* doomed = new ProcessMonitor(services());
        doomed->addTarget(QStringLiteral("victim"), MatchMode::fuzzy);
        doomed->performScan();
        delete doomed;
        QTest::qWait(50); // a result posted by a cycle that was running must find nobody
    }

    void theLogKeepsTheNewestTwoHundred() {
        ProcessMonitor monitor(services());
        QList<KillLogEntry> first;
        for (int i = 0; i < 150; ++i)
            first.append(entry(QStringLiteral("a"), i));
        QList<KillLogEntry> second;
        for (int i = 0; i < 100; ++i)
            second.append(entry(QStringLiteral("b"), i));
        monitor.appendLogEntries(first);
        monitor.appendLogEntries(second);
        QCOMPARE(monitor.killLog().size(), 200);
        QCOMPARE(monitor.killLog()[0].processName, QStringLiteral("b"));
        QCOMPARE(monitor.killLog()[99].pid, 99);
        QCOMPARE(monitor.killLog()[100].processName, QStringLiteral("a"));
        QCOMPARE(monitor.killLog()[199].pid, 99);
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

            const int writes = settings_->writes;
            monitor.toggleTarget(QUuid::createUuid());
            QCOMPARE(settings_->writes, writes);
            monitor.removeTarget(QUuid::createUuid());
            QCOMPARE(settings_->writes, writes + 1);
        }
        ProcessMonitor restarted(services());
        QCOMPARE(restarted.targets().size(), 2);
        QCOMPARE(restarted.targets()[1].name, QStringLiteral("two words"));
        QCOMPARE(restarted.targets()[1].matchMode, MatchMode::exact);
        QCOMPARE(restarted.targets()[1].isEnabled, false);
    }

    void exportAndImportOfTheWatchList() {
        ProcessMonitor monitor(services());
        FakeFileChooser chooser;
        chooser.savePath = dir_.filePath(QStringLiteral("list.json"));
        monitor.exportTargets(chooser);
        QCOMPARE(chooser.beeps, 1);
        QCOMPARE(chooser.savePanels, 0);

        monitor.addTarget(QStringLiteral("Helper"), MatchMode::fuzzy);
        monitor.exportTargets(chooser);
        QCOMPARE(chooser.lastSuggestedName, QStringLiteral("Zentrav-Targets.json"));
        chooser.openPath = chooser.savePath;
        monitor.importTargets(chooser);
        QCOMPARE(monitor.targets().size(), 1);

        QFile file(*chooser.savePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"HELPER","matchMode":"exact","isEnabled":true},
                      {"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"quiet","matchMode":"exact","isEnabled":false},
                      {"id":"6f9619ff-8b86-d011-b42d-00c04fc964ff","name":"Quiet","matchMode":"fuzzy","isEnabled":true}])");
        file.close();
        monitor.importTargets(chooser);
        QCOMPARE(monitor.targets().size(), 3);
        QCOMPARE(monitor.targets()[1].name, QStringLiteral("quiet"));
        QCOMPARE(monitor.targets()[1].isEnabled, false);
        QCOMPARE(monitor.targets()[2].name, QStringLiteral("Quiet"));
        QCOMPARE(monitor.targets()[2].isEnabled, true);
        QVERIFY(monitor.targets()[1].id != QUuid(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF")));

        ProcessMonitor restarted(services());
        QCOMPARE(restarted.targets().size(), 3);
        QCOMPARE(restarted.targets()[1].isEnabled, false);
    }

    void aMalformedImportBeepsAndChangesNothing() {
        ProcessMonitor monitor(services());
        monitor.addTarget(QStringLiteral("kept"), MatchMode::fuzzy);
        const QVariant stored = settings_->value(SettingsKeys::targets);
        FakeFileChooser chooser;
        chooser.openPath = dir_.filePath(QStringLiteral("bad.json"));
        QFile file(*chooser.openPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"new","matchMode":"exact"}])");
        file.close();
        monitor.importTargets(chooser);
        QCOMPARE(chooser.beeps, 1);
        QCOMPARE(monitor.targets().size(), 1);
        QCOMPARE(settings_->value(SettingsKeys::targets), stored);

        chooser.openPath = dir_.filePath(QStringLiteral("missing.json"));
        monitor.importTargets(chooser);
        QCOMPARE(chooser.beeps, 2);
        chooser.openPath.reset();
        monitor.importTargets(chooser);
        QCOMPARE(chooser.beeps, 2);
    }

    void flushesAppendToTodaysFileAndAFailedWriteLosesNothing() {
        ProcessMonitor monitor(services());
        monitor.appendLogEntries({entry(QStringLiteral("first"), 1)});
        monitor.flushLog();
        QVERIFY(monitor.killLog().isEmpty());
        monitor.appendLogEntries({entry(QStringLiteral("second"), 2)});

        files_->failWrites = true;
        monitor.flushLog();
        QCOMPARE(monitor.killLog().size(), 1);
        files_->failWrites = false;
        monitor.flushLog();
        QVERIFY(monitor.killLog().isEmpty());

        const QList<KillLogEntry> all = monitor.loadAllLogs();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].processName, QStringLiteral("first"));
        QCOMPARE(all[1].processName, QStringLiteral("second"));
        QVERIFY(QFile::exists(todaysFile()));
    }

    void theFlushTimerAndTheEndOfTheMonitorWriteTheLog() {
        {
            ProcessMonitor monitor(services());
            monitor.appendLogEntries({entry(QStringLiteral("ticked"), 1)});
            // 60 "seconds" of 20 ms.
            QTRY_VERIFY_WITH_TIMEOUT(monitor.killLog().isEmpty(), 5000);
            monitor.appendLogEntries({entry(QStringLiteral("at quit"), 2)});
        }
        ProcessMonitor next(services());
        const QList<KillLogEntry> all = next.loadAllLogs();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[1].processName, QStringLiteral("at quit"));
    }

    void exportingAllLogsFlushesFirst() {
        ProcessMonitor monitor(services());
        FakeFileChooser chooser;
        monitor.exportAllLogs(chooser);
        QCOMPARE(chooser.savePanels, 0);

        monitor.appendLogEntries({entry(QStringLiteral("x"), 7)});
        chooser.savePath = dir_.filePath(QStringLiteral("all.json"));
        monitor.exportAllLogs(chooser);
        QVERIFY(monitor.killLog().isEmpty());
        QCOMPARE(chooser.lastTitle, lang_->localized(QStringLiteral("export_all_title")));
        QVERIFY(QRegularExpression(QStringLiteral(R"(^kill-log-all-\d{4}-\d\d-\d\d_\d{6}\.json$)"))
                    .match(chooser.lastSuggestedName)
                    .hasMatch());
        QFile exported(*chooser.savePath);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const auto entries = decodeLogEntries(exported.readAll());
        QVERIFY(entries);
        QCOMPARE(entries->size(), 1);

        monitor.clearAllLogs();
        QVERIFY(monitor.loadAllLogs().isEmpty());
        QVERIFY(QFile::exists(*chooser.savePath));
    }

    void ownMemoryIsMeasuredAndCleaningRemeasures() {
        memory_->bytes = 3 * 1048576;
        ProcessMonitor monitor(services());
        QCOMPARE(monitor.selfMemoryMB(), 0.0);
        monitor.updateSelfMemory();
        QCOMPARE(monitor.selfMemoryMB(), 3.0);

        monitor.appendLogEntries({entry(QStringLiteral("x"), 7)});
        memory_->bytes = 1048576;
        QSignalSpy measured(&monitor, &ProcessMonitor::selfMemoryMBChanged);
        monitor.cleanMemory();
        QVERIFY(monitor.killLog().isEmpty());
        QCOMPARE(memory_->releases, 1);
        QCOMPARE(measured.size(), 0);
        QTRY_COMPARE(measured.size(), 1);
        QCOMPARE(monitor.selfMemoryMB(), 1.0);
    }

    void theBrowserSnapshotListsEveryUser() {
        runner_->setTable(FakeProcessRunner::tableOf({{101, me, 10, QStringLiteral("mine")},
                                                      {102, 0, 20, QStringLiteral("root's")}}));
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
