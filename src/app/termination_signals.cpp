#include "app/termination_signals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array<int, 3> handledSignals = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end for the handler; -1 while no object lives.
std::atomic<int> pipeWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void onSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end; dropping this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(pipeWriteEnd.load(), &byte, 1);
    errno = savedErrno;
}
} // namespace

TerminationSignals::TerminationSignals() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd_ = FileDescriptor(ends[0]);
    writeEnd_ = FileDescriptor(ends[1]);
    pipeWriteEnd.store(writeEnd_.get());
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < handledSignals.size(); ++i) {
        // A signal ignored from the start stays ignored: nohup and scripts ask for that.
        if (::sigaction(handledSignals[i], nullptr, &previous_[i]) != 0 ||
            previous_[i].sa_handler == SIG_IGN)
            continue;
        isHandled_[i] = ::sigaction(handledSignals[i], &action, nullptr) == 0;
    }
}

TerminationSignals::~TerminationSignals() {
    for (size_t i = 0; i < handledSignals.size(); ++i) {
        if (isHandled_[i])
            ::sigaction(handledSignals[i], &previous_[i], nullptr);
    }
    pipeWriteEnd.store(-1);
}

void TerminationSignals::readPending() {
    unsigned char byte = 0;
    while (::read(readEnd_.get(), &byte, 1) == 1)
        Q_EMIT received(byte);
}
