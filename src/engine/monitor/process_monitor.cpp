#include "engine/monitor/process_monitor.h"

#include "engine/base/engine_log.h"
#include "engine/base/serial_queue.h"
#include "engine/desktop/desktop_display_names.h"
#include "engine/desktop/desktop_entry.h"
#include "engine/desktop/display_name_source.h"
#include "engine/i18n/console_line.h"
#include "engine/i18n/lang.h"
#include "engine/matching/target_matcher.h"
#include "engine/process/kill_cycle.h"
#include "engine/process/proc_reader.h"
#include "engine/process/process_runner.h"
#include "engine/process/process_signals.h"
#include "engine/process/process_snapshot.h"
#include "engine/process/self_memory.h"
#include "engine/process/session_processes.h"
#include "engine/storage/file_chooser.h"
#include "engine/storage/file_system.h"
#include "engine/storage/record_json.h"
#include "engine/storage/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <unistd.h>

namespace {
constexpr double minimumScanInterval = 1.0;
constexpr int flushPeriodSeconds = 60;
constexpr double remeasureDelaySeconds = 0.5;
// No watch list comes near it; a larger file counts as unreadable.
constexpr qint64 importSizeLimit = qint64(64) << 20;

QString defaultLogsDir() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(base).filePath(QStringLiteral("Quorvane/logs"));
}
} // namespace

MonitorServices MonitorServices::system(std::shared_ptr<const SessionRoleSource> sessionRoles) {
    MonitorServices services;
    services.runner = std::make_shared<PosixProcessRunner>();
    auto proc = std::make_shared<ProcDirectory>();
    services.proc = proc;
#ifdef Q_OS_LINUX
    // The desktop's menus speak the session's language, whatever Zentrav's own is.
    services.displayNames = std::make_shared<DesktopDisplayNames>(
        proc, DesktopDisplayNames::applicationFolders(),
        messagesLocale(QProcessEnvironment::systemEnvironment()));
#else
    services.displayNames = std::make_shared<NoDisplayNames>();
#endif
    services.signals = std::make_shared<SystemProcessSignals>(proc);
    if (!sessionRoles)
        sessionRoles = std::make_shared<NoSessionRoles>();
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    services.sessionProcesses = std::make_shared<SessionProcessFinder>(
        *proc,
        sessionSocketNames(environment.value(QStringLiteral("DISPLAY")),
                           environment.value(QStringLiteral("WAYLAND_DISPLAY")),
                           environment.value(QStringLiteral("XDG_RUNTIME_DIR"))),
        std::move(sessionRoles), ::getsid(0), ::getuid());
    services.selfMemory = std::make_shared<SystemSelfMemory>();
    services.files = std::make_shared<LocalFileSystem>();
    services.settings = std::make_shared<QSettingsStore>(services.files);
    services.lang = &Lang::instance();
    services.logsDir = defaultLogsDir();
    services.currentUid = ::getuid();
    services.ownPid = QCoreApplication::applicationPid();
    return services;
}

ProcessMonitor::ProcessMonitor(MonitorServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)), watchListStore_(*services_.settings),
      logWriter_(services_.files, services_.logsDir,
                 [this, closing = closing_.get_token()](const LogWriteReport& report) {
                     writeReports_.post(report);
                     if (!closing.stop_requested())
                         QMetaObject::invokeMethod(this, "takeWriteReports", Qt::QueuedConnection);
                 }),
      snapshotter_(std::make_shared<ProcessSnapshotter>(*services_.runner, *services_.proc,
                                                        *services_.displayNames,
                                                        services_.currentUid, services_.ownPid)),
      scanQueue_(std::make_unique<SerialQueue>(QStringLiteral("Quorvane.scan"))) {
    loadTargets();
    flushTimer_.setInterval(services_.second * flushPeriodSeconds);
    connect(&flushTimer_, &QTimer::timeout, this, &ProcessMonitor::flushLog);
    flushTimer_.start();
}

ProcessMonitor::~ProcessMonitor() {
    // Observers may already be half gone; the entries in memory still belong on disk.
    blockSignals(true);
    // A running cycle signals nobody new but finishes what it began; what it did is kept.
    if (cycle_)
        cycle_->request_stop();
    closing_.request_stop();
    scanQueue_.reset();
    takeScanResults();
    flushLog();
    // The writer, a member, then runs this last write before it ends.
}

