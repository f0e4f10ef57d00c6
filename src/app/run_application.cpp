#include "app/run_application.h"

#include "app/application_shell.h"
#include "app/command_answers.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"

#include <QApplication>
#include <csignal>
#include <sys/resource.h>

namespace {
// A kill cycle holds a descriptor for each process it signals until its wait is over, and each
// later start holds one while it asks: the soft limit (often 1,024) goes up to the hard one.
void raiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
        return;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
}
} // namespace

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Zentrav"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrav"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTRAV_FULL_VERSION));
    // Names the desktop entry, so that the desktop matches the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("app.zentrav.Zentrav"));
}

int runApplication(QApplication& app, SingleInstance& instance, bool startsMonitoring) {
    raiseDescriptorLimit();
    // A write past the user's file-size limit then fails with its reason instead of ending us.
    std::signal(SIGXFSZ, SIG_IGN);
    // Logout, shutdown and Ctrl+C end the program as Quit does, so the monitor writes its log.
    // Made before the delegate, it outlives it: a second signal cannot cut that write short.
    const TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app,
                     &QCoreApplication::quit);
    ApplicationShell delegate;
    QObject::connect(&instance, &SingleInstance::showRequested, &delegate,
                     &ApplicationShell::showMainWindow);
    // Asked of the window's monitor of the moment: a language change replaces it.
    instance.setCommandHandler([&delegate](const InstanceCommand& command) {
        return answerWithMonitor(*delegate.monitor(), command);
    });
    instance.acceptHandOvers();
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &delegate,
                     &ApplicationShell::commitData);
    delegate.start();
    if (startsMonitoring && !delegate.monitor()->isMonitoring())
        delegate.monitor()->startMonitoring();
    return QApplication::exec();
}
