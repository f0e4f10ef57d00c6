#pragma once

#include <QCommandLineParser>
#include <optional>

// The program's own options, read before any display is opened: --help and --version print and
// end the program, an unknown option prints why and the usage and ends it with status 2. Qt's
// own options (-platform, -style, ...) pass untouched to the application object made later.
class CommandLine {
public:
    CommandLine();

    // The status to end the program with, once whatever the arguments ask for is printed; empty
    // when the program runs. Touches no stored file.
    std::optional<int> read(int argc, char* argv[]);

private:
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
};
