#pragma once

#include <QHash>
#include <QString>

// The desktop's running applications: process id to display name (never empty).
class DisplayNameSource {
public:
    virtual ~DisplayNameSource() = default;
    virtual QHash<qint32, QString> displayNames() = 0;
};

// Linux has no list of running applications with display names yet.
class NoDisplayNames final : public DisplayNameSource {
public:
    QHash<qint32, QString> displayNames() override { return {}; }
};
