#pragma once

#include <QString>
#include <QUuid>

#include <optional>

enum class MatchMode { fuzzy, exact };

QString matchModeRawValue(MatchMode mode);
std::optional<MatchMode> matchModeFromRawValue(QStringView raw);

// One watch-list entry; identified by id, never compared as a whole.
struct TargetProcess {
    QUuid id;
    QString name;
    MatchMode matchMode = MatchMode::fuzzy;
    bool isEnabled = true;
};
