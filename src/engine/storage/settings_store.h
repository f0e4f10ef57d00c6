#pragma once

#include "engine/base/result.h"

#include <QMap>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <chrono>
#include <memory>

class FileSystem;

// The per-user settings. A change takes effect at once; its result says whether every
// change is on disk, and why not. The store itself tries again those that are not.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QVariant value(const QString& key) const = 0;
    virtual Result<void> setValue(const QString& key, const QVariant& value) = 0;
    virtual Result<void> remove(const QString& key) = 0;
};

// QSettings of organisation and application "Zentrav". Each change saves the whole file anew
// beside the old one, reads it back and only then puts it in the old one's place, on disk before
// the change returns: QSettings' own save commits a file cut short by a full disk as if it were
// whole. A change that cannot be saved says so on the engine's log (standard error), stays in
// memory (where it wins over the file) and is saved again every few seconds, with the next change
// and when the store goes, until a save succeeds.
class QSettingsStore final : public SettingsStore {
public:
    explicit QSettingsStore(std::shared_ptr<FileSystem> files,
                            std::chrono::milliseconds retryPeriod = std::chrono::seconds(5));
    ~QSettingsStore() override;
    QVariant value(const QString& key) const override;
    Result<void> setValue(const QString& key, const QVariant& value) override;
    Result<void> remove(const QString& key) override;

private:
    Result<void> save();
    Result<void> writeFile() const;

    std::shared_ptr<FileSystem> files_;
    QString path_;
    // The changes not yet on disk; an invalid value stands for a removed key.
    QMap<QString, QVariant> unsaved_;
    QTimer retryTimer_;
};
