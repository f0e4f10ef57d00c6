#include "lang.h"

#include "settings_keys.h"
#include "settings_store.h"

#include <QLocale>
#include <QTranslator>

namespace {
const QString systemCode = QStringLiteral("system");

std::shared_ptr<const QTranslator> loadTranslator(const QString& code) {
    auto translator = std::make_shared<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/zentrav_%1.qm").arg(code)))
        return nullptr;
    return translator;
}
} // namespace

Lang& Lang::shared() {
    static QSettingsStore settings;
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
      table_(loadTable()) {}

Lang::~Lang() = default;

QString Lang::localized(const QString& key) const {
    std::shared_ptr<const QTranslator> table;
    {
        std::lock_guard lock(mutex_);
        table = table_;
    }
    if (table) {
        const QString text = table->translate(nullptr, key.toUtf8().constData());
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
    if (code == systemCode)
        settings_.remove(SettingsKeys::appLanguage);
    else
        settings_.setValue(SettingsKeys::appLanguage, code);
    auto table = loadTable();
    std::lock_guard lock(mutex_);
    table_ = std::move(table);
}

std::shared_ptr<const QTranslator> Lang::loadTable() const {
    const QString code = currentCode();
    if (code != systemCode) {
        if (auto table = loadTranslator(code))
            return table;
    }
    return loadTranslator(resolveSystemLanguage(preferredUiLanguages_));
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
            return locale.script() == QLocale::TraditionalChineseScript
                       ? QStringLiteral("zh-Hant")
                       : QStringLiteral("zh-Hans");
        default:
            break;
        }
    }
    return QStringLiteral("en");
}
