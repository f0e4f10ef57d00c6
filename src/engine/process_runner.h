#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What one run of a command-line tool printed, and the id it ran under.
struct ToolOutput {
    QByteArray standardOutput;
    qint64 pid = 0;
};

// Runs a tool without a shell: stdout captured, stderr discarded, read to end of file,
// then waited for. Empty when the tool cannot be started.
//
// The tool inherits the environment but runs under LC_ALL=C.UTF-8: under a C or Latin-1
// session locale ps would print "?" or "." for every byte of a name beyond ASCII.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    virtual std::optional<ToolOutput> run(const QString& program, const QStringList& arguments) = 0;
};

class PosixProcessRunner final : public ProcessRunner {
public:
    std::optional<ToolOutput> run(const QString& program, const QStringList& arguments) override;
};
