#include "engine/storage/watch_list_store.h"

#include "engine/storage/record_json.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"

#include <QSet>
#include <algorithm>

WatchListStore::WatchListStore(SettingsStore& settings) : settings_(settings) {}

QList<TargetProcess> WatchListStore::load() const {
    const QVariant stored = settings_.value(SettingsKeys::targets);
    // Only a binary value is ours; anything else is left for the next save to replace.
    if (stored.typeId() != QMetaType::QByteArray)
        return {};
    return decodeTargets(stored.toByteArray()).value_or(QList<TargetProcess>());
}

Result<void> WatchListStore::save(const QList<TargetProcess>& targets) {
    const QByteArray json = encodeTargets(targets, JsonStyle::compact);
    if (json.isEmpty())
        return Error{QStringLiteral("the watch list cannot be encoded")};
    return settings_.setValue(SettingsKeys::targets, json);
}

bool holdsName(const QList<TargetProcess>& targets, const QString& name) {
    const QString lowered = name.toLower();
    return std::any_of(targets.begin(), targets.end(), [&](const TargetProcess& target) {
        return target.name.toLower() == lowered;
    });
}

QList<TargetProcess> withImported(const QList<TargetProcess>& targets,
                                  const QList<TargetProcess>& imported) {
    // Names of the list as it was: two new entries that differ only in case both come in.
    QSet<QString> known;
    known.reserve(targets.size());
    for (const TargetProcess& target : targets)
        known.insert(target.name.toLower());
    QList<TargetProcess> merged = targets;
    for (const TargetProcess& entry : imported) {
        if (!known.contains(entry.name.toLower()))
            merged.append({QUuid::createUuid(), entry.name, entry.matchMode, entry.isEnabled});
    }
    return merged;
}