void ProcessMonitor::startMonitoring() {
    setIsMonitoring(true);
    performScan();
    timer_ = std::make_unique<QTimer>();
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(std::chrono::round<std::chrono::milliseconds>(
        scanInterval_ * std::chrono::duration<double, std::milli>(services_.second)));
    connect(timer_.get(), &QTimer::timeout, this, &ProcessMonitor::performScan);
    timer_->start();
}

void ProcessMonitor::stopMonitoring() {
    setIsMonitoring(false);
    timer_.reset();
    // A queued cycle is dropped; a running one stops before its next process.
    if (cycle_) {
        cycle_->request_stop();
        cycle_.reset();
    }
}

void ProcessMonitor::setScanInterval(double seconds) {
    setScanIntervalValue(std::max(seconds, minimumScanInterval));
    if (isMonitoring_) {
        stopMonitoring();
        startMonitoring();
    }
}

void ProcessMonitor::performScan() {
    if (cycle_)
        return;
    cycle_.emplace();
    if (!matcher_)
        matcher_ = std::make_shared<TargetMatcher>(targets_);
    scanQueue_->enqueue([this, cycle = *cycle_, targets = targets_, matcher = matcher_,
                         signals = services_.signals, lang = services_.lang,
                         snapshotter = snapshotter_, session = services_.sessionProcesses] {
        if (cycle.stop_requested())
            return;
        QList<UserProcess> snapshot = snapshotter->snapshotProcesses(true);
        session->mark(snapshot);
        ScanResult result =
            runKillCycle(snapshot, targets, *matcher, *signals, *lang, cycle.get_token());
        finishedCycles_.post({cycle, std::move(result)});
        // This object outlives the scan thread, which its destructor joins.
        QMetaObject::invokeMethod(this, "takeScanResults", Qt::QueuedConnection);
    });
}

void ProcessMonitor::takeScanResults() {
    for (FinishedCycle& finished : finishedCycles_.takeAll()) {
        if (cycle_ == finished.cycle)
            cycle_.reset();
        applyScanResult(finished.result.targetInfo, finished.result.totalMemoryKB,
                        finished.result.batch);
    }
    for (QList<UserProcess>& processes : browserSnapshots_.takeAll())
        setAllProcesses(std::move(processes));
    for (QList<UserProcess>& processes : userSnapshots_.takeAll())
        setUserProcesses(std::move(processes));
}

void ProcessMonitor::applyScanResult(const TargetInfoMap& targetInfo, qint64 totalKB,
                                     const QList<KillLogEntry>& batch) {
    setTargetInfo(targetInfo);
    setTotalUserMemoryMB(double(totalKB) / 1024.0);
    appendLogEntries(batch);
}

void ProcessMonitor::takeWriteReports() {
    for (const LogWriteReport& report : writeReports_.takeAll()) {
        for (const DayFileDetour& detour : report.detours)
            postNotice({.kind = Notice::Kind::dayFileRefused,
                        .file = detour.refused,
                        .detail = detour.used});
        if (report.waiting > 0 && unsavedLogEntries_ == 0)
            postNotice({.kind = Notice::Kind::logNotSaved,
                        .count = report.waiting,
                        .detail = report.reason});
        setUnsavedLogEntries(report.waiting);
    }
}

void ProcessMonitor::refreshAllProcesses() {
    enqueueSnapshot(false, browserSnapshots_);
}

void ProcessMonitor::refreshUserProcesses() {
    enqueueSnapshot(true, userSnapshots_);
}

void ProcessMonitor::enqueueSnapshot(bool currentUserOnly, Mailbox<QList<UserProcess>>& mailbox) {
    scanQueue_->enqueue([this, currentUserOnly, &mailbox, closing = closing_.get_token(),
                         snapshotter = snapshotter_, session = services_.sessionProcesses] {
        if (closing.stop_requested())
            return;
        QList<UserProcess> snapshot = snapshotter->snapshotProcesses(currentUserOnly);
        session->mark(snapshot);
        mailbox.post(std::move(snapshot));
        QMetaObject::invokeMethod(this, "takeScanResults", Qt::QueuedConnection);
    });
}

