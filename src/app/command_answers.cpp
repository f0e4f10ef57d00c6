#include "app/command_answers.h"

#include "engine/base/result.h"
#include "engine/monitor/process_monitor.h"
#include "engine/storage/record_json.h"
#include "engine/storage/settings_store.h"
#include "engine/storage/watch_list_store.h"

#include <QStringList>
#include <cstdio>
#include <functional>

namespace {
// One line per entry, "on   exact  Foo": state and mode in columns, the name last as it may
// hold spaces; a line break in a name would start another line, so it shows as a space.
CommandReply listed(const QList<TargetProcess>& targets, bool asJson) {
    if (asJson)
        return {CommandReply::done,
                QString::fromUtf8(encodeTargets(targets, JsonStyle::compact)) + u'\n'};
    QString text;
    for (const TargetProcess& target : targets) {
        QString name = target.name;
        name.replace(u'\n', u' ').replace(u'\r', u' ');
        text += QStringLiteral("%1  %2  %3\n")
                    .arg(target.isEnabled ? QStringLiteral("on") : QStringLiteral("off"), -3)
                    .arg(matchModeRawValue(target.matchMode), -5)
                    .arg(name);
    }
    return {CommandReply::done, text};
}

// As typed in the window, and a name the list holds already is refused. `add` appends the entry
// and says whether it is saved.
CommandReply added(const QList<TargetProcess>& targets, const InstanceCommand& command,
                   const std::function<Result<void>(const QString&)>& add) {
    const QString name = typedEntryName(command.name);
    if (name.isEmpty())
        return {CommandReply::refused, QStringLiteral("Nothing to add: the name is empty.\n")};
    if (holdsName(targets, name))
        return {CommandReply::refused,
                QStringLiteral("\"%1\" is already on the watch list.\n").arg(name)};
    if (const Result<void> saved = add(name); !saved)
        return {
            CommandReply::refused,
            QStringLiteral("The watch list could not be saved: %1\n").arg(saved.error().reason)};
    return {CommandReply::done,
            QStringLiteral("Added \"%1\" (%2).\n").arg(name, matchModeRawValue(command.mode))};
}
} // namespace

CommandReply answerWithMonitor(ProcessMonitor& monitor, const InstanceCommand& command) {
    switch (command.kind) {
    case InstanceCommand::Kind::start:
        if (monitor.isMonitoring())
            return {CommandReply::done, QStringLiteral("Monitoring is already on.\n")};
        monitor.startMonitoring();
        return {CommandReply::done, QStringLiteral("Monitoring started.\n")};
    case InstanceCommand::Kind::stop:
        if (!monitor.isMonitoring())
            return {CommandReply::done, QStringLiteral("Monitoring is already off.\n")};
        monitor.stopMonitoring();
        return {CommandReply::done, QStringLiteral("Monitoring stopped.\n")};
    case InstanceCommand::Kind::add:
        // The monitor saves and retries on its own, and the window tells of a failed save.
        return added(monitor.targets(), command, [&](const QString& name) {
            monitor.addTarget(name, command.mode);
            return Result<void>();
        });
    case InstanceCommand::Kind::list:
        return listed(monitor.targets(), command.asJson);
    case InstanceCommand::Kind::show:
        break;
    }
    return {};
}

CommandReply answerFromStore(SettingsStore& settings, const InstanceCommand& command) {
    WatchListStore store(settings);
    QList<TargetProcess> targets = store.load();
    switch (command.kind) {
    case InstanceCommand::Kind::add:
        return added(targets, command, [&](const QString& name) {
            targets.append({QUuid::createUuid(), name, command.mode, true});
            return store.save(targets);
        });
    case InstanceCommand::Kind::list:
        return listed(targets, command.asJson);
    default:
        return {CommandReply::refused, QStringLiteral("Zentrav is not running.\n")};
    }
}

int printReply(const std::optional<CommandReply>& reply) {
    if (!reply) {
        std::fputs("Zentrav is already running but does not answer.\n", stderr);
        return CommandReply::refused;
    }
    std::fputs(qUtf8Printable(reply->text), reply->status == CommandReply::done ? stdout : stderr);
    return reply->status;
}
