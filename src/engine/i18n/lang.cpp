#include "engine/i18n/lang.h"

#include "engine/storage/file_system.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"

#include <QLocale>
#include <QTranslator>
#include <algorithm>

namespace {
const QString systemCode = QStringLiteral("system");

bool isShipped(const QString& code) {
    if (code == systemCode)
        return false;
    const QList<Lang::Language>& list = Lang::languages();
    return std::any_of(list.begin(), list.end(),
                       [&code](const Lang::Language& language) { return language.code == code; });
}
} // namespace

Lang& Lang::instance() {
    static QSettingsStore settings(std::make_shared<LocalFileSystem>());
    static Lang instance(settings, QLocale::system().uiLanguages());
    return instance;
}

const QList<Lang::Language>& Lang::languages() {
    static const QList<Language> list = {
        {QStringLiteral("system"), QStringLiteral("System Default")},
        {QStringLiteral("en"), QStringLiteral("English")},
        {QStringLiteral("ja"), QStringLiteral("日本語")},
        {QStringLiteral("zh-Hant"), QStringLiteral("繁體中文")},
        {QStringLiteral("zh-Hans"), QStringLiteral("简体中文")},
        {QStringLiteral("ko"), QStringLiteral("한국어")},
    };
    return list;
}

Lang::Lang(SettingsStore& settings, QStringList preferredUiLanguages)
    : settings_(settings), preferredUiLanguages_(std::move(preferredUiLanguages)),
      table_(chooseTable()) {}

Lang::~Lang() = default;

QString Lang::localized(const QString& key) const {
    return lookUp(key, -1);
}

QString Lang::localized(const QString& key, int count) const {
    QString text = lookUp(key, count);
    if (text == key)
        return key;
    return text.replace(QLatin1String("%n"), QString::number(count));
}

// A count of -1 asks for a text that has no plural forms.
QString Lang::lookUp(const QString& key, int count) const {
    if (const QTranslator* table = table_.load(std::memory_order_acquire)) {
        const QString text = table->translate(nullptr, key.toUtf8().constData(), nullptr, count);
        if (!text.isEmpty())
            return text;
    }
    return key;
}

QString Lang::currentCode() const {
    const QVariant stored = settings_.value(SettingsKeys::appLanguage);
    return stored.isValid() ? stored.toString() : systemCode;
}

void Lang::setLanguage(const QString& code) {
    std::lock_guard lock(switchMutex_);
    if (code == systemCode)
        settings_.remove(SettingsKeys::appLanguage);
    else
        settings_.setValue(SettingsKeys::appLanguage, code);
    table_.store(chooseTable(), std::memory_order_release);
}

// A stored code that is not shipped falls back to the system's languages, as "system" does.
QString Lang::languageInUse() const {
    const QString code = currentCode();
    return isShipped(code) ? code : resolveSystemLanguage(preferredUiLanguages_);
}

const QTranslator* Lang::chooseTable() {
    return tableFor(languageInUse());
}

const QTranslator* Lang::tableFor(const QString& code) {
    if (!isShipped(code))
        return nullptr;
    if (const auto found = tables_.find(code); found != tables_.end())
        return found->second.get();
    auto table = std::make_unique<QTranslator>();
    if (!table->load(QStringLiteral(":/i18n/zentrav_%1.qm").arg(code)))
        return nullptr;
    return tables_.emplace(code, std::move(table)).first->second.get();
}

QString Lang::resolveSystemLanguage(const QStringList& preferredUiLanguages) {
    for (const QString& tag : preferredUiLanguages) {
        const QLocale locale(tag);
        switch (locale.language()) {
        case QLocale::English:
            return QStringLiteral("en");
        case QLocale::Japanese:
            return QStringLiteral("ja");
        case QLocale::Korean:
            return QStringLiteral("ko");
        case QLocale::Chinese:
            return locale.script() == QLocale::TraditionalChineseScript ? QStringLiteral("zh-Hant")
                                                                        : QStringLiteral("zh-Hans");
        default:
            break;
        }
    }
    return QStringLiteral("en");
}
