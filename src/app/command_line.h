#pragma once

#include <QCommandLineParser>
#include <QStringList>

class QCoreApplication;

// The program's own options: --help and --version. Both print and end the program, and are
// answered before the window's application object exists, so they need no display and touch no
// stored file.
class CommandLine {
public:
    CommandLine();

    // Whether the arguments ask only for text. Qt's own options are not known yet here.
    bool asksOnlyForText(const QStringList& arguments);
    // Prints help, the version or the error and ends the program where the arguments ask for it.
    void process(const QCoreApplication& app);

private:
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
};