void ProcessMonitor::updateSelfMemory() {
    setSelfMemoryMB(double(services_.selfMemory->footprintBytes()) / 1048576.0);
}

void ProcessMonitor::cleanMemory() {
    flushLog();
    services_.selfMemory->releaseFreeMemory();
    QTimer::singleShot(
        std::chrono::round<std::chrono::milliseconds>(
            remeasureDelaySeconds * std::chrono::duration<double, std::milli>(services_.second)),
        this, &ProcessMonitor::updateSelfMemory);
}

void ProcessMonitor::addTarget(const QString& name, MatchMode mode) {
    QList<TargetProcess> targets = targets_;
    targets.append(TargetProcess{QUuid::createUuid(), name, mode, true});
    setTargets(std::move(targets));
    saveTargets();
}

void ProcessMonitor::removeTarget(const QUuid& id) {
    QList<TargetProcess> targets = targets_;
    targets.removeIf([&id](const TargetProcess& target) { return target.id == id; });
    setTargets(std::move(targets));
    saveTargets();
}

void ProcessMonitor::toggleTarget(const QUuid& id) {
    QList<TargetProcess> targets = targets_;
    const auto found = std::find_if(targets.begin(), targets.end(),
                                    [&id](const TargetProcess& target) { return target.id == id; });
    if (found == targets.end())
        return;
    found->isEnabled = !found->isEnabled;
    setTargets(std::move(targets));
    saveTargets();
}

void ProcessMonitor::saveTargets() {
    if (const Result<void> saved = watchListStore_.save(targets_); !saved)
        postNotice({.kind = Notice::Kind::settingsNotSaved, .detail = saved.error().reason});
}

void ProcessMonitor::loadTargets() {
    QList<TargetProcess> stored = watchListStore_.load();
    if (!stored.isEmpty())
        setTargets(std::move(stored));
}

void ProcessMonitor::exportTargets(FileChooser& chooser) {
    if (targets_.isEmpty()) {
        chooser.beep();
        postNotice({.kind = Notice::Kind::watchListEmpty});
        return;
    }
    const QByteArray content = encodeTargets(targets_, JsonStyle::prettySorted);
    const std::optional<QString> path =
        chooser.chooseSaveLocation(QString(), QStringLiteral("Zentrav-Targets.json"));
    if (!path)
        return;
    if (const Result<void> written = services_.files->writeAtomically(*path, content); !written) {
        reportExportFailure(*path, written.error());
        return;
    }
    postNotice({.kind = Notice::Kind::targetsExported, .count = targets_.size(), .file = *path});
}

void ProcessMonitor::importTargets(FileChooser& chooser) {
    const std::optional<QString> path = chooser.chooseFileToOpen();
    if (!path)
        return;
    const Result<QByteArray> content = services_.files->read(*path, importSizeLimit);
    const std::optional<QList<TargetProcess>> imported =
        content ? decodeTargets(*content) : std::nullopt;
    if (!imported) {
        chooser.beep();
        postNotice(
            {.kind = content ? Notice::Kind::importNotAWatchList : Notice::Kind::importUnreadable,
             .file = *path});
        return;
    }
    QList<TargetProcess> merged = withImported(targets_, *imported);
    const qsizetype added = merged.size() - targets_.size();
    postNotice({.kind = Notice::Kind::imported,
                .count = added,
                .otherCount = imported->size() - added,
                .file = *path});
    if (added == 0)
        return;
    // One save for the whole import; should it fail, that is the last word.
    setTargets(std::move(merged));
    saveTargets();
}

void ProcessMonitor::appendLogEntries(const QList<KillLogEntry>& batch) {
    if (batch.isEmpty())
        return;
    logWriter_.write(batch);
    setKillLog(withBatchInFront(killLog_, batch));
    Q_EMIT logEntriesRecorded(batch);
}

void ProcessMonitor::flushLog() {
    logWriter_.write({});
    if (killLog_.isEmpty())
        return;
    setHasEarlierEntries(true);
    setKillLog({});
}

QList<KillLogEntry> ProcessMonitor::loadAllLogs() {
    Result<QList<KillLogEntry>> loaded = logWriter_.loadAllLogs();
    if (!loaded) {
        qCWarning(engineLog).noquote() << QStringLiteral("Could not list %1: %2")
                                              .arg(logWriter_.logsDir(), loaded.error().reason);
        return {};
    }
    return std::move(*loaded);
}

