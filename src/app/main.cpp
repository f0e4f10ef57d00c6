#include "app_delegate.h"
#include "command_line.h"
#include "single_instance.h"
#include "termination_signals.h"

#include <QApplication>
#include <csignal>

namespace {
QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Zentrav"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrav"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTRAV_FULL_VERSION));
    // Names the desktop entry, so that the desktop matches the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("app.zentrav.Zentrav"));

    CommandLine commandLine;
    if (commandLine.asksOnlyForText(argumentList(argc, argv))) {
        const QCoreApplication textOnly(argc, argv);
        commandLine.process(textOnly); // prints, and ends the program
    }
    QApplication app(argc, argv);
    commandLine.process(app);

    SingleInstance instance(SingleInstance::runtimeDirForThisUser());
    if (!instance.claim())
        return instance.handOver() ? 0 : 1;

    // A write past the user's file-size limit then fails with its reason instead of ending us.
    std::signal(SIGXFSZ, SIG_IGN);
    // Logout, shutdown and Ctrl+C end the program as Quit does, so the monitor writes its log.
    // Made before the delegate, it outlives it: a second signal cannot cut that write short.
    const TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app,
                     &QCoreApplication::quit);
    AppDelegate delegate;
    QObject::connect(&instance, &SingleInstance::showRequested, &delegate,
                     &AppDelegate::showMainWindow);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &delegate,
                     &AppDelegate::commitData);
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
