// The engine's cost per scan beyond the process-table tool: parsing the table, finding the
// session's own processes (with a listening session socket of the bench's own, so that the
// finder has one to look for), the figures and the matching of a watch list that matches nothing
// (half exact, half fuzzy entries), against the ps run itself, at 1,000 and 10,000 children with
// names of their own, interleaved round by round. CPU time on both sides: on a shared machine wall
// time mostly measures the wait for a core.
#include "bench_timing.h"
#include "engine/i18n/lang.h"
#include "engine/matching/target_matcher.h"
#include "engine/process/kill_cycle.h"
#include "engine/process/proc_reader.h"
#include "engine/process/process_runner.h"
#include "engine/process/process_signals.h"
#include "engine/process/process_snapshot.h"
#include "engine/process/session_processes.h"
#include "memory_settings_store.h"
#include "sleepers.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

namespace {
constexpr int rounds = 9;
// The engine's share is small; repeating it lifts it above the clock's noise.
constexpr int repeats = 5;

// Never reached: the watch list below matches nothing, as in an ordinary scan.
class NoSignals final : public ProcessSignals {
public:
    PinResult pin(const UserProcess&) override { return {}; }
    std::vector<bool> awaitEnd(const std::vector<SignalledProcess>& signalled,
                               std::chrono::microseconds) override {
        return std::vector<bool>(signalled.size(), true);
    }
};

// Names like those of real programs, none of them part of a child's name.
QList<TargetProcess> watchList(int size) {
    QList<TargetProcess> targets;
    for (int i = 0; i < size; ++i) {
        const bool exact = i % 2 == 1;
        targets.append({QUuid::createUuid(),
                        exact ? QStringLiteral("Helper%1").arg(i) : QStringLiteral("svc-%1").arg(i),
                        exact ? MatchMode::exact : MatchMode::fuzzy, true});
    }
    return targets;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = sleepCopy(dir.path(), QStringLiteral("zvb%1"));
    if (program.isEmpty())
        return 1;

    // A session socket, listened on by this process and by none of its children.
    const QByteArray socketPath = QFile::encodeName(dir.filePath(QStringLiteral("wayland-0")));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0)
        return 1;
    const ProcDirectory proc;
    SessionProcessFinder session(proc,
                                 sessionSocketNames({}, QStringLiteral("wayland-0"), dir.path()),
                                 std::make_shared<NoSessionRoles>(), ::getsid(0), ::getuid());

    MemorySettingsStore settings;
    Lang lang(settings, {QStringLiteral("en")});
    NoSignals signals;
    PosixProcessRunner runner;
    Sleepers sleepers(program, true);
    const QStringList args = {QStringLiteral("-eo"), QStringLiteral("pid,uid,rss,comm")};
    const ProcessTableFilter filter{::getuid(), true, {::getpid()}};

    bool met = true;
    for (const auto& [processes, entries, goal] :
         {std::tuple{1000, 50, 0.5}, std::tuple{10000, 200, 1.0}}) {
        if (!sleepers.growTo(processes)) {
            std::printf("could not start %d processes\n", processes);
            return 1;
        }
        const QList<TargetProcess> targets = watchList(entries);
        // As the monitor keeps it: made once for the watch list, used by every scan.
        TargetMatcher matcher(targets);
        std::vector<double> shares;
        std::vector<double> sessionShares;
        qsizetype rows = 0;
        for (int round = 0; round < rounds; ++round) {
            const double childrenBefore = childrenCpuMs();
            const QByteArray table = runner.run(QStringLiteral("/bin/ps"), args)->standardOutput;
            const double ps = childrenCpuMs() - childrenBefore;
            const double start = threadCpuMs();
            double marking = 0;
            for (int i = 0; i < repeats; ++i) {
                QList<UserProcess> snapshot = parseProcessTable(table, filter, {});
                const double markStart = threadCpuMs();
                session.mark(snapshot);
                marking += threadCpuMs() - markStart;
                rows = snapshot.size();
                runKillCycle(snapshot, targets, matcher, signals, lang);
            }
            shares.push_back(100.0 * (threadCpuMs() - start) / repeats / ps);
            sessionShares.push_back(100.0 * marking / repeats / ps);
        }
        const Spread spread = spreadOf(shares);
        const Spread finding = spreadOf(sessionShares);
        std::printf(
            "%6lld processes x %3d entries: engine CPU per scan  min %5.2f%%  median %5.2f%%  "
            "max %5.2f%% of the ps run  (goal <= %.1f%%)\n"
            "%33s of which finding the session's processes  median %5.2f%%  max %5.2f%%\n",
            (long long)rows, entries, spread.min, spread.median, spread.max, goal, "",
            finding.median, finding.max);
        met = met && spread.median <= goal;
    }
    return met ? 0 : 1;
}
