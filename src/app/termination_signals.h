#pragma once

#include "engine/base/file_descriptor.h"

#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <memory>

// SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C, a closed terminal) as a Qt signal on the
// event loop. The handler only writes the signal's number to a pipe, which is safe in a handler;
// the event loop reads it. The handlers are process-wide, so one object at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPending();

    FileDescriptor readEnd_;
    FileDescriptor writeEnd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, 3> previous_{};
    std::array<bool, 3> isHandled_{};
};
