#pragma once

#include <QString>
#include <optional>

enum class ProcessOrigin { system, thirdParty, unknown };

// One row of a process snapshot.
struct UserProcess {
    qint32 pid = 0;
    quint32 uid = 0;
    QString name;
    std::optional<QString> localizedName;
    std::optional<QString> args;
    qint64 memoryKB = 0;
    QString path;
    ProcessOrigin origin = ProcessOrigin::unknown;
    // One of the processes the user's session runs on (its bus, display server, service manager,
    // ...) or one of this program's ancestors: never signalled.
    bool isSessionProcess = false;
};
