#include "engine/i18n/lang.h"
#include "engine/i18n/text_format.h"
#include "engine/storage/settings_keys.h"
#include "memory_settings_store.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>

namespace {
const QStringList shippedCodes = {"en", "ja", "zh-Hant", "zh-Hans", "ko"};

// The message ids of a translation source, sorted; none when a translation is unfinished.
QStringList messageIds(const QString& code) {
    QFile file(QStringLiteral(ZENTRAV_SOURCE_DIR "/translations/zentrav_%1.ts").arg(code));
    const QString ts = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "";
    QStringList ids;
    for (const auto& match :
         QRegularExpression(QStringLiteral("<message id=\"([^\"]+)\"")).globalMatch(ts))
        ids << match.captured(1);
    ids.sort();
    return ts.contains(u"<translation type=") ? QStringList() : ids;
}

// Which arguments a format shows once filled: a number, a first and a second text.
QList<bool> argumentsShown(const QString& format) {
    const QString text =
        formatted(formatted(format, 7), QStringLiteral("<1>"), QStringLiteral("<2>"));
    return {text.contains(u'7'), text.contains(u"<1>"), text.contains(u"<2>")};
}
} // namespace

class TestLang : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every language has every key of English, with its printf conversions, and the count keys
    // give the number in each plural form.
    void translationIsComplete() {
        const QStringList ids = messageIds(QStringLiteral("en"));
        QVERIFY(ids.size() > 30);
        MemorySettingsStore englishSettings;
        MemorySettingsStore settings;
        const Lang english(englishSettings, {QStringLiteral("en")});
        Lang lang(settings, {});
        for (const QString& code : shippedCodes) {
            QCOMPARE(messageIds(code), ids);
            lang.setLanguage(code);
            QSet<QString> distinct;
            for (const QString& key : ids) {
                const QString text = lang.localized(key);
                QVERIFY2(text != key && !text.trimmed().isEmpty(), qPrintable(code + u'/' + key));
                if (text.contains(u"%n")) {
                    for (int count : {0, 1, 2, 5, 21})
                        QVERIFY(lang.localized(key, count).contains(QString::number(count)));
                } else {
                    QCOMPARE(argumentsShown(text), argumentsShown(english.localized(key)));
                }
                distinct.insert(text);
            }
            // A table that answers one text for everything would pass the loop above.
            QVERIFY(distinct.size() > ids.size() / 2);
        }
    }

    // Preferred languages, stored code, chosen code and stored code after (empty: none), and
    // the text of "menu_quit" then.
    void choiceIsStoredAndAnswered() {
        const QStringList ja = {"ja-JP"};
        const QList<std::tuple<QStringList, QString, QString, QString, QString>> cases = {
            {ja, "", "", "", "Zentrav を終了"},
            {ja, "zh-Hans", "", "zh-Hans", "退出 Zentrav"},
            {ja, "", "ko", "ko", "Zentrav 종료"},
            {ja, "ko", "system", "", "Zentrav を終了"},
            {{"zh_TW"}, "", "fr", "fr", "結束 Zentrav"},
            {ja, "", "../en", "../en", "Zentrav を終了"},
            {{"zh"}, "", "", "", "退出 Zentrav"},
            {{"zh-Hans-HK"}, "", "", "", "退出 Zentrav"},
            {{}, "", "", "", "Quit Zentrav"},
            {{"fr-FR", "de", "ko-KR", "ja-JP"}, "", "", "", "Zentrav 종료"}};
        for (const auto& [preferred, before, chosen, after, quitText] : cases) {
            MemorySettingsStore settings;
            if (!before.isEmpty())
                settings.values.insert(SettingsKeys::appLanguage, before);
            Lang lang(settings, preferred);
            if (!chosen.isEmpty())
                lang.setLanguage(chosen);
            QCOMPARE(settings.values.value(SettingsKeys::appLanguage).toString(), after);
            QCOMPARE(settings.values.contains(SettingsKeys::appLanguage), !after.isEmpty());
            QCOMPARE(lang.currentCode(), after.isEmpty() ? QStringLiteral("system") : after);
            QCOMPARE(lang.localized(QStringLiteral("menu_quit")), quitText);
            // A key the table lacks answers with itself.
            QCOMPARE(lang.localized(QStringLiteral("no_such_count"), 3), "no_such_count");
        }
    }
};

QTEST_APPLESS_MAIN(TestLang)
#include "test_lang.moc"
