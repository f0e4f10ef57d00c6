#include "engine/process/kill_cycle.h"

#include "engine/i18n/lang.h"
#include "engine/i18n/memory_format.h"
#include "engine/i18n/text_format.h"
#include "engine/matching/target_matcher.h"
#include "engine/process/process_signals.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <memory>
#include <optional>
#include <vector>

namespace {
constexpr std::chrono::microseconds graceBeforeForcedKill{100000};

QString errorText(int error, const Lang& lang) {
    switch (error) {
    case EPERM:
        return lang.localized(QStringLiteral("msg_no_permission"));
    case ESRCH:
        return lang.localized(QStringLiteral("msg_already_exited"));
    default:
        return formatted(lang.localized(QStringLiteral("msg_failed")), error);
    }
}

// Stamped when the outcome is known, after the signals of the attempt.
KillLogEntry entryFor(const UserProcess& process, bool success, const QString& text) {
    return {QUuid::createUuid(),
            QDateTime::currentDateTimeUtc(),
            process.name,
            process.pid,
            success,
            text + memorySuffix(process.memoryKB)};
}

bool isShortOfDescriptors(const PinResult& pin) {
    return pin.status == PinResult::Status::failed && (pin.error == EMFILE || pin.error == ENFILE);
}

// Attempts processes from `first` on: polite signals to as many as may be pinned at once, one
// wait, then the forced kills. Returns where the next batch starts: after the last process
// attempted, or at one that found no descriptor free while others held theirs.
size_t attemptBatch(const std::vector<const UserProcess*>& processes, size_t first,
                    ProcessSignals& signals, const Lang& lang, const std::stop_token& stop,
                    std::vector<std::optional<KillLogEntry>>& entries) {
    const size_t pinnable = std::max<size_t>(1, signals.pinnableNow());
    std::vector<std::unique_ptr<PinnedProcess>> pinned;
    std::vector<SignalledProcess> signalled;
    std::vector<size_t> signalledRows;
    size_t next = first;
    for (; next < processes.size() && pinned.size() < pinnable && !stop.stop_requested(); ++next) {
        const UserProcess& process = *processes[next];
        PinResult pin = signals.pin(process);
        if (isShortOfDescriptors(pin) && !pinned.empty())
            break;
        switch (pin.status) {
        case PinResult::Status::zombie:
            continue;
        case PinResult::Status::failed:
            entries[next] = entryFor(process, false, errorText(pin.error, lang));
            continue;
        case PinResult::Status::gone:
            entries[next] = entryFor(process, false, errorText(ESRCH, lang));
            continue;
        case PinResult::Status::pinned:
            break;
        }
        if (!pin.process) {
            entries[next] = entryFor(process, false, errorText(ESRCH, lang));
            continue;
        }
        if (const int error = pin.process->sendSignal(SIGTERM)) {
            entries[next] = entryFor(process, false, errorText(error, lang));
            continue;
        }
        signalled.push_back({pin.process.get(), std::chrono::steady_clock::now()});
        pinned.push_back(std::move(pin.process));
        signalledRows.push_back(next);
    }
    if (signalled.empty())
        return next;

    const std::vector<bool> ended = signals.awaitEnd(signalled, graceBeforeForcedKill);
    for (size_t n = 0; n < signalled.size(); ++n) {
        const UserProcess& process = *processes[signalledRows[n]];
        std::optional<KillLogEntry>& entry = entries[signalledRows[n]];
        if (ended[n])
            entry = entryFor(process, true, lang.localized(QStringLiteral("msg_killed")));
        else if (const int error = signalled[n].process->sendSignal(SIGKILL))
            entry = entryFor(process, false, errorText(error, lang));
        else
            entry = entryFor(process, true, lang.localized(QStringLiteral("msg_force_killed")));
    }
    return next;
}

// Each process at most once; the entries stand where their processes do.
std::vector<std::optional<KillLogEntry>>
attemptAll(const std::vector<const UserProcess*>& processes, ProcessSignals& signals,
           const Lang& lang, const std::stop_token& stop) {
    std::vector<std::optional<KillLogEntry>> entries(processes.size());
    for (size_t next = 0; next < processes.size() && !stop.stop_requested();)
        next = attemptBatch(processes, next, signals, lang, stop, entries);
    return entries;
}
} // namespace

