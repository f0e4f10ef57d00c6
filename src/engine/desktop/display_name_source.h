#pragma once

#include "engine/process/user_process.h"

#include <QHash>
#include <QList>
#include <QString>

// The desktop's running applications: process id to display name (never empty).
class DisplayNameSource {
public:
    virtual ~DisplayNameSource() = default;
    // The names among the processes of one snapshot; called for one snapshot at a time.
    virtual QHash<qint32, QString> displayNames(const QList<UserProcess>& processes) = 0;
};

// A desktop that names no application.
class NoDisplayNames final : public DisplayNameSource {
public:
    QHash<qint32, QString> displayNames(const QList<UserProcess>&) override { return {}; }
};
