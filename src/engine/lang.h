#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

class QTranslator;
class SettingsStore;

// The interface texts by key, in the chosen language. Safe to read from any thread while
// the main thread changes the language: a lookup answers from the old or the new table.
class Lang {
public:
    struct Language {
        QString code;
        QString displayName;
    };

    static Lang& shared();
    static const QList<Language>& languages();

    Lang(SettingsStore& settings, QStringList preferredUiLanguages);
    ~Lang();

    QString localized(const QString& key) const;
    QString currentCode() const;
    void setLanguage(const QString& code);

    // The shipped language that answers for "system", given the system's preferences.
    static QString resolveSystemLanguage(const QStringList& preferredUiLanguages);

private:
    std::shared_ptr<const QTranslator> loadTable() const;

    SettingsStore& settings_;
    QStringList preferredUiLanguages_;
    mutable std::mutex mutex_;
    std::shared_ptr<const QTranslator> table_;
};
