#include "command_line.h"
#include "run_application.h"
#include "single_instance.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    nameApplication();
    CommandLine commandLine;
    if (const std::optional<int> status = commandLine.read(argc, argv))
        return *status;
    // A later start hands over to the running one before it opens a display of its own.
    SingleInstance instance(SingleInstance::runtimeDirForThisUser());
    if (!instance.claim())
        return instance.handOver(qEnvironmentVariable("XDG_ACTIVATION_TOKEN")) ? 0 : 1;
    QApplication app(argc, argv);
    return runApplication(app, instance);
}
