#pragma once

#include "engine/base/mailbox.h"
#include "engine/base/result.h"
#include "engine/matching/target_process.h"
#include "engine/monitor/notice.h"
#include "engine/process/kill_cycle.h"
#include "engine/process/running_target_info.h"
#include "engine/process/user_process.h"
#include "engine/storage/kill_log_entry.h"
#include "engine/storage/kill_log_store.h"
#include "engine/storage/kill_log_writer.h"
#include "engine/storage/watch_list_store.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <stop_token>

class DisplayNameSource;
class FileChooser;
class FileSystem;
class Lang;
class TargetMatcher;
class ProcReader;
class ProcessRunner;
class ProcessSignals;
class ProcessSnapshotter;
class SelfMemory;
class SerialQueue;
class SessionProcesses;
class SessionRoleSource;
class SettingsStore;

// What the monitor uses of the system. Tests hand in fakes and a shorter second.
struct MonitorServices {
    std::shared_ptr<ProcessRunner> runner;
    std::shared_ptr<ProcReader> proc;
    std::shared_ptr<DisplayNameSource> displayNames;
    std::shared_ptr<ProcessSignals> signals;
    // Used on the scan thread only.
    std::shared_ptr<SessionProcesses> sessionProcesses;
    std::shared_ptr<SelfMemory> selfMemory;
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<SettingsStore> settings;
    const Lang* lang = nullptr;
    QString logsDir;
    quint32 currentUid = 0;
    qint64 ownPid = 0;
    std::chrono::milliseconds second{1000};

    // The real system: /bin/ps, /proc, the desktop's entries, the session's sockets, signals,
    // QSettings, ~/.local/share/Quorvane/logs. Made on the main thread. `sessionRoles` names what
    // only the session bus and the display know.
    static MonitorServices system(std::shared_ptr<const SessionRoleSource> sessionRoles = {});
};

// The engine: the watch list, the kill log, monitoring and its scans. Lives on the main
// thread; scans run on the "Quorvane.scan" thread and leave their results in a mailbox.
class ProcessMonitor : public QObject {
    Q_OBJECT

public:
    explicit ProcessMonitor(MonitorServices services = MonitorServices::system(),
                            QObject* parent = nullptr);
    // Writes every entry not yet written before it is gone, those of a cycle in flight included.
    ~ProcessMonitor() override;

    const QList<TargetProcess>& targets() const { return targets_; }
    const QList<KillLogEntry>& killLog() const { return killLog_; }
    bool isMonitoring() const { return isMonitoring_; }
    double scanInterval() const { return scanInterval_; }
    const TargetInfoMap& targetInfo() const { return targetInfo_; }
    double totalUserMemoryMB() const { return totalUserMemoryMB_; }
    double selfMemoryMB() const { return selfMemoryMB_; }
    const QList<UserProcess>& allProcesses() const { return allProcesses_; }
    const QList<UserProcess>& userProcesses() const { return userProcesses_; }
    quint32 currentUID() const { return services_.currentUid; }
    const QString& logsDir() const { return logWriter_.logsDir(); }
    // Entries that no day file took yet; they are tried again with every write.
    qsizetype unsavedLogEntries() const { return unsavedLogEntries_; }
    // Whether the log let go of entries of this run, which are now in the day files (or waiting
    // for one); false again after Clear Logs.
    bool hasEarlierEntries() const { return hasEarlierEntries_; }
    // Where the day files are read from.
    const std::shared_ptr<FileSystem>& files() const { return services_.files; }
    const std::shared_ptr<SettingsStore>& settings() const { return services_.settings; }

    void startMonitoring();
    void stopMonitoring();
    void setScanInterval(double seconds);
    // Queues a kill cycle unless one is queued or running already.
    void performScan();
    void refreshAllProcesses();
    // A snapshot of the user's processes as a scan takes it, published as userProcesses.
    void refreshUserProcesses();

    void updateSelfMemory();
    void cleanMemory();

    void addTarget(const QString& name, MatchMode mode);
    void removeTarget(const QUuid& id);
    void toggleTarget(const QUuid& id);
    void saveTargets();
    void loadTargets();
    void exportTargets(FileChooser& chooser);
    void importTargets(FileChooser& chooser);

