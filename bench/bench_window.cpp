// The window's costs under a real X server (Xvfb, started here for this run alone):
// - time from start to the first frame on the display of the program's own start-up against a
//   bare Qt window with one label (bare_window), the two started in turn, which one first
//   alternating, as the ratio of each pair: processor time of all threads (the goal; other work
//   on a shared machine disturbs it least) and wall time;
// - resident memory after 2 s idle;
// - CPU used while idle with monitoring off and on, over 2-12 s after start and over 12-22 s,
//   when the text cursor has stopped blinking.
#include "app/application_shell.h"
#include "app/run_application.h"
#include "app/single_instance.h"
#include "bench_timing.h"
#include "first_frame_application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {
constexpr int pairs = 31;
constexpr double paintGoal = 1.4;
constexpr double idleGoalPercent = 0.1;
constexpr qint64 memoryGoalKB = 40 * 1024;

// The program itself up to its first frame, as its main() runs it.
int runApp(int argc, char* argv[]) {
    nameApplication();
    SingleInstance instance(SingleInstance::runtimeDirForThisUser());
    if (!instance.claim())
        return instance.handOver({}) ? 0 : 1;
    FirstFrameApplication app(argc, argv);
    return runApplication(app, instance, false);
}

// The program with monitoring on from the start and an empty watch list.
int runMonitoring(int argc, char* argv[]) {
    nameApplication();
    QApplication app(argc, argv);
    ApplicationShell delegate;
    delegate.start();
    // As a user starts it: the header's start button.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* start = window->findChild<QAbstractButton*>(QStringLiteral("toggleBtn")))
            start->click();
    }
    return QApplication::exec();
}

struct PaintTimes {
    double wallMs;
    double cpuMs;
};

PaintTimes untilPainted(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& env) {
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    while (!child.canReadLine() && child.waitForReadyRead(10000)) {
    }
    const double wallMs = double(timer.nsecsElapsed()) / 1e6;
    const QByteArray line = child.readLine().trimmed();
    child.waitForFinished(5000);
    if (!line.startsWith("painted ")) {
        std::printf("%s did not report its first frame\n", qPrintable(program));
        std::exit(1);
    }
    return {wallMs, line.mid(8).toDouble()};
}

qint64 procStatusKB(qint64 pid, const QByteArray& key) {
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Time on a CPU of all its threads, in seconds: finer than the clock ticks of stat.
double ownCpuSeconds(qint64 pid) {
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    qint64 nanoseconds = 0;
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (file.open(QIODevice::ReadOnly))
            nanoseconds += file.readAll().split(' ').value(0).toLongLong();
    }
    return double(nanoseconds) / 1e9;
}

// Time of the children it has waited for (the process table tool), in clock ticks.
double childrenCpuSeconds(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = file.readAll();
    // The fields after the name, which may hold spaces, start at the third: state.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const double ticks = double(fields.value(13).toLongLong() + fields.value(14).toLongLong());
    return ticks / double(sysconf(_SC_CLK_TCK));
}

struct Idle {
    qint64 rssKB;
    double earlyPercent;
    double latePercent;
    double lateChildrenPercent;
};

Idle idleOf(const QString& program, const QStringList& arguments, const QProcessEnvironment& env) {
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(program, arguments);
    child.waitForStarted();
    const qint64 pid = child.processId();
    QThread::sleep(2);
    const qint64 rssKB = procStatusKB(pid, "VmRSS");
    const double at2 = ownCpuSeconds(pid);
    QThread::sleep(10);
    const double at12 = ownCpuSeconds(pid);
    const double childrenAt12 = childrenCpuSeconds(pid);
    QThread::sleep(10);
    const double at22 = ownCpuSeconds(pid);
    const double childrenAt22 = childrenCpuSeconds(pid);
    child.terminate();
    if (!child.waitForFinished(5000)) {
        child.kill();
        child.waitForFinished();
    }
    return {rssKB, 100.0 * (at12 - at2) / 10.0, 100.0 * (at22 - at12) / 10.0,
            100.0 * (childrenAt22 - childrenAt12) / 10.0};
}

