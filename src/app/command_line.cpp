#include "command_line.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {
// Qt's own options, read by the application object and its display plugin (with one dash or
// two). Known here only so that they are no error; the help leaves them out.
const char* const qtOptionsWithValue[] = {"platform",
                                          "platformpluginpath",
                                          "platformtheme",
                                          "plugin",
                                          "qwindowgeometry",
                                          "geometry",
                                          "qwindowtitle",
                                          "title",
                                          "qwindowicon",
                                          "icon",
                                          "session",
                                          "display",
                                          "name",
                                          "visual",
                                          "style",
                                          "stylesheet",
                                          "qmljsdebugger"};
const char* const qtFlags[] = {"reverse", "testability", "nograb", "dograb", "widgetcount"};

constexpr int badUsageStatus = 2;
} // namespace

CommandLine::CommandLine() : help_(parser_.addHelpOption()), version_(parser_.addVersionOption()) {
    parser_.setApplicationDescription(
        QStringLiteral("Ends the processes on your watch list and keeps a log of each attempt."));
    // As Qt reads its own: "-platform" is one option, not eight letters.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : qtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser_.addOption(option);
    }
    for (const char* name : qtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser_.addOption(option);
    }
}

std::optional<int> CommandLine::read(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const bool isValid = parser_.parse(arguments);
    const bool asksForText = parser_.isSet(help_) || parser_.isSet(version_) ||
                             parser_.isSet(QStringLiteral("help-all"));
    if (isValid && !asksForText)
        return std::nullopt;
    // The texts name the program as it was started: a core application, which opens no display.
    const QCoreApplication textOnly(argc, argv);
    if (!isValid) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(parser_.errorText()),
                     qPrintable(parser_.helpText()));
        return badUsageStatus;
    }
    parser_.process(textOnly); // prints, and ends the program
    return 0;
}
