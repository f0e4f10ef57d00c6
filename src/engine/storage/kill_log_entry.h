#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// One kill attempt. The timestamp is UTC; its stored form keeps whole seconds only.
struct KillLogEntry {
    QUuid id;
    QDateTime timestamp;
    QString processName;
    qint32 pid = 0;
    bool success = false;
    QString message;
};
