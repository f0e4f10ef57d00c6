#include "app/instance_command.h"

#include <QList>

namespace {
// "do start", "do stop", "do list", "do list json", "do add fuzzy|exact NAME" with the name's
// UTF-8 percent-encoded. "show" is the older hand-over's, and stays as it was.
const QByteArray prefix = "do ";
} // namespace

QByteArray requestLine(const InstanceCommand& command) {
    switch (command.kind) {
    case InstanceCommand::Kind::start:
        return prefix + "start\n";
    case InstanceCommand::Kind::stop:
        return prefix + "stop\n";
    case InstanceCommand::Kind::list:
        return prefix + (command.asJson ? "list json\n" : "list\n");
    case InstanceCommand::Kind::add:
        return prefix + "add " + matchModeRawValue(command.mode).toLatin1() + ' ' +
               command.name.toUtf8().toPercentEncoding() + '\n';
    case InstanceCommand::Kind::show:
        break;
    }
    return {};
}

std::optional<InstanceCommand> commandFromLine(QByteArrayView line) {
    if (!line.startsWith(prefix))
        return std::nullopt;
    const QList<QByteArray> words = line.sliced(prefix.size()).toByteArray().split(' ');
    const QByteArray& verb = words.first();
    InstanceCommand command;
    if (words.size() == 1 && (verb == "start" || verb == "stop")) {
        command.kind = verb == "start" ? InstanceCommand::Kind::start : InstanceCommand::Kind::stop;
        return command;
    }
    if (verb == "list" && (words.size() == 1 || (words.size() == 2 && words[1] == "json"))) {
        command.kind = InstanceCommand::Kind::list;
        command.asJson = words.size() == 2;
        return command;
    }
    if (verb != "add" || words.size() != 3)
        return std::nullopt;
    const std::optional<MatchMode> mode = matchModeFromRawValue(QString::fromLatin1(words[1]));
    const QByteArray name = QByteArray::fromPercentEncoding(words[2]);
    command.kind = InstanceCommand::Kind::add;
    command.name = QString::fromUtf8(name);
    // A name that is not UTF-8 came from no command line of ours.
    if (!mode || command.name.toUtf8() != name)
        return std::nullopt;
    command.mode = *mode;
    return command;
}

QByteArray replyBytes(const CommandReply& reply) {
    const QByteArray text = reply.text.toUtf8();
    return QByteArray::number(reply.status) + ' ' + QByteArray::number(text.size()) + '\n' + text;
}

std::optional<CommandReply> replyFromBytes(QByteArrayView bytes) {
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QList<QByteArray> head =
        bytes.first(std::max<qsizetype>(lineEnd, 0)).toByteArray().split(' ');
    bool isStatus = false;
    bool isLength = false;
    const int status = head.first().toInt(&isStatus);
    const qsizetype length = head.size() == 2 ? head[1].toLongLong(&isLength) : -1;
    if (lineEnd < 0 || !isStatus || !isLength ||
        (status != CommandReply::done && status != CommandReply::refused) ||
        bytes.size() - lineEnd - 1 != length)
        return std::nullopt;
    return CommandReply{status, QString::fromUtf8(bytes.sliced(lineEnd + 1))};
}
