#pragma once

#include "settings_store.h"

#include <QHash>

// A defaults store that lives in memory; counts writes so tests can see when a save happened.
class MemorySettingsStore final : public SettingsStore {
public:
    QVariant value(const QString& key) const override { return values.value(key); }
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;

    QHash<QString, QVariant> values;
    int writes = 0;
};
