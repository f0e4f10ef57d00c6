#pragma once

#include "engine/storage/settings_store.h"

#include <QHash>
#include <cerrno>

// Settings in memory; counts writes so tests can see when a save happened, and says it
// could not save them while `isFull`.
class MemorySettingsStore final : public SettingsStore {
public:
    QVariant value(const QString& key) const override { return values.value(key); }
    Result<void> setValue(const QString& key, const QVariant& value) override {
        values.insert(key, value);
        return written();
    }
    Result<void> remove(const QString& key) override {
        values.remove(key);
        return written();
    }

    QHash<QString, QVariant> values;
    int writes = 0;
    bool isFull = false;

private:
    Result<void> written() {
        ++writes;
        return isFull ? systemError(ENOSPC) : Result<void>();
    }
};
