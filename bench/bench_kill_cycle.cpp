// One kill cycle that matches 1,000 real children with names of their own (every tenth keeps
// SIGTERM pending and needs the forced kill), against a cycle that matches one of them, measured
// interleaved round by round: snapshot, matching and signals, as the monitor runs them. A third
// cycle matches 1,500 with the usual limit of 1,024 descriptors, so it must go in batches.
#include "bench_timing.h"
#include "engine/desktop/display_name_source.h"
#include "engine/i18n/lang.h"
#include "engine/process/kill_cycle.h"
#include "engine/process/proc_reader.h"
#include "engine/process/process_runner.h"
#include "engine/process/process_signals.h"
#include "engine/process/process_snapshot.h"
#include "memory_settings_store.h"
#include "sleepers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {
constexpr int rounds = 5;
constexpr int matched = 1000;
constexpr int crowd = 1500;
constexpr rlim_t fewDescriptors = 1024;
constexpr int blockTermEvery = 10;
constexpr double goalMs = 500;

// True when every child got its entry, the forced kill exactly where SIGTERM was blocked.
bool outcomesRight(const ScanResult& result, int children, const Lang& lang) {
    const QString forced = lang.localized(QStringLiteral("msg_force_killed"));
    int forcedKills = 0;
    for (const KillLogEntry& entry : result.batch) {
        if (!entry.success)
            return false;
        forcedKills += entry.message.startsWith(forced) ? 1 : 0;
    }
    return result.batch.size() == children &&
           forcedKills == (children + blockTermEvery - 1) / blockTermEvery;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = sleepCopy(dir.path(), QStringLiteral("zvk%1"));
    if (program.isEmpty())
        return 1;
    const QString stem = QFileInfo(program).fileName();

    MemorySettingsStore settings;
    Lang lang(settings, {QStringLiteral("en")});
    PosixProcessRunner runner;
    ProcDirectory proc;
    NoDisplayNames names;
    ProcessSnapshotter snapshotter(runner, proc, names, ::getuid(), ::getpid());
    SystemProcessSignals signals;
    const QList<TargetProcess> watchList = {
        {QUuid::createUuid(), stem + QLatin1Char('-'), MatchMode::fuzzy, true}};

    rlimit usual{};
    getrlimit(RLIMIT_NOFILE, &usual);
    rlimit few = usual;
    few.rlim_cur = std::min(fewDescriptors, usual.rlim_max);

    std::vector<double> one;
    std::vector<double> many;
    std::vector<double> batched;
    bool right = true;
    for (int round = 0; round < rounds; ++round) {
        for (const int children : {1, matched, crowd}) {
            Sleepers sleepers(program, true);
            if (!sleepers.growTo(children, blockTermEvery)) {
                std::printf("could not start %d processes\n", children);
                return 1;
            }
            ScanResult result;
            setrlimit(RLIMIT_NOFILE, children == crowd ? &few : &usual);
            const double ms = elapsedMs([&] {
                result =
                    runKillCycle(snapshotter.snapshotProcesses(true), watchList, signals, lang);
            });
            setrlimit(RLIMIT_NOFILE, &usual);
            right = right && outcomesRight(result, children, lang);
            (children == 1 ? one : children == matched ? many : batched).push_back(ms);
        }
    }
    const Spread base = spreadOf(one);
    const Spread cycle = spreadOf(many);
    const Spread inBatches = spreadOf(batched);
    std::printf("kill cycle, 1 matched:     min %7.1f  median %7.1f  max %7.1f ms\n", base.min,
                base.median, base.max);
    std::printf("kill cycle, %d matched: min %7.1f  median %7.1f  max %7.1f ms  (%.1fx one)\n",
                matched, cycle.min, cycle.median, cycle.max, cycle.median / base.median);
    std::printf("kill cycle, %d matched, %d descriptors: min %7.1f  median %7.1f  max %7.1f ms\n",
                crowd, int(few.rlim_cur), inBatches.min, inBatches.median, inBatches.max);
    std::printf("goal: %d matched <= %.0f ms (median); every outcome right: %s\n", matched, goalMs,
                right ? "yes" : "NO");
    return cycle.median <= goalMs && right ? 0 : 1;
}
