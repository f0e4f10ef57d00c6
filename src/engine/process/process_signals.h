#pragma once

#include "engine/process/user_process.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class ProcReader;

// A process bound at the moment it is signalled, so that a process that later takes
// over its id is never hit.
class PinnedProcess {
public:
    virtual ~PinnedProcess() = default;
    // 0 when the signal was sent, otherwise the error number (EPERM, ESRCH, ...).
    virtual int sendSignal(int signal) = 0;
    // The existence probe: true once the process has gone or ended (a zombie counts as ended).
    virtual bool hasEnded() = 0;
    // A descriptor that becomes readable when the process ends, or -1 when there is none.
    virtual int endNotifier() const { return -1; }
};

// A process that was sent its polite signal, and when.
struct SignalledProcess {
    PinnedProcess* process = nullptr;
    std::chrono::steady_clock::time_point signalledAt;
};

struct PinResult {
    enum class Status {
        pinned, // still the process of the snapshot: signal it through `process`
        gone,   // ended, or its id now belongs to another process
        zombie, // ended but not yet reaped, or this program's ancestor: nothing to signal or log
        failed, // could not be bound; `error` holds the error number (EMFILE: no descriptor free)
    };
    Status status = Status::failed;
    int error = 0;
    std::unique_ptr<PinnedProcess> process;
};

class ProcessSignals {
public:
    virtual ~ProcessSignals() = default;
    virtual PinResult pin(const UserProcess& process) = 0;
    // How many processes may be pinned at once now: each holds a descriptor until it is let go.
    virtual std::size_t pinnableNow() const { return SIZE_MAX; }
    // One wait for all: returns once each process has ended or its grace since its own signal
    // has passed, with the probe's answer for each (true: ended), in the given order.
    virtual std::vector<bool> awaitEnd(const std::vector<SignalledProcess>& signalled,
                                       std::chrono::microseconds grace) = 0;
};

// Linux: pidfds checked against /proc (the kernel's 15-byte name and the user), with kill()
// where the kernel has no pidfds. Elsewhere: kill() by process id. Never this program's
// ancestors (on Linux the whole chain up to pid 1, elsewhere the parent).
class SystemProcessSignals final : public ProcessSignals {
public:
    // How a pinned process is reached on Linux: by pidfd where the kernel has them, or by
    // process id as on kernels before 5.3.
    enum class Reach { pidfd, processId };

    // `proc`: where /proc is read; the system's own when none is given.
    explicit SystemProcessSignals(std::shared_ptr<const ProcReader> proc = {},
                                  Reach reach = Reach::pidfd);

    PinResult pin(const UserProcess& process) override;
    std::size_t pinnableNow() const override;
    std::vector<bool> awaitEnd(const std::vector<SignalledProcess>& signalled,
                               std::chrono::microseconds grace) override;

private:
    std::shared_ptr<const ProcReader> proc_;
    [[maybe_unused]] Reach reach_;
};
