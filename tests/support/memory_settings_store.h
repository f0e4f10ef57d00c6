#pragma once

#include "settings_store.h"

#include <QHash>

// A defaults store in memory; counts writes so tests can see when a save happened.
class MemorySettingsStore final : public SettingsStore {
public:
    QVariant value(const QString& key) const override { return values.value(key); }
    void setValue(const QString& key, const QVariant& value) override {
        values.insert(key, value);
        ++writes;
    }
    void remove(const QString& key) override {
        values.remove(key);
        ++writes;
    }

    QHash<QString, QVariant> values;
    int writes = 0;
};
