#include "engine/process/process_signals.h"

#include "engine/base/file_descriptor.h"
#include "engine/process/proc_reader.h"
#include "engine/process/task_name.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>
#include <utility>

#ifdef __linux__
#include <QByteArray>
#include <QList>
#include <optional>
#include <sys/resource.h>
#include <sys/syscall.h>
#endif

namespace {
// No row of a snapshot may ever lead to signalling this program, a process group or
// every process (kill() reads 0 and negative ids that way).
bool isNeverSignalled(qint32 pid) {
    return pid <= 0 || pid == getpid();
}

#ifdef __linux__
// What /proc tells about a process id right now.
struct ProcIdentity {
    QByteArray comm;
    char state = '\0';
    quint32 effectiveUid = 0;
};

// Empty when the process has gone or the files describe none. `error` is set where they could
// not be read for another reason (EMFILE, EACCES, ...): that tells nothing about the process.
std::optional<ProcIdentity> readIdentity(const ProcReader& proc, qint32 pid, int& error) {
    const ProcFile stat = proc.readFile(pid, "stat");
    const ProcFile status = stat.error ? ProcFile() : proc.readFile(pid, "status");
    const ProcFile& failed = stat.error ? stat : status;
    error = failed.isGone() ? 0 : failed.error;
    if (failed.error)
        return std::nullopt;
    // The name may hold spaces and ")" itself, so it ends at the last ")".
    const qsizetype open = stat.content.indexOf('(');
    const qsizetype close = stat.content.lastIndexOf(')');
    if (open < 0 || close < open || close + 2 >= stat.content.size())
        return std::nullopt;
    ProcIdentity identity;
    identity.comm = stat.content.mid(open + 1, close - open - 1);
    identity.state = stat.content.at(close + 2);
    for (const QByteArray& line : status.content.split('\n')) {
        if (!line.startsWith("Uid:"))
            continue;
        const QList<QByteArray> ids = line.mid(4).simplified().split(' ');
        bool ok = false;
        if (ids.size() >= 2)
            identity.effectiveUid = ids.at(1).toUInt(&ok);
        if (!ok)
            return std::nullopt;
        return identity;
    }
    return std::nullopt;
}

// The kernel keeps only the first 15 bytes of a longer name.
bool isSameName(const QByteArray& comm, const QString& snapshotName) {
    const QByteArray name = snapshotName.toUtf8();
    return showsTaskName(QByteArrayView(name).first(std::min(name.size(), taskNameBytes)), comm);
}

// 0 where the id has no parent any more; `error` is set where /proc could not tell.
qint32 parentOf(const ProcReader& proc, qint32 pid, int& error) {
    const ProcFile stat = proc.readFile(pid, "stat");
    if (stat.error) {
        error = stat.isGone() ? 0 : stat.error;
        return 0;
    }
    return parentInStat(stat.content).value_or(0);
}

// Ending the parent, its parent and so on ends this program or the session that runs it. A
// chain that cannot be read sets `error`: such a process is not signalled.
bool isOwnAncestor(const ProcReader& proc, qint32 pid, int& error) {
    // The bound only guards against a loop that id reuse could fake while the chain is read.
    error = 0;
    qint32 ancestor = getppid();
    for (int depth = 0; ancestor > 1 && depth < 4096 && !error; ++depth) {
        if (ancestor == pid)
            return true;
        ancestor = parentOf(proc, ancestor, error);
    }
    return false;
}

bool isZombie(const ProcReader& proc, qint32 pid) {
    int error = 0;
    const auto identity = readIdentity(proc, pid, error);
    return identity && identity->state == 'Z';
}

int pidfdOpen(qint32 pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

int pidfdSendSignal(int fd, int signal) {
#ifdef SYS_pidfd_send_signal
    return static_cast<int>(syscall(SYS_pidfd_send_signal, fd, signal, nullptr, 0));
#else
    (void)fd;
    (void)signal;
    errno = ENOSYS;
    return -1;
#endif
}

// A pidfd becomes readable once its process has exited, reaped or not.
bool hasExited(int pidfd) {
    pollfd entry{pidfd, POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&entry, 1, 0);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

class PidfdProcess final : public PinnedProcess {
public:
    explicit PidfdProcess(FileDescriptor pidfd) : pidfd_(std::move(pidfd)) {}

    int sendSignal(int signal) override {
        return pidfdSendSignal(pidfd_.get(), signal) == 0 ? 0 : errno;
    }
    bool hasEnded() override { return hasExited(pidfd_.get()) || sendSignal(0) != 0; }
    int endNotifier() const override { return pidfd_.get(); }

private:
    FileDescriptor pidfd_;
};
#endif

// By process id: where there are no pidfds, the id is all there is.
class PidProcess final : public PinnedProcess {
public:
    PidProcess(qint32 pid, std::shared_ptr<const ProcReader> proc)
        : pid_(pid), proc_(std::move(proc)) {}

    int sendSignal(int signal) override { return kill(pid_, signal) == 0 ? 0 : errno; }
    bool hasEnded() override {
#ifdef __linux__
        if (isZombie(*proc_, pid_))
            return true;
#endif
        return sendSignal(0) != 0;
    }

private:
    qint32 pid_;
    [[maybe_unused]] std::shared_ptr<const ProcReader> proc_;
};

PinResult pinResult(PinResult::Status status, int error = 0) {
    PinResult result;
    result.status = status;
    result.error = error;
    return result;
}
} // namespace

SystemProcessSignals::SystemProcessSignals(std::shared_ptr<const ProcReader> proc, Reach reach)
    : proc_(proc ? std::move(proc) : std::make_shared<ProcDirectory>()), reach_(reach) {}

#ifdef __linux__
PinResult SystemProcessSignals::pin(const UserProcess& process) {
    if (isNeverSignalled(process.pid))
        return pinResult(PinResult::Status::gone);
    int error = 0;
    if (isOwnAncestor(*proc_, process.pid, error))
        return pinResult(PinResult::Status::zombie);
    if (error)
        return pinResult(PinResult::Status::failed, error);

    // Open the pidfd first: once /proc agrees with the snapshot and the pidfd still shows
    // a live process, the two speak of the same process.
    FileDescriptor pidfd(reach_ == Reach::pidfd ? pidfdOpen(process.pid) : -1);
    if (!pidfd.isValid() && reach_ == Reach::pidfd) {
        const int error = errno;
        if (error == ESRCH)
            return pinResult(PinResult::Status::gone);
        if (error != ENOSYS)
            return pinResult(PinResult::Status::failed, error);
    }

    const auto identity = readIdentity(*proc_, process.pid, error);
    if (error)
        return pinResult(PinResult::Status::failed, error);
    if (!identity || identity->effectiveUid != process.uid ||
        !isSameName(identity->comm, process.name))
        return pinResult(PinResult::Status::gone);
    if (identity->state == 'Z' || (pidfd.isValid() && hasExited(pidfd.get())))
        return pinResult(PinResult::Status::zombie);

    PinResult result = pinResult(PinResult::Status::pinned);
    if (pidfd.isValid())
        result.process = std::make_unique<PidfdProcess>(std::move(pidfd));
    else
        result.process = std::make_unique<PidProcess>(process.pid, proc_);
    return result;
}

std::size_t SystemProcessSignals::pinnableNow() const {
    rlimit limit{};
    // The count includes the listing's own descriptor.
    const std::optional<std::size_t> open = proc_->openFileCount(getpid());
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || !open)
        return SIZE_MAX;
    // A quarter of what is free, at most 64, stays for the rest of the program meanwhile: a
    // settings or log file, the window, a later start's connection.
    const std::size_t free = limit.rlim_cur > *open ? std::size_t(limit.rlim_cur) - *open : 0;
    return std::max<std::size_t>(1, free - std::min<std::size_t>(64, free / 4));
}
#else
PinResult SystemProcessSignals::pin(const UserProcess& process) {
    if (isNeverSignalled(process.pid))
        return pinResult(PinResult::Status::gone);
    if (process.pid == getppid())
        return pinResult(PinResult::Status::zombie);
    PinResult result = pinResult(PinResult::Status::pinned);
    result.process = std::make_unique<PidProcess>(process.pid, proc_);
    return result;
}

std::size_t SystemProcessSignals::pinnableNow() const {
    return SIZE_MAX;
}
#endif

std::vector<bool> SystemProcessSignals::awaitEnd(const std::vector<SignalledProcess>& signalled,
                                                 std::chrono::microseconds grace) {
    using Clock = std::chrono::steady_clock;
    std::vector<bool> ended(signalled.size(), false);
    std::vector<size_t> waiting(signalled.size());
    for (size_t i = 0; i < waiting.size(); ++i)
        waiting[i] = i;
    std::vector<pollfd> notifiers;
    std::vector<size_t> notifierOwners;
    for (;;) {
        // Whose grace is over gets its probe now; the others may still end on their own.
        const Clock::time_point now = Clock::now();
        std::erase_if(waiting, [&](size_t i) {
            if (signalled[i].signalledAt + grace > now)
                return false;
            ended[i] = signalled[i].process->hasEnded();
            return true;
        });
        if (waiting.empty())
            return ended;

        Clock::time_point nextDeadline = Clock::time_point::max();
        notifiers.clear();
        notifierOwners.clear();
        for (const size_t i : waiting) {
            nextDeadline = std::min(nextDeadline, signalled[i].signalledAt + grace);
            if (const int fd = signalled[i].process->endNotifier(); fd >= 0) {
                notifiers.push_back({fd, POLLIN, 0});
                notifierOwners.push_back(i);
            }
        }
        // Rounded up, so that the wait never ends just short of the deadline.
        const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(nextDeadline - now);
        if (poll(notifiers.data(), notifiers.size(), int(timeout.count())) <= 0)
            continue;
        for (size_t n = 0; n < notifiers.size(); ++n) {
            if (notifiers[n].revents == 0)
                continue;
            const size_t i = notifierOwners[n];
            ended[i] = signalled[i].process->hasEnded();
            std::erase(waiting, i);
        }
    }
}
