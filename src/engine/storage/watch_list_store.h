#pragma once

#include "engine/base/result.h"
#include "engine/matching/target_process.h"

#include <QByteArray>
#include <QList>

class SettingsStore;

// The watch list in the settings, as compact JSON under "Quorvane.targets".
class WatchListStore {
public:
    explicit WatchListStore(SettingsStore& settings);

    // Empty when nothing is stored or the stored value does not decode (it is left as it is).
    QList<TargetProcess> load() const;
    // Whether the list is on disk, and why not.
    Result<void> save(const QList<TargetProcess>& targets);

private:
    SettingsStore& settings_;
};

// Whether the list holds the name already, compared as an import compares names.
bool holdsName(const QList<TargetProcess>& targets, const QString& name);

// The list followed by the imported entries whose names it does not hold yet, compared
// lower-cased locale-independently; each comes with a fresh id and keeps its name, mode and flag.
QList<TargetProcess> withImported(const QList<TargetProcess>& targets,
                                  const QList<TargetProcess>& imported);
