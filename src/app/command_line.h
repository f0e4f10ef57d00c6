#pragma once

#include "app/instance_command.h"

#include <QCommandLineParser>
#include <optional>

// The program's own options, read before any display is opened: --help and --version print and
// end the program; an unknown option, or commands that do not go together, print why and the
// usage and end it with status 2. Qt's own options (-platform, -style, ...) pass untouched to
// the application object made later.
class CommandLine {
public:
    CommandLine();

    // The status to end the program with, once whatever the arguments ask for is printed; empty
    // when the program runs. Touches no stored file.
    std::optional<int> read(int argc, char* argv[]);
    // The one command given, once read: a plain start shows the window.
    const InstanceCommand& command() const { return command_; }

private:
    // Why the commands given do not go together; empty when they do.
    QString commandError();

    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption start_;
    QCommandLineOption stop_;
    QCommandLineOption add_;
    QCommandLineOption exact_;
    QCommandLineOption list_;
    QCommandLineOption json_;
    QCommandLineOption show_;
    InstanceCommand command_;
};
