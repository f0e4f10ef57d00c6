#include "app/command_answers.h"
#include "app/command_line.h"
#include "app/run_application.h"
#include "app/single_instance.h"
#include "engine/storage/file_system.h"
#include "engine/storage/settings_store.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>

int main(int argc, char* argv[]) {
    nameApplication();
    CommandLine commandLine;
    if (const std::optional<int> status = commandLine.read(argc, argv))
        return *status;
    const InstanceCommand& command = commandLine.command();
    using Kind = InstanceCommand::Kind;
    // A later start hands over to the running one before it opens a display of its own.
    SingleInstance instance(SingleInstance::runtimeDirForThisUser());
    // A command on the stored list holds the lock for a moment and listens to none: the next
    // one takes the lock after it, or asks the instance that took it meanwhile.
    const QDeadlineTimer deadline(std::chrono::seconds(10));
    const bool isWindow = command.kind == Kind::show || command.kind == Kind::start;
    while (!instance.claim(isWindow)) {
        if (command.kind == Kind::show)
            return instance.handOver(qEnvironmentVariable("XDG_ACTIVATION_TOKEN")) ? 0 : 1;
        const SingleInstance::Answer answer = instance.ask(command, deadline);
        if (answer.isAsked || deadline.hasExpired())
            return printReply(answer.reply);
        QThread::msleep(25);
    }
    if (!isWindow) {
        // Holding the lock, no instance can start and overwrite the list meanwhile.
        const QCoreApplication app(argc, argv);
        QSettingsStore settings(std::make_shared<LocalFileSystem>());
        return printReply(answerFromStore(settings, command));
    }
    QApplication app(argc, argv);
    return runApplication(app, instance, command.kind == Kind::start);
}