void ProcessMonitor::exportAllLogs(FileChooser& chooser) {
    flushLog();
    const QList<KillLogEntry> entries = loadAllLogs();
    if (entries.isEmpty()) {
        postNotice({.kind = Notice::Kind::killLogEmpty});
        return;
    }
    const std::optional<QString> path =
        chooser.chooseSaveLocation(services_.lang->localized(QStringLiteral("export_all_title")),
                                   KillLogStore::exportFileName(QDateTime::currentDateTime()));
    if (!path)
        return;
    if (const Result<void> written = logWriter_.exportTo(*path, entries); !written) {
        reportExportFailure(*path, written.error());
        return;
    }
    postNotice({.kind = Notice::Kind::logsExported, .count = entries.size(), .file = *path});
}

void ProcessMonitor::clearAllLogs() {
    setKillLog({});
    const ClearedLogs cleared = logWriter_.clearAll();
    trashedLogs_ = cleared.trashed;
    // The writer has reported every write before the clear; none of that holds any more.
    takeWriteReports();
    setUnsavedLogEntries(0);
    setHasEarlierEntries(false);
    postNotice({.kind = Notice::Kind::logsCleared,
                .count = cleared.trashed.size(),
                .otherCount = cleared.deleted});
}

void ProcessMonitor::undoClearAllLogs() {
    const QList<TrashedFile> trashed = std::exchange(trashedLogs_, {});
    const qsizetype restored = logWriter_.restore(trashed);
    postNotice({.kind = Notice::Kind::logsRestored,
                .count = restored,
                .otherCount = trashed.size() - restored});
}

void ProcessMonitor::setTargets(QList<TargetProcess> targets) {
    targets_ = std::move(targets);
    matcher_.reset();
    Q_EMIT targetsChanged(targets_);
}

void ProcessMonitor::setKillLog(QList<KillLogEntry> killLog) {
    killLog_ = std::move(killLog);
    Q_EMIT killLogChanged(killLog_);
}

void ProcessMonitor::setIsMonitoring(bool isMonitoring) {
    isMonitoring_ = isMonitoring;
    Q_EMIT isMonitoringChanged(isMonitoring_);
}

void ProcessMonitor::setScanIntervalValue(double seconds) {
    scanInterval_ = seconds;
    Q_EMIT scanIntervalChanged(scanInterval_);
}

void ProcessMonitor::setTargetInfo(TargetInfoMap targetInfo) {
    targetInfo_ = std::move(targetInfo);
    Q_EMIT targetInfoChanged(targetInfo_);
}

void ProcessMonitor::setTotalUserMemoryMB(double megabytes) {
    totalUserMemoryMB_ = megabytes;
    Q_EMIT totalUserMemoryMBChanged(totalUserMemoryMB_);
}

void ProcessMonitor::setSelfMemoryMB(double megabytes) {
    selfMemoryMB_ = megabytes;
    Q_EMIT selfMemoryMBChanged(selfMemoryMB_);
}

void ProcessMonitor::setAllProcesses(QList<UserProcess> processes) {
    allProcesses_ = std::move(processes);
    Q_EMIT allProcessesChanged(allProcesses_);
}

void ProcessMonitor::setUserProcesses(QList<UserProcess> processes) {
    userProcesses_ = std::move(processes);
    Q_EMIT userProcessesChanged(userProcesses_);
}

void ProcessMonitor::setUnsavedLogEntries(qsizetype count) {
    unsavedLogEntries_ = count;
    Q_EMIT unsavedLogEntriesChanged(unsavedLogEntries_);
}

void ProcessMonitor::setHasEarlierEntries(bool hasEarlierEntries) {
    hasEarlierEntries_ = hasEarlierEntries;
    Q_EMIT hasEarlierEntriesChanged(hasEarlierEntries_);
}

// The one failure said on standard output, as well as in the window.
void ProcessMonitor::reportExportFailure(const QString& path, const Error& error) {
    printLine(QStringLiteral("Export failed: ") + error.reason);
    postNotice({.kind = Notice::Kind::exportFailed, .file = path, .detail = error.reason});
}

void ProcessMonitor::postNotice(const Notice& notice) {
    Q_EMIT noticePosted(notice);
}
