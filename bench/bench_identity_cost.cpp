// What /proc and the desktop's entries add to a scan: the full names past the kernel's cut and
// the display-name lookup, at 1,000 and 10,000 processes whose names all need completing (the
// worst case), against the ps run itself, measured interleaved round by round. CPU time on
// both sides: on a shared machine wall time mostly measures the wait for a core.
#include "bench_timing.h"
#include "engine/desktop/desktop_display_names.h"
#include "engine/process/proc_reader.h"
#include "engine/process/process_runner.h"
#include "engine/process/process_snapshot.h"
#include "sleepers.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int rounds = 15;
// Short steps are repeated within a round so that they stand above the clock's noise.
constexpr int repeats = 10;

const QStringList tableArguments = {QStringLiteral("-eo"), QStringLiteral("pid,uid,rss,comm")};

// The table of one real ps run, printed again without running anything; no command lines.
class CannedRunner final : public ProcessRunner {
public:
    Result<ToolOutput> run(const QString&, const QStringList& arguments) override {
        if (arguments != tableArguments)
            return Error{QStringLiteral("no such table"), 0};
        return output;
    }
    ToolOutput output;
};

struct Figures {
    std::vector<double> ms;

    double at(double share) const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[size_t(share * double(sorted.size() - 1))];
    }
    void print(const char* what, double psMedian) const {
        std::printf("  %-34s min %8.3f  median %8.3f  max %8.3f ms  (median %6.2f%% of ps)\n", what,
                    at(0), at(0.5), at(1), 100.0 * at(0.5) / psMedian);
    }
};

template <typename Work> double cpuMs(Work work, int times = 1) {
    const double start = threadCpuMs();
    for (int i = 0; i < times; ++i)
        work();
    return (threadCpuMs() - start) / times;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // Every sleeper's task name is cut: "zvi-<5 hex>-long-" stands for the whole file name.
    const QString program = sleepCopy(dir.path(), QStringLiteral("zvi-%1-long-sleeper-name"));
    if (program.isEmpty())
        return 1;

    PosixProcessRunner runner;
    CannedRunner canned;
    const auto proc = std::make_shared<ProcDirectory>();
    const QStringList folders = DesktopDisplayNames::applicationFolders();
    const ProcessTableFilter mine{::getuid(), true, {::getpid()}};
    const ProcessTableFilter everyone{::getuid(), false, {::getpid()}};
    Sleepers sleepers(program);
    bool isMet = true;

    for (const auto& [processes, goalPercent] : {std::pair{1000, 0.25}, std::pair{10000, 0.25}}) {
        if (!sleepers.growTo(processes)) {
            std::printf("could not start %d processes\n", processes);
            return 1;
        }
        DesktopDisplayNames names(proc, folders, QStringLiteral("en"));
        ProcessSnapshotter warm(canned, *proc, names, ::getuid(), ::getpid());
        Figures ps, added, cold, browser;
        qsizetype rows = 0;
        for (int round = 0; round < rounds; ++round) {
            const double psStart = childrenCpuMs();
            canned.output = *runner.run(QStringLiteral("/bin/ps"), tableArguments);
            ps.ms.push_back(childrenCpuMs() - psStart);
            const QByteArray& output = canned.output.standardOutput;
            const double parse =
                cpuMs([&] { rows = parseProcessTable(output, mine, {}).size(); }, repeats);
            if (round == 0)
                warm.snapshotProcesses(true); // what every later scan finds already known
            added.ms.push_back(cpuMs([&] { warm.snapshotProcesses(true); }, repeats) - parse);
            cold.ms.push_back(cpuMs([&] {
                                  DesktopDisplayNames fresh(proc, folders, QStringLiteral("en"));
                                  ProcessSnapshotter first(canned, *proc, fresh, ::getuid(),
                                                           ::getpid());
                                  first.snapshotProcesses(true);
                              }) -
                              parse);
            const double parseAll = cpuMs([&] { parseProcessTable(output, everyone, {}); });
            browser.ms.push_back(cpuMs([&] { warm.snapshotProcesses(false); }) - parseAll);
        }
        std::printf("%lld processes of this user, %d rounds:\n", (long long)rows, rounds);
        ps.print("ps -eo pid,uid,rss,comm", ps.at(0.5));
        added.print("added per scan", ps.at(0.5));
        cold.print("added by the first scan", ps.at(0.5));
        browser.print("added per browser refresh (paths)", ps.at(0.5));
        const bool met = added.at(0.5) <= goalPercent / 100.0 * ps.at(0.5);
        std::printf("  goal: added per scan <= %.2f%% of the ps run: %s\n", goalPercent,
                    met ? "met" : "MISSED");
        isMet = isMet && met;
    }
    return isMet ? 0 : 1;
}
