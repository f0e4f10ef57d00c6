#include "process_monitor.h"

#include "console_line.h"
#include "desktop_display_names.h"
#include "display_name_source.h"
#include "file_chooser.h"
#include "file_system.h"
#include "kill_cycle.h"
#include "lang.h"
#include "proc_reader.h"
#include "process_runner.h"
#include "process_signals.h"
#include "process_snapshot.h"
#include "record_json.h"
#include "self_memory.h"
#include "serial_queue.h"
#include "settings_store.h"
#include "target_matcher.h"

#include <QCoreApplication>
#include <QDir>
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

MonitorServices MonitorServices::system() {
    MonitorServices services;
    services.runner = std::make_shared<PosixProcessRunner>();
    auto proc = std::make_shared<ProcDirectory>();
    services.proc = proc;
#ifdef Q_OS_LINUX
    services.displayNames = std::make_shared<DesktopDisplayNames>(
        proc, DesktopDisplayNames::applicationFolders(), Lang::shared().languageInUse());
#else
    services.displayNames = std::make_shared<NoDisplayNames>();
#endif
    services.signals = std::make_shared<SystemProcessSignals>();
    services.selfMemory = std::make_shared<SystemSelfMemory>();
    services.files = std::make_shared<LocalFileSystem>();
    services.settings = std::make_shared<QSettingsStore>();
    services.lang = &Lang::shared();
    services.logsDir = defaultLogsDir();
    services.currentUid = ::getuid();
    services.ownPid = QCoreApplication::applicationPid();
    return services;
}

ProcessMonitor::ProcessMonitor(MonitorServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)), watchListStore_(*services_.settings),
      logWriter_(services_.files, services_.logsDir),
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
                         snapshotter = snapshotter_] {
        if (cycle.stop_requested())
            return;
        ScanResult result = runKillCycle(snapshotter->snapshotProcesses(true), targets, *matcher,
                                         *signals, *lang, cycle.get_token());
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
}

void ProcessMonitor::applyScanResult(const TargetInfoMap& targetInfo, qint64 totalKB,
                                     const QList<KillLogEntry>& batch) {
    setTargetInfo(targetInfo);
    setTotalUserMemoryMB(double(totalKB) / 1024.0);
    appendLogEntries(batch);
}

void ProcessMonitor::refreshAllProcesses() {
    scanQueue_->enqueue([this, closing = closing_.get_token(), snapshotter = snapshotter_] {
        if (closing.stop_requested())
            return;
        browserSnapshots_.post(snapshotter->snapshotProcesses(false));
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
    watchListStore_.save(targets_);
}

void ProcessMonitor::loadTargets() {
    QList<TargetProcess> stored = watchListStore_.load();
    if (!stored.isEmpty())
        setTargets(std::move(stored));
}

void ProcessMonitor::exportTargets(FileChooser& chooser) {
    if (targets_.isEmpty()) {
        chooser.beep();
        return;
    }
    const QByteArray content = encodeTargets(targets_, JsonStyle::prettySorted);
    const std::optional<QString> path =
        chooser.chooseSaveLocation(QString(), QStringLiteral("Zentrav-Targets.json"));
    if (!path)
        return;
    const QString error = services_.files->writeAtomically(*path, content);
    if (!error.isEmpty())
        printLine(QStringLiteral("Export failed: ") + error);
}

void ProcessMonitor::importTargets(FileChooser& chooser) {
    const std::optional<QString> path = chooser.chooseFileToOpen();
    if (!path)
        return;
    const std::optional<QByteArray> content = services_.files->read(*path, importSizeLimit);
    const std::optional<QList<TargetProcess>> imported =
        content ? decodeTargets(*content) : std::nullopt;
    if (!imported) {
        chooser.beep();
        return;
    }
    // One save for the whole import.
    QList<TargetProcess> merged = withImported(targets_, *imported);
    if (merged.size() == targets_.size())
        return;
    setTargets(std::move(merged));
    saveTargets();
}

void ProcessMonitor::appendLogEntries(const QList<KillLogEntry>& batch) {
    if (batch.isEmpty())
        return;
    unwrittenBatches_.append(batch);
    setKillLog(withBatchInFront(killLog_, batch));
    Q_EMIT logEntriesRecorded(batch);
}

void ProcessMonitor::flushLog() {
    // Also with nothing new: the writer tries again what no day file took before.
    logWriter_.write(std::exchange(unwrittenBatches_, {}));
    if (!killLog_.isEmpty())
        setKillLog({});
}

QList<KillLogEntry> ProcessMonitor::loadAllLogs() {
    return logWriter_.loadAllLogs();
}

void ProcessMonitor::exportAllLogs(FileChooser& chooser) {
    flushLog();
    const QList<KillLogEntry> entries = loadAllLogs();
    if (entries.isEmpty())
        return;
    const std::optional<QString> path =
        chooser.chooseSaveLocation(services_.lang->localized(QStringLiteral("export_all_title")),
                                   KillLogStore::exportFileName(QDateTime::currentDateTime()));
    if (!path)
        return;
    const QString error = logWriter_.exportTo(*path, entries);
    if (!error.isEmpty())
        printLine(QStringLiteral("Export failed: ") + error);
}

void ProcessMonitor::clearAllLogs() {
    unwrittenBatches_.clear();
    setKillLog({});
    logWriter_.clearAll();
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
