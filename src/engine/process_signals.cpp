#include "process_signals.h"

#include "file_descriptor.h"
#include "proc_reader.h"
#include "task_name.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>

#ifdef __linux__
#include <QByteArray>
#include <QFile>
#include <QList>
#include <optional>
#include <sys/syscall.h>
#include <utility>
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

std::optional<QByteArray> readProcFile(qint32 pid, const char* entry) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(entry)));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<ProcIdentity> readIdentity(qint32 pid) {
    const auto stat = readProcFile(pid, "stat");
    const auto status = readProcFile(pid, "status");
    if (!stat || !status)
        return std::nullopt;
    // The name may hold spaces and ")" itself, so it ends at the last ")".
    const qsizetype open = stat->indexOf('(');
    const qsizetype close = stat->lastIndexOf(')');
    if (open < 0 || close < open || close + 2 >= stat->size())
        return std::nullopt;
    ProcIdentity identity;
    identity.comm = stat->mid(open + 1, close - open - 1);
    identity.state = stat->at(close + 2);
    for (const QByteArray& line : status->split('\n')) {
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

std::optional<qint32> parentOf(qint32 pid) {
    const auto stat = readProcFile(pid, "stat");
    return stat ? parentInStat(*stat) : std::nullopt;
}

// Ending the parent, its parent and so on ends this program or the session that runs it.
bool isOwnAncestor(qint32 pid) {
    // The bound only guards against a loop that id reuse could fake while the chain is read.
    qint32 ancestor = getppid();
    for (int depth = 0; ancestor > 1 && depth < 4096; ++depth) {
        if (ancestor == pid)
            return true;
        ancestor = parentOf(ancestor).value_or(0);
    }
    return false;
}

bool isZombie(qint32 pid) {
    const auto identity = readIdentity(pid);
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
    explicit PidProcess(qint32 pid) : pid_(pid) {}

    int sendSignal(int signal) override { return kill(pid_, signal) == 0 ? 0 : errno; }
    bool hasEnded() override {
#ifdef __linux__
        if (isZombie(pid_))
            return true;
#endif
        return sendSignal(0) != 0;
    }

private:
    qint32 pid_;
};

PinResult pinResult(PinResult::Status status, int error = 0) {
    PinResult result;
    result.status = status;
    result.error = error;
    return result;
}
} // namespace

#ifdef __linux__
PinResult SystemProcessSignals::pin(const UserProcess& process) {
    if (isNeverSignalled(process.pid))
        return pinResult(PinResult::Status::gone);
    if (isOwnAncestor(process.pid))
        return pinResult(PinResult::Status::zombie);

    // Open the pidfd first: once /proc agrees with the snapshot and the pidfd still shows
    // a live process, the two speak of the same process.
    FileDescriptor pidfd(pidfdOpen(process.pid));
    if (!pidfd.isValid()) {
        const int error = errno;
        if (error == ESRCH)
            return pinResult(PinResult::Status::gone);
        if (error != ENOSYS)
            return pinResult(PinResult::Status::failed, error);
    }

    const auto identity = readIdentity(process.pid);
    if (!identity || identity->effectiveUid != process.uid ||
        !isSameName(identity->comm, process.name))
        return pinResult(PinResult::Status::gone);
    if (identity->state == 'Z' || (pidfd.isValid() && hasExited(pidfd.get())))
        return pinResult(PinResult::Status::zombie);

    PinResult result = pinResult(PinResult::Status::pinned);
    if (pidfd.isValid())
        result.process = std::make_unique<PidfdProcess>(std::move(pidfd));
    else
        result.process = std::make_unique<PidProcess>(process.pid);
    return result;
}
#else
PinResult SystemProcessSignals::pin(const UserProcess& process) {
    if (isNeverSignalled(process.pid))
        return pinResult(PinResult::Status::gone);
    if (process.pid == getppid())
        return pinResult(PinResult::Status::zombie);
    PinResult result = pinResult(PinResult::Status::pinned);
    result.process = std::make_unique<PidProcess>(process.pid);
    return result;
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
