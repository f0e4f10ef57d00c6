// The engine's cost per scan beyond the process-table tool itself: parsing the table,
// the figures and the matching, against real `ps` output with 1,000 and 10,000 processes.
#include "kill_cycle.h"
#include "lang.h"
#include "process_runner.h"
#include "process_signals.h"
#include "process_snapshot.h"
#include "settings_store.h"
#include "sleepers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
// Never signals: the watch list below matches nothing, as in an ordinary scan.
class NoSignals final : public ProcessSignals {
public:
    PinResult pin(const UserProcess&) override { return {}; }
    void pause(std::chrono::microseconds) override {}
};

class NoSettings final : public SettingsStore {
public:
    QVariant value(const QString&) const override { return {}; }
    void setValue(const QString&, const QVariant&) override {}
    void remove(const QString&) override {}
};

template <typename Work> double medianMs(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QList<TargetProcess> watchList(int size) {
    QList<TargetProcess> targets;
    for (int i = 0; i < size; ++i)
        targets.append({QUuid::createUuid(), QStringLiteral("Unwanted Helper %1").arg(i),
                        i % 2 ? MatchMode::exact : MatchMode::fuzzy, true});
    return targets;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = dir.filePath(
        QStringLiteral("zvb-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    if (!QFile::copy(QStringLiteral("/bin/sleep"), program))
        return 1;

    NoSettings settings;
    Lang lang(settings, {QStringLiteral("en")});
    NoSignals signals;
    PosixProcessRunner runner;
    Sleepers sleepers(program);

    std::printf("%-22s %10s %12s %8s\n", "processes x entries", "ps (ms)", "engine (ms)", "ratio");
    for (const auto& [processes, entries] : {std::pair{1000, 50}, std::pair{10000, 200}}) {
        if (!sleepers.growTo(processes)) {
            std::printf("could not start %d processes\n", processes);
            return 1;
        }
        const QStringList args = {QStringLiteral("-eo"), QStringLiteral("pid,uid,rss,comm")};
        QByteArray table;
        const double ps = medianMs(7, [&] { table = runner.run(QStringLiteral("/bin/ps"), args)->standardOutput; });
        const QList<TargetProcess> targets = watchList(entries);
        const ProcessTableFilter filter{::getuid(), true, {::getpid()}};
        qsizetype rows = 0;
        const double engine = medianMs(7, [&] {
            const QList<UserProcess> snapshot = parseProcessTable(table, filter, {});
            rows = snapshot.size();
            runKillCycle(snapshot, targets, targets, signals, lang);
        });
        std::printf("%6lld x %-13d %10.2f %12.2f %7.1f%%\n", (long long)rows, entries, ps, engine,
                    100.0 * engine / ps);
    }
    std::printf("goal: engine <= 10%% of the ps run\n");
    return 0;
}
