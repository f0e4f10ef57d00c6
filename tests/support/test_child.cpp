#include "test_child.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

TestChild::TestChild(const QString& prefix, const QStringList& arguments)
    : name_(QStringLiteral("%1-%2").arg(prefix).arg(QRandomGenerator::global()->generate(), 8,
                                                    16, QLatin1Char('0'))) {
    const QString program = dir_.filePath(name_);
    if (!dir_.isValid() || !QFile::copy(QStringLiteral("/bin/sleep"), program))
        return;
    QList<QByteArray> args = {program.toLocal8Bit()};
    for (const QString& argument : arguments)
        args.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0)
        pid_ = pid;
}

TestChild::~TestChild() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

bool TestChild::waitUntilKilled(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (pid_ > 0 && !deadline.hasExpired()) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFSIGNALED(status);
        }
        QThread::msleep(10);
    }
    return false;
}
