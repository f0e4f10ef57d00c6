#include "app/command_line.h"

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

CommandLine::CommandLine()
    : help_(parser_.addHelpOption()), version_(parser_.addVersionOption()),
      start_(QStringLiteral("start"),
             QStringLiteral("Start monitoring; starts Zentrav if it is not "
                            "running.")),
      stop_(QStringLiteral("stop"), QStringLiteral("Stop monitoring.")),
      add_(QStringLiteral("add"),
           QStringLiteral("Add a name to the watch list, matched as a part of a process name, "
                          "in any case."),
           QStringLiteral("name")),
      exact_(QStringLiteral("exact"), QStringLiteral("With --add: match the whole name exactly.")),
      list_(QStringLiteral("list"), QStringLiteral("Print the watch list, one entry a line: on or "
                                                   "off, the mode, the name.")),
      json_(QStringLiteral("json"), QStringLiteral("With --list: print it as stored, in JSON.")),
      show_(QStringLiteral("show"), QStringLiteral("Show the window; starts Zentrav if it is not "
                                                   "running.")) {
    parser_.setApplicationDescription(QStringLiteral(
        "Ends the processes on your watch list and keeps a log of each attempt.\n\n"
        "The commands act on the running Zentrav; with none running, --add and --list\n"
        "act on the stored watch list. Exit status: 0 done, 1 refused (the reason is\n"
        "printed), 2 bad usage."));
    parser_.addOptions({start_, stop_, add_, exact_, list_, json_, show_});
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
    const bool isParsed = parser_.parse(arguments);
    const bool asksForText = parser_.isSet(help_) || parser_.isSet(version_) ||
                             parser_.isSet(QStringLiteral("help-all"));
    const QString error = !isParsed     ? parser_.errorText()
                          : asksForText ? QString()
                                        : commandError();
    if (error.isEmpty() && !asksForText)
        return std::nullopt;
    // The texts name the program as it was started: a core application, which opens no display.
    const QCoreApplication textOnly(argc, argv);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser_.helpText()));
        return badUsageStatus;
    }
    parser_.process(textOnly); // prints, and ends the program
    return 0;
}

QString CommandLine::commandError() {
    const std::pair<const QCommandLineOption*, InstanceCommand::Kind> commands[] = {
        {&start_, InstanceCommand::Kind::start},
        {&stop_, InstanceCommand::Kind::stop},
        {&add_, InstanceCommand::Kind::add},
        {&list_, InstanceCommand::Kind::list},
        {&show_, InstanceCommand::Kind::show}};
    int given = 0;
    for (const auto& [option, kind] : commands) {
        if (parser_.isSet(*option)) {
            ++given;
            command_.kind = kind;
        }
    }
    if (given > 1 || parser_.values(add_).size() > 1)
        return QStringLiteral("One command at a time: --start, --stop, --add NAME, --list or "
                              "--show.");
    if (parser_.isSet(exact_) && !parser_.isSet(add_))
        return QStringLiteral("--exact goes with --add.");
    if (parser_.isSet(json_) && !parser_.isSet(list_))
        return QStringLiteral("--json goes with --list.");
    if (!parser_.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.")
            .arg(parser_.positionalArguments().first());
    command_.name = parser_.value(add_);
    command_.mode = parser_.isSet(exact_) ? MatchMode::exact : MatchMode::fuzzy;
    command_.asJson = parser_.isSet(json_);
    return {};
}
