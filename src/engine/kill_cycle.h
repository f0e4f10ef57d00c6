#pragma once

#include "kill_log_entry.h"
#include "running_target_info.h"
#include "target_process.h"
#include "user_process.h"

#include <QList>
#include <optional>

class Lang;
class ProcessSignals;

struct ScanResult {
    TargetInfoMap targetInfo;
    qint64 totalMemoryKB = 0;
    QList<KillLogEntry> batch;
};

bool matchesTarget(const TargetProcess& target, const UserProcess& process);

// One attempt: polite signal, 0.1 s, probe, forced kill. Nothing for a process that is
// already a zombie.
std::optional<KillLogEntry> killProcess(const UserProcess& process, ProcessSignals& signals,
                                        const Lang& lang);

// Figures for every entry, kills for the enabled ones (entry order, then snapshot order).
ScanResult runKillCycle(const QList<UserProcess>& snapshot, const QList<TargetProcess>& targets,
                        const QList<TargetProcess>& enabledTargets, ProcessSignals& signals,
                        const Lang& lang);
