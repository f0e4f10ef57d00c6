#pragma once

#include "target_process.h"

#include <QByteArray>
#include <QList>
#include <QSet>

class SettingsStore;

// The watch list in the defaults store, as compact JSON under "Quorvane.targets".
class WatchListStore {
public:
    explicit WatchListStore(SettingsStore& settings);

    // Empty when nothing is stored or the stored value does not decode (it is left as it is).
    QList<TargetProcess> load() const;
    void save(const QList<TargetProcess>& targets);

private:
    SettingsStore& settings_;
};

// Names of a list, lower-cased locale-independently, as an import compares them.
QSet<QString> lowerCasedNames(const QList<TargetProcess>& targets);
