#pragma once

#include <QByteArray>
#include <QString>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

// Children that sleep until they are killed at the end.
class Sleepers {
public:
    explicit Sleepers(const QString& program) : program_(program.toLocal8Bit()) {}
    ~Sleepers() {
        for (pid_t pid : pids_)
            ::kill(pid, SIGKILL);
        for (pid_t pid : pids_)
            ::waitpid(pid, nullptr, 0);
    }
    Sleepers(const Sleepers&) = delete;
    Sleepers& operator=(const Sleepers&) = delete;

    bool growTo(int count) {
        char seconds[] = "600";
        char* argv[] = {program_.data(), seconds, nullptr};
        while (int(pids_.size()) < count) {
            pid_t pid = 0;
            if (posix_spawn(&pid, program_.constData(), nullptr, nullptr, argv, environ) != 0)
                return false;
            pids_.push_back(pid);
        }
        return true;
    }

private:
    QByteArray program_;
    std::vector<pid_t> pids_;
};
