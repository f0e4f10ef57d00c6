#include "memory_settings_store.h"

void MemorySettingsStore::setValue(const QString& key, const QVariant& value) {
    values.insert(key, value);
    ++writes;
}

void MemorySettingsStore::remove(const QString& key) {
    values.remove(key);
    ++writes;
}
