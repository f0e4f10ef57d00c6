#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// A copy of sleep in `dir`, named by `pattern` with five random hex digits for its "%1", so
// that no other program bears the name; empty when it cannot be made.
inline QString sleepCopy(const QDir& dir, const QString& pattern) {
    const QString program = dir.filePath(
        pattern.arg(QRandomGenerator::global()->bounded(0x100000), 5, 16, QLatin1Char('0')));
    return QFile::copy(QStringLiteral("/bin/sleep"), program) ? program : QString();
}

// Children that sleep until they are killed at the end. With distinct names, child n runs
// through a hard link "<program>-<n>" of its own, so that its task name is its own.
class Sleepers {
public:
    explicit Sleepers(const QString& program, bool distinctNames = false)
        : program_(program.toLocal8Bit()), distinctNames_(distinctNames) {}
    ~Sleepers() {
        for (pid_t pid : pids_)
            ::kill(pid, SIGKILL);
        for (pid_t pid : pids_)
            ::waitpid(pid, nullptr, 0);
    }
    Sleepers(const Sleepers&) = delete;
    Sleepers& operator=(const Sleepers&) = delete;

    // Every `blockTermEvery`-th new child (0: none) keeps SIGTERM pending, so only SIGKILL ends it.
    bool growTo(int count, int blockTermEvery = 0) {
        posix_spawnattr_t plain;
        posix_spawnattr_t blocking;
        posix_spawnattr_init(&plain);
        posix_spawnattr_init(&blocking);
        sigset_t mask;
        sigemptyset(&mask);
        sigaddset(&mask, SIGTERM);
        posix_spawnattr_setsigmask(&blocking, &mask);
        posix_spawnattr_setflags(&blocking, POSIX_SPAWN_SETSIGMASK);
        bool ok = true;
        while (ok && int(pids_.size()) < count) {
            const int n = int(pids_.size());
            QByteArray path = program_;
            if (distinctNames_) {
                path += '-' + QByteArray::number(n);
                ok = ::link(program_.constData(), path.constData()) == 0 || errno == EEXIST;
            }
            char seconds[] = "600";
            char* argv[] = {path.data(), seconds, nullptr};
            const bool blocks = blockTermEvery > 0 && n % blockTermEvery == 0;
            pid_t pid = 0;
            ok = ok && posix_spawn(&pid, path.constData(), nullptr, blocks ? &blocking : &plain,
                                   argv, environ) == 0;
            if (ok)
                pids_.push_back(pid);
        }
        posix_spawnattr_destroy(&plain);
        posix_spawnattr_destroy(&blocking);
        return ok;
    }

private:
    QByteArray program_;
    bool distinctNames_;
    std::vector<pid_t> pids_;
};
