#pragma once

#include "engine/matching/target_process.h"
#include "engine/process/running_target_info.h"
#include "engine/process/user_process.h"
#include "engine/storage/kill_log_entry.h"

#include <QList>
#include <stop_token>

class Lang;
class ProcessSignals;
class TargetMatcher;

struct ScanResult {
    TargetInfoMap targetInfo;
    qint64 totalMemoryKB = 0;
    QList<KillLogEntry> batch;
};

// Polite signals in the given order, then one wait in which each process has 0.1 s from its
// own signal to end; the forced kill for those still there. More processes than descriptors
// free go in batches, one after the other. One entry per attempt in the given order: none for a
// zombie, none for a process not yet reached when `stop` was requested.
QList<KillLogEntry> killProcesses(const QList<UserProcess>& processes, ProcessSignals& signals,
                                  const Lang& lang, const std::stop_token& stop = {});

// Figures for every entry, kills for the enabled ones (entry order, then snapshot order), never
// of a session process.
ScanResult runKillCycle(const QList<UserProcess>& snapshot, const QList<TargetProcess>& targets,
                        ProcessSignals& signals, const Lang& lang,
                        const std::stop_token& stop = {});
// The same with the watch list's matcher of earlier cycles: the names it already knows cost one
// lookup. `matcher` must have been made from `targets`.
ScanResult runKillCycle(const QList<UserProcess>& snapshot, const QList<TargetProcess>& targets,
                        TargetMatcher& matcher, ProcessSignals& signals, const Lang& lang,
                        const std::stop_token& stop = {});
