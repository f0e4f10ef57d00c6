#pragma once

#include "engine/matching/target_process.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What a start of the program asks for: a plain start shows the window.
struct InstanceCommand {
    enum class Kind { show, start, stop, add, list };
    Kind kind = Kind::show;
    // add: the name as typed, and its mode.
    QString name;
    MatchMode mode = MatchMode::fuzzy;
    // list: the stored form instead of one line per entry.
    bool asJson = false;
};

// The answer to a command: its exit status and the text the command line prints, on standard
// output when done and on standard error when refused.
struct CommandReply {
    enum Status { done = 0, refused = 1 };
    int status = done;
    QString text;
};

// Both travel the instance's socket. A request is one line of printable ASCII; a reply gives its
// status and length on its first line, so that one cut short is no answer at all.
QByteArray requestLine(const InstanceCommand& command);
std::optional<InstanceCommand> commandFromLine(QByteArrayView line);
QByteArray replyBytes(const CommandReply& reply);
std::optional<CommandReply> replyFromBytes(QByteArrayView bytes);
