#include "test_child.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

TestChild::TestChild(const QString& prefix, const QStringList& arguments, OnTerm onTerm,
                     const QString& tail, const QString& program)
    : name_(QStringLiteral("%1-%2").arg(prefix).arg(QRandomGenerator::global()->generate(), 8, 16,
                                                    QLatin1Char('0')) +
            tail) {
    const QString copy = dir_.filePath(name_);
    if (!dir_.isValid() || !QFile::copy(program, copy))
        return;
    QList<QByteArray> args = {QFile::encodeName(copy)};
    for (const QString& argument : arguments)
        args.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t mask;
    sigemptyset(&mask);
    if (onTerm == OnTerm::block)
        sigaddset(&mask, SIGTERM);
    posix_spawnattr_setsigmask(&attributes, &mask);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, &attributes, argv.data(), environ) == 0)
        pid_ = pid;
    posix_spawnattr_destroy(&attributes);
}

TestChild::~TestChild() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

int TestChild::waitForEnd(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (pid_ > 0) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        }
        if (deadline.hasExpired())
            break;
        QThread::msleep(10);
    }
    return -1;
}