    // Shows the batch in the log and has it written to its day file at once.
    void appendLogEntries(const QList<KillLogEntry>& batch);
    // Empties the log; its entries are written already, or waiting for a day file.
    void flushLog();
    QList<KillLogEntry> loadAllLogs();
    void exportAllLogs(FileChooser& chooser);
    // Moves the day files to the trash; the last clear can be undone while the monitor lives.
    void clearAllLogs();
    void undoClearAllLogs();

Q_SIGNALS:
    void targetsChanged(const QList<TargetProcess>& targets);
    void killLogChanged(const QList<KillLogEntry>& killLog);
    void isMonitoringChanged(bool isMonitoring);
    void scanIntervalChanged(double scanInterval);
    void targetInfoChanged(const TargetInfoMap& targetInfo);
    void totalUserMemoryMBChanged(double totalUserMemoryMB);
    void selfMemoryMBChanged(double selfMemoryMB);
    void allProcessesChanged(const QList<UserProcess>& allProcesses);
    void userProcessesChanged(const QList<UserProcess>& userProcesses);
    void unsavedLogEntriesChanged(qsizetype unsavedLogEntries);
    void hasEarlierEntriesChanged(bool hasEarlierEntries);
    // What came of an operation the user asked for, or of a write of theirs.
    void noticePosted(const Notice& notice);
    // Each scan's batch of new entries, once, as it is recorded.
    void logEntriesRecorded(const QList<KillLogEntry>& batch);

private Q_SLOTS:
    void takeScanResults();
    void takeWriteReports();

private:
    struct FinishedCycle {
        std::stop_source cycle;
        ScanResult result;
    };

    void applyScanResult(const TargetInfoMap& targetInfo, qint64 totalKB,
                         const QList<KillLogEntry>& batch);
    void setTargets(QList<TargetProcess> targets);
    void setKillLog(QList<KillLogEntry> killLog);
    void setIsMonitoring(bool isMonitoring);
    void setScanIntervalValue(double seconds);
    void setTargetInfo(TargetInfoMap targetInfo);
    void setTotalUserMemoryMB(double megabytes);
    void setSelfMemoryMB(double megabytes);
    void setAllProcesses(QList<UserProcess> processes);
    void setUserProcesses(QList<UserProcess> processes);
    // Posts a snapshot taken on the scan thread to the main thread.
    void enqueueSnapshot(bool currentUserOnly, Mailbox<QList<UserProcess>>& mailbox);
    void setUnsavedLogEntries(qsizetype count);
    void setHasEarlierEntries(bool hasEarlierEntries);
    void reportExportFailure(const QString& path, const Error& error);
    void postNotice(const Notice& notice);

    MonitorServices services_;
    QList<TargetProcess> targets_;
    QList<KillLogEntry> killLog_;
    qsizetype unsavedLogEntries_ = 0;
    bool hasEarlierEntries_ = false;
    // The files of the last Clear Logs, for its undo.
    QList<TrashedFile> trashedLogs_;
    bool isMonitoring_ = false;
    double scanInterval_ = 5.0;
    TargetInfoMap targetInfo_;
    double totalUserMemoryMB_ = 0;
    double selfMemoryMB_ = 0;
    QList<UserProcess> allProcesses_;
    QList<UserProcess> userProcesses_;

    std::unique_ptr<QTimer> timer_;
    QTimer flushTimer_;
    WatchListStore watchListStore_;
    // Requested when the monitor goes: browser snapshots still queued are skipped, and writes
    // report to no one.
    std::stop_source closing_;
    // Before the writer, which reports into it until it ends.
    Mailbox<LogWriteReport> writeReports_;
    KillLogWriter logWriter_;
    // Used on the scan thread only; it remembers what it read about processes between scans.
    std::shared_ptr<ProcessSnapshotter> snapshotter_;
    // The watch list made ready for matching; made again at the first scan after a change. A
    // cycle keeps the one it started with.
    std::shared_ptr<TargetMatcher> matcher_;
    // The cycle queued or running that Stop has not cancelled; at most one.
    std::optional<std::stop_source> cycle_;
    Mailbox<FinishedCycle> finishedCycles_;
    Mailbox<QList<UserProcess>> browserSnapshots_;
    Mailbox<QList<UserProcess>> userSnapshots_;
    std::unique_ptr<SerialQueue> scanQueue_;
};
