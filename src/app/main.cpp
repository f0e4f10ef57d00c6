#include "command_line.h"
#include "run_application.h"

#include <QApplication>

namespace {
QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
} // namespace

int main(int argc, char* argv[]) {
    nameApplication();
    CommandLine commandLine;
    if (commandLine.asksOnlyForText(argumentList(argc, argv))) {
        const QCoreApplication textOnly(argc, argv);
        commandLine.process(textOnly); // prints, and ends the program
    }
    QApplication app(argc, argv);
    commandLine.process(app);
    return runApplication(app);
}
