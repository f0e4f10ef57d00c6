#pragma once

#include "engine/base/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What one run of a command-line tool printed, and the id it ran under.
struct ToolOutput {
    QByteArray standardOutput;
    qint64 pid = 0;
};

// Runs a tool without a shell: stdout captured, stderr discarded, read to end of file,
// then waited for. A failure says why: the tool could not be started, or its output not read.
//
// The tool inherits the environment but runs under LC_ALL=C.UTF-8: under a C or Latin-1
// session locale ps would print "?" or "." for every byte of a name beyond ASCII.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    virtual Result<ToolOutput> run(const QString& program, const QStringList& arguments) = 0;
};

class PosixProcessRunner final : public ProcessRunner {
public:
    Result<ToolOutput> run(const QString& program, const QStringList& arguments) override;
};