void print(const char* what, const Spread& f, const char* unit) {
    std::printf("  %-36s min %7.2f  median %7.2f  max %7.2f%s\n", what, f.min, f.median, f.max,
                unit);
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], "--app") == 0)
        return runApp(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--monitoring") == 0)
        return runMonitoring(argc, argv);

    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        std::puts("Xvfb is missing; skipped");
        return 0;
    }
    // Xvfb picks a free display itself and names it on its output once it takes clients; it
    // never starts over between programs (by default it does when its last client leaves).
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-noreset")});
    while (!xvfb.canReadLine() && xvfb.waitForReadyRead(10000)) {
    }
    const QByteArray displayNumber = xvfb.readLine().trimmed();
    if (displayNumber.isEmpty()) {
        std::puts("Xvfb did not start");
        return 1;
    }

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(displayNumber));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    // Qt accepts a runtime folder only when the user alone may enter it, as this one.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());

    const QString self = QCoreApplication::applicationFilePath();
    const auto bare = [&] { return untilPainted(QStringLiteral(ZENTRAV_BARE_PATH), {}, env); };
    const auto full = [&] { return untilPainted(self, {QStringLiteral("--app")}, env); };
    std::vector<double> bareMs, fullMs, wallRatios, cpuRatios, bareCpuMs, fullCpuMs;
    for (int i = 0; i < pairs; ++i) {
        PaintTimes b{}, f{};
        if (i % 2 == 0) {
            b = bare();
            f = full();
        } else {
            f = full();
            b = bare();
        }
        bareMs.push_back(b.wallMs);
        fullMs.push_back(f.wallMs);
        bareCpuMs.push_back(b.cpuMs);
        fullCpuMs.push_back(f.cpuMs);
        wallRatios.push_back(f.wallMs / b.wallMs);
        cpuRatios.push_back(f.cpuMs / b.cpuMs);
    }
    std::printf("first frame on the display, %d pairs started in turn:\n", pairs);
    print("bare window, processor time", spreadOf(bareCpuMs), " ms");
    print("Zentrav, processor time", spreadOf(fullCpuMs), " ms");
    print("ratio of each pair, processor time", spreadOf(cpuRatios), "");
    print("bare window, wall time", spreadOf(bareMs), " ms");
    print("Zentrav, wall time", spreadOf(fullMs), " ms");
    print("ratio of each pair, wall time", spreadOf(wallRatios), "");
    const double ratio = spreadOf(cpuRatios).median;
    std::printf("first paint goal: median processor-time ratio <= %.1f: %s\n", paintGoal,
                ratio <= paintGoal ? "met" : "MISSED");

    const Idle off = idleOf(QStringLiteral(ZENTRAV_APP_PATH), {}, env);
    const Idle on = idleOf(self, {QStringLiteral("--monitoring")}, env);
    std::printf("resident memory after 2 s idle: %.1f MB (goal <= 40 MB)\n",
                double(off.rssKB) / 1024.0);
    std::printf("CPU while idle, monitoring off: %.3f %% over 2-12 s, %.3f %% over 12-22 s "
                "(goal <= %.1f %%)\n",
                off.earlyPercent, off.latePercent, idleGoalPercent);
    std::printf("CPU while idle, monitoring on every 5 s, empty watch list: %.3f %% over 2-12 s, "
                "%.3f %% over 12-22 s, and %.2f %% in the process table tool\n",
                on.earlyPercent, on.latePercent, on.lateChildrenPercent);
    xvfb.terminate();
    xvfb.waitForFinished();
    const bool met =
        ratio <= paintGoal && off.rssKB <= memoryGoalKB && off.latePercent <= idleGoalPercent;
    return met ? 0 : 1;
}
