#include "kill_cycle.h"

#include "lang.h"
#include "text_format.h"
#include "memory_format.h"
#include "process_signals.h"

#include <QLocale>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <vector>

namespace {
constexpr std::chrono::microseconds waitBeforeProbe{100000};

// A name in the two forms the rules compare: canonical for exact entries, canonical and
// folded to lower case for fuzzy ones. Built once per text, not once per comparison.
struct MatchText {
    QString canonical;
    QString folded;
};

MatchText matchText(const QString& text, const QLocale& locale) {
    QString canonical = text.normalized(QString::NormalizationForm_C);
    QString folded = locale.toLower(canonical).normalized(QString::NormalizationForm_C);
    return {std::move(canonical), std::move(folded)};
}

struct PreparedProcess {
    MatchText name;
    std::optional<MatchText> localizedName;
};

struct PreparedTarget {
    MatchMode mode;
    MatchText name;
};

PreparedProcess prepare(const UserProcess& process, const QLocale& locale) {
    PreparedProcess prepared{matchText(process.name, locale), std::nullopt};
    if (process.localizedName)
        prepared.localizedName = matchText(*process.localizedName, locale);
    return prepared;
}

PreparedTarget prepare(const TargetProcess& target, const QLocale& locale) {
    return {target.matchMode, matchText(target.name, locale)};
}

template <typename Item> auto prepareAll(const QList<Item>& items, const QLocale& locale) {
    std::vector<decltype(prepare(Item(), locale))> prepared;
    prepared.reserve(items.size());
    for (const Item& item : items)
        prepared.push_back(prepare(item, locale));
    return prepared;
}

bool textMatches(const PreparedTarget& target, const MatchText& text) {
    if (target.mode == MatchMode::exact)
        return text.canonical == target.name.canonical;
    return text.folded.contains(target.name.folded);
}

bool matches(const PreparedTarget& target, const PreparedProcess& process) {
    if (target.name.canonical.isEmpty())
        return false;
    return textMatches(target, process.name) ||
           (process.localizedName && textMatches(target, *process.localizedName));
}

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

struct Outcome {
    bool success = false;
    QString text;
};

std::optional<Outcome> attempt(const UserProcess& process, ProcessSignals& signals,
                               const Lang& lang) {
    const Outcome exited{false, lang.localized(QStringLiteral("msg_already_exited"))};
    PinResult pin = signals.pin(process);
    switch (pin.status) {
    case PinResult::Status::zombie:
        return std::nullopt;
    case PinResult::Status::failed:
        return Outcome{false, errorText(pin.error, lang)};
    case PinResult::Status::gone:
        return exited;
    case PinResult::Status::pinned:
        break;
    }
    if (!pin.process)
        return exited;
    PinnedProcess& pinned = *pin.process;
    if (const int error = pinned.sendSignal(SIGTERM))
        return Outcome{false, errorText(error, lang)};
    signals.pause(waitBeforeProbe);
    if (pinned.hasEnded())
        return Outcome{true, lang.localized(QStringLiteral("msg_killed"))};
    if (const int error = pinned.sendSignal(SIGKILL))
        return Outcome{false, errorText(error, lang)};
    return Outcome{true, lang.localized(QStringLiteral("msg_force_killed"))};
}
} // namespace

bool matchesTarget(const TargetProcess& target, const UserProcess& process) {
    const QLocale locale;
    return matches(prepare(target, locale), prepare(process, locale));
}

std::optional<KillLogEntry> killProcess(const UserProcess& process, ProcessSignals& signals,
                                        const Lang& lang) {
    const std::optional<Outcome> outcome = attempt(process, signals, lang);
    if (!outcome)
        return std::nullopt;
    return KillLogEntry{QUuid::createUuid(), QDateTime::currentDateTimeUtc(),
                        process.name,        process.pid,
                        outcome->success,    outcome->text + memorySuffix(process.memoryKB)};
}

ScanResult runKillCycle(const QList<UserProcess>& snapshot, const QList<TargetProcess>& targets,
                        const QList<TargetProcess>& enabledTargets, ProcessSignals& signals,
                        const Lang& lang) {
    const QLocale locale;
    const auto processes = prepareAll(snapshot, locale);
    ScanResult result;

    const auto allTargets = prepareAll(targets, locale);
    for (qsizetype t = 0; t < targets.size(); ++t) {
        RunningTargetInfo info;
        for (qsizetype p = 0; p < snapshot.size(); ++p) {
            if (!matches(allTargets[t], processes[p]))
                continue;
            info.totalMemoryKB += snapshot[p].memoryKB;
            info.origin = snapshot[p].origin;
            ++info.processCount;
        }
        if (info.processCount > 0)
            result.targetInfo.insert(targets[t].id, info);
    }

    for (const UserProcess& process : snapshot)
        result.totalMemoryKB += process.memoryKB;

    for (const PreparedTarget& target : prepareAll(enabledTargets, locale)) {
        for (qsizetype p = 0; p < snapshot.size(); ++p) {
            if (!matches(target, processes[p]))
                continue;
            if (auto entry = killProcess(snapshot[p], signals, lang))
                result.batch.append(std::move(*entry));
        }
    }
    return result;
}
