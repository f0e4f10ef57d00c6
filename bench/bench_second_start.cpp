// A second start while Zentrav runs: it hands over to the running one and ends with status 0
// (goal: every one within 2 s), against starting the program only to print its version.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int rounds = 9;
constexpr double goalMs = 2000.0;

// Wall time until the program ends, in milliseconds; negative when it failed.
double msUntilEnded(const QProcessEnvironment& environment, const QStringList& arguments) {
    QProcess program;
    program.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    program.start(QStringLiteral(ZENTRAV_APP_PATH), arguments);
    const bool isDone = program.waitForFinished(30000) &&
                        program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
    return isDone ? double(timer.nsecsElapsed()) / 1e6 : -1.0;
}

void print(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-36s min %7.1f  median %7.1f  max %7.1f ms\n", what, ms.front(),
                ms[ms.size() / 2], ms.back());
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);

    QProcess running;
    running.setProcessEnvironment(environment);
    running.start(QStringLiteral(ZENTRAV_APP_PATH), {});
    // Started at once, a second start could be the first to take the lock. The first hand-over
    // waits for the running one to be up; it is not counted.
    const QDeadlineTimer listening(30000);
    while (!QFileInfo::exists(runtime + QStringLiteral("/app.zentrav.Zentrav.socket")) &&
           !listening.hasExpired())
        QThread::msleep(10);
    bool isMet = msUntilEnded(environment, {}) >= 0;

    std::vector<double> version;
    std::vector<double> second;
    for (int i = 0; i < rounds; ++i) {
        version.push_back(msUntilEnded(environment, {QStringLiteral("--version")}));
        second.push_back(msUntilEnded(environment, {}));
    }
    running.terminate();
    running.waitForFinished();

    std::printf("second start while Zentrav runs, %d rounds:\n", rounds);
    print("zentrav --version (baseline)", version);
    print("zentrav, handing over", second);
    for (const double ms : second)
        isMet = isMet && ms >= 0 && ms <= goalMs;
    std::printf("  goal: every second start ends with status 0 within %.0f ms: %s\n", goalMs,
                isMet ? "met" : "MISSED");
    return isMet ? 0 : 1;
}