QList<KillLogEntry> killProcesses(const QList<UserProcess>& processes, ProcessSignals& signals,
                                  const Lang& lang, const std::stop_token& stop) {
    std::vector<const UserProcess*> rows;
    for (const UserProcess& process : processes)
        rows.push_back(&process);
    QList<KillLogEntry> batch;
    for (std::optional<KillLogEntry>& entry : attemptAll(rows, signals, lang, stop)) {
        if (entry)
            batch.append(std::move(*entry));
    }
    return batch;
}

ScanResult runKillCycle(const QList<UserProcess>& snapshot, const QList<TargetProcess>& targets,
                        ProcessSignals& signals, const Lang& lang, const std::stop_token& stop) {
    TargetMatcher matcher(targets);
    return runKillCycle(snapshot, targets, matcher, signals, lang, stop);
}

ScanResult runKillCycle(const QList<UserProcess>& snapshot, const QList<TargetProcess>& targets,
                        TargetMatcher& matcher, ProcessSignals& signals, const Lang& lang,
                        const std::stop_token& stop) {
    ScanResult result;
    std::vector<RunningTargetInfo> figures(size_t(targets.size()));
    std::vector<std::vector<const UserProcess*>> victimsOf(size_t(targets.size()));
    for (const UserProcess& process : snapshot) {
        result.totalMemoryKB += process.memoryKB;
        // Const: the list is shared with the matcher's memory, and a detach would copy it.
        const QList<qsizetype> matched = matcher.matches(process);
        for (const qsizetype t : matched) {
            RunningTargetInfo& info = figures[size_t(t)];
            info.totalMemoryKB += process.memoryKB;
            info.origin = process.origin;
            ++info.processCount;
            // The session's own processes match as any other but are never signalled.
            if (targets[t].isEnabled && !process.isSessionProcess)
                victimsOf[size_t(t)].push_back(&process);
        }
    }
    for (qsizetype t = 0; t < targets.size(); ++t) {
        if (figures[size_t(t)].processCount > 0)
            result.targetInfo.insert(targets[t].id, figures[size_t(t)]);
    }

    // Attempt order is entry order, then snapshot order. A process that several entries match
    // is attempted again in a later round, once the earlier attempt has run its course.
    std::vector<const UserProcess*> attempts;
    for (const auto& victims : victimsOf)
        attempts.insert(attempts.end(), victims.begin(), victims.end());
    std::vector<size_t> roundOf(attempts.size());
    QHash<const UserProcess*, size_t> attemptsSoFar;
    size_t rounds = 0;
    for (size_t a = 0; a < attempts.size(); ++a) {
        roundOf[a] = attemptsSoFar[attempts[a]]++;
        rounds = std::max(rounds, roundOf[a] + 1);
    }
    std::vector<std::optional<KillLogEntry>> entries(attempts.size());
    for (size_t round = 0; round < rounds; ++round) {
        std::vector<const UserProcess*> processes;
        std::vector<size_t> positions;
        for (size_t a = 0; a < attempts.size(); ++a) {
            if (roundOf[a] == round) {
                processes.push_back(attempts[a]);
                positions.push_back(a);
            }
        }
        std::vector<std::optional<KillLogEntry>> done = attemptAll(processes, signals, lang, stop);
        for (size_t k = 0; k < done.size(); ++k)
            entries[positions[k]] = std::move(done[k]);
    }
    for (std::optional<KillLogEntry>& entry : entries) {
        if (entry)
            result.batch.append(std::move(*entry));
    }
    return result;
}
