#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// The per-user defaults store.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QVariant value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void remove(const QString& key) = 0;
};

// QSettings of organisation and application "Zentrav".
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    QVariant value(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;

private:
    QSettings settings_;
};
