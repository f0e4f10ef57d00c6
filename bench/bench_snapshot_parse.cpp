// Parsing a large process table, and one real run of the tool for scale.
#include "process_runner.h"
#include "process_snapshot.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {
constexpr int lineCount = 10000;
constexpr int repetitions = 201;

struct Outputs {
    QByteArray table;
    QByteArray commandLines;
};

// Shaped like `ps -eo pid,uid,rss,comm` and `ps -eo pid,args` on a busy desktop.
Outputs synthesise() {
    const char* commands[] = {"kworker/3:1-events_power_efficient",
                              "systemd",
                              "Web Content",
                              "Isolated Web Co",
                              "firefox-esr",
                              "my sleep  prog ",
                              "Zürich-Größe",
                              "gnome-shell",
                              "pipewire-pulse",
                              "irq/24-ACPI:Ged",
                              "bash",
                              "a_very_long_exe"};
    const quint32 uids[] = {0, 0, 1000, 1000, 1000, 65534, 104};
    std::mt19937 random(42);
    Outputs outputs;
    outputs.table = "    PID   UID   RSS COMMAND\n";
    outputs.commandLines = "    PID COMMAND\n";
    for (int i = 0; i < lineCount; ++i) {
        const int pid = 1 + i * 37;
        const char* command = commands[random() % std::size(commands)];
        const quint32 uid = uids[random() % std::size(uids)];
        const unsigned rss = random() % 3 == 0 ? 0 : unsigned(random() % 2000000);
        char line[160];
        std::snprintf(line, sizeof line, "%7d %5u %8u %s\n", pid, uid, rss, command);
        outputs.table += line;
        std::snprintf(line, sizeof line, "%7d /usr/lib/%s --type=renderer --field-trial=%u\n", pid,
                      command, unsigned(random()));
        outputs.commandLines += line;
    }
    return outputs;
}

template <typename Work> double medianMs(Work work) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main() {
    const Outputs outputs = synthesise();
    const QHash<qint32, QString> commandLines = parseCommandLines(outputs.commandLines);
    const QHash<qint32, QString> displayNames = {{38, QStringLiteral("Files")},
                                                 {75, QStringLiteral("Web Browser")}};

    ProcessTableFilter browser;
    browser.currentUid = 1000;
    browser.currentUserOnly = false;
    browser.excludedPids = {2, 3}; // the program and the tool, absent from this table
    ProcessTableFilter killCycle = browser;
    killCycle.currentUserOnly = true;

    qsizetype rows = 0;
    const double browserMs = medianMs([&] {
        rows = parseProcessTable(outputs.table, browser, displayNames, commandLines).size();
    });
    std::printf("process table, %d lines, all users with command lines: median %.3f ms "
                "(%lld rows; goal <= 5 ms)\n",
                lineCount, browserMs, static_cast<long long>(rows));
    const double killCycleMs = medianMs(
        [&] { rows = parseProcessTable(outputs.table, killCycle, displayNames, {}).size(); });
    std::printf("process table, %d lines, current user only: median %.3f ms (%lld rows)\n",
                lineCount, killCycleMs, static_cast<long long>(rows));
    const double argsMs = medianMs([&] { rows = parseCommandLines(outputs.commandLines).size(); });
    std::printf("command lines, %d lines: median %.3f ms (%lld entries)\n", lineCount, argsMs,
                static_cast<long long>(rows));

    PosixProcessRunner runner;
    QElapsedTimer timer;
    timer.start();
    const auto run = runner.run(QStringLiteral("/bin/ps"),
                                {QStringLiteral("-eo"), QStringLiteral("pid,uid,rss,comm")});
    const double runMs = double(timer.nsecsElapsed()) / 1e6;
    if (!run) {
        std::printf("/bin/ps could not be run\n");
        return 1;
    }
    std::printf("one /bin/ps -eo pid,uid,rss,comm run: %.3f ms (%lld bytes)\n", runMs,
                static_cast<long long>(run->standardOutput.size()));
    return browserMs <= 5.0 ? 0 : 1;
}
