#include "settings_store.h"

QSettingsStore::QSettingsStore() : settings_(QStringLiteral("Zentrav"), QStringLiteral("Zentrav")) {}

QVariant QSettingsStore::value(const QString& key) const {
    return settings_.value(key);
}

void QSettingsStore::setValue(const QString& key, const QVariant& value) {
    settings_.setValue(key, value);
    settings_.sync();
}

void QSettingsStore::remove(const QString& key) {
    settings_.remove(key);
    settings_.sync();
}
