#pragma once

#include "engine/storage/settings_store.h"

#include <QHash>

// A settings in memory; counts writes so tests can see when a save happened, and says it
// could not save them while `isFull`.
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

    bool isSaved() const override { return !isFull; }

    QHash<QString, QVariant> values;
    int writes = 0;
    bool isFull = false;
};
