#pragma once

#include <QString>
#include <QUuid>
#include <optional>

enum class MatchMode { fuzzy, exact };

QString matchModeRawValue(MatchMode mode);
std::optional<MatchMode> matchModeFromRawValue(QStringView raw);

// The name that typed text adds to the watch list: spaces and tabs cut from both ends, as a name
// may hold anything else. Nothing is added when it is empty.
QString typedEntryName(const QString& text);

// One watch-list entry; identified by id, never compared as a whole.
struct TargetProcess {
    QUuid id;
    QString name;
    MatchMode matchMode = MatchMode::fuzzy;
    bool isEnabled = true;
};
