#include "command_line.h"

#include <QCoreApplication>

CommandLine::CommandLine() : help_(parser_.addHelpOption()), version_(parser_.addVersionOption()) {
    parser_.setApplicationDescription(
        QStringLiteral("Ends the processes on your watch list and keeps a log of each attempt."));
}

bool CommandLine::asksOnlyForText(const QStringList& arguments) {
    // Errors wait for process(): an option unknown here may be one of Qt's, such as -platform.
    parser_.parse(arguments);
    return parser_.isSet(help_) || parser_.isSet(version_) ||
           parser_.isSet(QStringLiteral("help-all"));
}

void CommandLine::process(const QCoreApplication& app) {
    parser_.process(app);
}
