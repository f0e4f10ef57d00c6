#include "watch_list_store.h"

#include "record_json.h"
#include "settings_keys.h"
#include "settings_store.h"

WatchListStore::WatchListStore(SettingsStore& settings) : settings_(settings) {}

QList<TargetProcess> WatchListStore::load() const {
    const QVariant stored = settings_.value(SettingsKeys::targets);
    // Only a binary value is ours; anything else is left for the next save to replace.
    if (stored.typeId() != QMetaType::QByteArray)
        return {};
    return decodeTargets(stored.toByteArray()).value_or(QList<TargetProcess>());
}

void WatchListStore::save(const QList<TargetProcess>& targets) {
    const QByteArray json = encodeTargets(targets, JsonStyle::compact);
    if (json.isEmpty())
        return;
    settings_.setValue(SettingsKeys::targets, json);
}

QSet<QString> lowerCasedNames(const QList<TargetProcess>& targets) {
    QSet<QString> names;
    names.reserve(targets.size());
    for (const TargetProcess& target : targets)
        names.insert(target.name.toLower());
    return names;
}
