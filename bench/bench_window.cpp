// The window's costs under a real X server (Xvfb, started here): time from start to first
// paint against a bare Qt window with one label, resident memory after 2 s idle, and CPU
// used while idle for 10 s with monitoring off.
#include "app_delegate.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {
// Prints one line at the first paint of any window, then quits.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            std::puts("painted");
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

int runWindow(int argc, char* argv[], bool bare) {
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    if (bare) {
        QLabel label(QStringLiteral("Zentrav"));
        label.show();
        return QApplication::exec();
    }
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}

double msUntilPainted(const QString& self, const QString& mode, const QProcessEnvironment& env) {
    QProcess child;
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(self, {mode});
    while (!child.canReadLine() && child.waitForReadyRead(10000)) {
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    child.waitForFinished(5000);
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

// Time on a CPU of all its threads, in nanoseconds: finer than the clock ticks of stat.
double cpuSeconds(qint64 pid) {
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    qint64 nanoseconds = 0;
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (file.open(QIODevice::ReadOnly))
            nanoseconds += file.readAll().split(' ').value(0).toLongLong();
    }
    return double(nanoseconds) / 1e9;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return runWindow(argc, argv, true);
    if (argc > 1 && qstrcmp(argv[1], "--app") == 0)
        return runWindow(argc, argv, false);

    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        std::puts("Xvfb is missing; skipped");
        return 0;
    }
    QTemporaryDir home;
    const QString display = QStringLiteral(":%1").arg(90 + getpid() % 9);
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {display, QStringLiteral("-screen"), QStringLiteral("0"),
                                        QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp")});
    QThread::msleep(700);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));

    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> bare;
    std::vector<double> full;
    for (int i = 0; i < 9; ++i) {
        bare.push_back(msUntilPainted(self, QStringLiteral("--bare"), env));
        full.push_back(msUntilPainted(self, QStringLiteral("--app"), env));
    }
    const double ratio = median(full) / median(bare);
    std::printf("first paint: bare window %.1f ms, Zentrav %.1f ms, ratio %.2f (goal <= 1.5)\n",
                median(bare), median(full), ratio);

    QProcess zentrav;
    zentrav.setProcessEnvironment(env);
    zentrav.start(QStringLiteral(ZENTRAV_APP_PATH), {});
    zentrav.waitForStarted();
    QThread::sleep(2);
    const qint64 rssKB = procStatusKB(zentrav.processId(), "VmRSS");
    const double cpuBefore = cpuSeconds(zentrav.processId());
    QThread::sleep(10);
    const double idleCpu = 100.0 * (cpuSeconds(zentrav.processId()) - cpuBefore) / 10.0;
    std::printf("resident memory after 2 s idle: %.1f MB (goal <= 40 MB)\n", double(rssKB) / 1024.0);
    std::printf("CPU while idle for 10 s, monitoring off: %.2f %% (goal <= 0.1 %%)\n", idleCpu);
    zentrav.kill();
    zentrav.waitForFinished();
    xvfb.terminate();
    xvfb.waitForFinished();
    const bool met = ratio <= 1.5 && rssKB <= 40 * 1024 && idleCpu <= 0.1;
    return met ? 0 : 1;
}
