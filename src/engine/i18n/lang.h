#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <map>
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

    static Lang& instance();
    static const QList<Language>& languages();

    Lang(SettingsStore& settings, QStringList preferredUiLanguages);
    ~Lang();
    Lang(const Lang&) = delete;
    Lang& operator=(const Lang&) = delete;

    // The text of a key, or the key itself when the table has none.
    QString localized(const QString& key) const;
    // The text of a count key ("process_count") in the language's plural form for count, with
    // "%n" replaced by the number; the key itself when the table has none.
    QString localized(const QString& key, int count) const;
    QString currentCode() const;
    // The shipped language whose texts are shown: the chosen one, or the system's.
    QString languageInUse() const;
    void setLanguage(const QString& code);

private:
    // The shipped language that answers for "system", given the system's preferences.
    static QString resolveSystemLanguage(const QStringList& preferredUiLanguages);
    QString lookUp(const QString& key, int count) const;
    const QTranslator* chooseTable();
    const QTranslator* tableFor(const QString& code);

    SettingsStore& settings_;
    const QStringList preferredUiLanguages_;
    std::mutex switchMutex_;
    // Tables are kept until the end: a reader on another thread may still be using the one
    // just replaced, and a QTranslator must not be deleted from a thread it does not live in.
    std::map<QString, std::unique_ptr<QTranslator>> tables_;
    std::atomic<const QTranslator*> table_;
};
