#include "lang.h"
#include "memory_settings_store.h"
#include "settings_keys.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>
#include <atomic>
#include <thread>

namespace {
const QStringList shippedCodes = {"en", "ja", "zh-Hant", "zh-Hans", "ko"};

// Every key the program looks up, with the printf conversions its text must carry.
const QList<std::pair<QString, QString>> keysAndConversions = {
    {"menu_about", ""},
    {"menu_hide", ""},
    {"menu_hide_others", ""},
    {"menu_show_all", ""},
    {"menu_quit", ""},
    {"menu_edit", ""},
    {"menu_cut", ""},
    {"menu_copy", ""},
    {"menu_paste", ""},
    {"menu_select_all", ""},
    {"menu_window", ""},
    {"menu_minimize", ""},
    {"menu_close", ""},
    {"version_format", "ss"},
    {"copyright", ""},
    {"stopped", ""},
    {"monitoring_count", "d"},
    {"start", ""},
    {"stop", ""},
    {"scan_every", ""},
    {"clean_memory", ""},
    {"targets_tab", ""},
    {"browse_all_tab", ""},
    {"input_placeholder", ""},
    {"search_placeholder", ""},
    {"add_button", ""},
    {"no_processes_added", ""},
    {"process_count", "d"},
    {"kill_log", ""},
    {"no_kills_yet", ""},
    {"export_log", ""},
    {"clear_log", ""},
    {"launch_at_login", ""},
    {"export_targets", ""},
    {"import_targets", ""},
    {"export_all_title", ""},
    {"msg_killed", ""},
    {"msg_force_killed", ""},
    {"msg_already_exited", ""},
    {"msg_no_permission", ""},
    {"msg_failed", "d"},
};

QStringList allKeys() {
    QStringList keys;
    for (const auto& [key, conversions] : keysAndConversions)
        keys << key;
    return keys;
}

std::unique_ptr<QTranslator> loadTable(const QString& code) {
    auto table = std::make_unique<QTranslator>();
    if (!table->load(QStringLiteral(":/i18n/zentrav_%1.qm").arg(code)))
        return nullptr;
    return table;
}

QString translate(const QTranslator& table, const QString& key) {
    return table.translate(nullptr, key.toUtf8().constData());
}

// The conversions of a printf format in argument order, one letter each ("d" for %d or %i);
// "%%" is no conversion. Flags, widths and length modifiers are accepted so that any stray
// conversion in a translation is caught.
QString conversionsOf(const QString& format) {
    static const QRegularExpression conversion(
        QStringLiteral("%(?:%|(?:(\\d+)\\$)?[-+ #0']*(?:\\d+|\\*)?(?:\\.(?:\\d+|\\*))?"
                       "(?:hh|h|ll|l|L|q|j|z|t)?([diouxXeEfFgGaAcspn@]))"));
    QMap<int, QChar> byPosition;
    int next = 1;
    for (const QRegularExpressionMatch& match : conversion.globalMatch(format)) {
        if (match.captured(0) == u"%%")
            continue;
        const int position = match.hasCaptured(1) ? match.captured(1).toInt() : next++;
        const QChar letter = match.captured(2).at(0);
        byPosition.insert(position, letter == u'i' ? QChar(u'd') : letter);
    }
    QString result;
    for (const QChar letter : byPosition)
        result += letter;
    return result;
}
} // namespace

class TestLang : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void languagesAreListedInOrder();
    void everyLanguageHasEveryKey_data();
    void everyLanguageHasEveryKey();
    void translationFilesHoldExactlyTheKeys_data();
    void translationFilesHoldExactlyTheKeys();
    void formatKeysKeepTheirPlaceholders_data();
    void formatKeysKeepTheirPlaceholders();
    void choiceIsStoredAndAnswered_data();
    void choiceIsStoredAndAnswered();
    void missingKeyAnswersWithTheKey();
    void systemLanguageIsResolved_data();
    void systemLanguageIsResolved();
    void lookupsDuringLanguageChangesNeverTear();
};

void TestLang::languagesAreListedInOrder() {
    QStringList codes;
    QStringList names;
    for (const Lang::Language& language : Lang::languages()) {
        codes << language.code;
        names << language.displayName;
    }
    QCOMPARE(codes, QStringList({"system", "en", "ja", "zh-Hant", "zh-Hans", "ko"}));
    QCOMPARE(names, QStringList(
                        {"System Default", "English", "日本語", "繁體中文", "简体中文", "한국어"}));
}

void TestLang::everyLanguageHasEveryKey_data() {
    QTest::addColumn<QString>("code");
    for (const QString& code : shippedCodes)
        QTest::newRow(qPrintable(code)) << code;
}

void TestLang::everyLanguageHasEveryKey() {
    QFETCH(QString, code);
    const auto table = loadTable(code);
    QVERIFY2(table, qPrintable(QStringLiteral("no compiled table for ") + code));

    MemorySettingsStore settings;
    Lang lang(settings, {QStringLiteral("fr-FR")});
    lang.setLanguage(code);
    QSet<QString> distinctTexts;
    for (const QString& key : allKeys()) {
        const QString text = translate(*table, key);
        QVERIFY2(!text.trimmed().isEmpty(), qPrintable(code + u'/' + key));
        QCOMPARE(lang.localized(key), text);
        distinctTexts.insert(text);
    }
    // A table answering with one text for everything would pass the loop above.
    QVERIFY(distinctTexts.size() > 30);
}

void TestLang::translationFilesHoldExactlyTheKeys_data() {
    everyLanguageHasEveryKey_data();
}

void TestLang::translationFilesHoldExactlyTheKeys() {
    QFETCH(QString, code);
    QFile file(QStringLiteral(ZENTRAV_SOURCE_DIR "/translations/zentrav_%1.ts").arg(code));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList ids;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"message")
            ids << xml.attributes().value(QLatin1String("id")).toString();
        else if (xml.name() == u"translation")
            QVERIFY2(xml.attributes().value(QLatin1String("type")).isEmpty(),
                     qPrintable(ids.value(ids.size() - 1) + QStringLiteral(" is not finished")));
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QStringList expected = allKeys();
    expected.sort();
    ids.sort();
    QCOMPARE(ids, expected);
}

void TestLang::formatKeysKeepTheirPlaceholders_data() {
    everyLanguageHasEveryKey_data();
}

void TestLang::formatKeysKeepTheirPlaceholders() {
    QFETCH(QString, code);
    const auto english = loadTable(QStringLiteral("en"));
    const auto table = loadTable(code);
    QVERIFY(english && table);
    for (const auto& [key, conversions] : keysAndConversions) {
        const QString englishText = translate(*english, key);
        QCOMPARE(conversionsOf(englishText), conversions);
        QVERIFY2(conversionsOf(translate(*table, key)) == conversionsOf(englishText),
                 qPrintable(code + u'/' + key + QStringLiteral(": ") + translate(*table, key)));
    }
}

void TestLang::choiceIsStoredAndAnswered_data() {
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QString>("storedBefore"); // empty: nothing stored
    QTest::addColumn<QString>("chosen");       // empty: no setLanguage call
    QTest::addColumn<QVariant>("storedAfter");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("quitText");

    const QStringList japanese = {"ja-JP"};
    QTest::newRow("nothing stored") << japanese << ""
                                    << "" << QVariant() << "system"
                                    << "Zentrav を終了";
    QTest::newRow("stored at start") << japanese << "zh-Hans"
                                     << "" << QVariant("zh-Hans") << "zh-Hans"
                                     << "退出 Zentrav";
    QTest::newRow("choose ko") << japanese << ""
                               << "ko" << QVariant("ko") << "ko"
                               << "Zentrav 종료";
    QTest::newRow("choose en over system ja") << japanese << "ko"
                                              << "en" << QVariant("en") << "en"
                                              << "Quit Zentrav";
    QTest::newRow("system removes the key") << japanese << "ko"
                                            << "system" << QVariant() << "system"
                                            << "Zentrav を終了";
    QTest::newRow("system, no shipped match") << QStringList{"fr-FR", "de-DE"} << "ja"
                                              << "system" << QVariant() << "system"
                                              << "Quit Zentrav";
    QTest::newRow("unknown code kept, system answers") << QStringList{"zh-TW"} << ""
                                                       << "fr" << QVariant("fr") << "fr"
                                                       << "結束 Zentrav";
    QTest::newRow("code of another case") << japanese << ""
                                          << "KO" << QVariant("KO") << "KO"
                                          << "Zentrav を終了";
    QTest::newRow("path-like code") << japanese << ""
                                    << "../en" << QVariant("../en") << "../en"
                                    << "Zentrav を終了";
}

void TestLang::choiceIsStoredAndAnswered() {
    QFETCH(QStringList, preferred);
    QFETCH(QString, storedBefore);
    QFETCH(QString, chosen);
    QFETCH(QVariant, storedAfter);
    QFETCH(QString, code);
    QFETCH(QString, quitText);

    MemorySettingsStore settings;
    if (!storedBefore.isEmpty())
        settings.values.insert(SettingsKeys::appLanguage, storedBefore);
    Lang lang(settings, preferred);
    if (!chosen.isEmpty())
        lang.setLanguage(chosen);

    QCOMPARE(settings.values.value(SettingsKeys::appLanguage), storedAfter);
    QCOMPARE(settings.values.contains(SettingsKeys::appLanguage), storedAfter.isValid());
    QCOMPARE(lang.currentCode(), code);
    QCOMPARE(lang.localized(QStringLiteral("menu_quit")), quitText);
}

void TestLang::missingKeyAnswersWithTheKey() {
    MemorySettingsStore settings;
    Lang lang(settings, {QStringLiteral("en-US")});
    for (const QString& code : shippedCodes) {
        lang.setLanguage(code);
        QCOMPARE(lang.localized(QStringLiteral("no_such_key")), QStringLiteral("no_such_key"));
        QCOMPARE(lang.localized(QStringLiteral("Stopped")), QStringLiteral("Stopped"));
        QCOMPARE(lang.localized(QString()), QString());
    }
}

void TestLang::systemLanguageIsResolved_data() {
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QString>("code");
    QTest::newRow("zh-TW") << QStringList{"zh-TW"} << "zh-Hant";
    QTest::newRow("zh-HK") << QStringList{"zh-HK"} << "zh-Hant";
    QTest::newRow("zh-MO") << QStringList{"zh-MO"} << "zh-Hant";
    QTest::newRow("zh-Hant") << QStringList{"zh-Hant"} << "zh-Hant";
    QTest::newRow("zh_TW.UTF-8 style") << QStringList{"zh_TW"} << "zh-Hant";
    QTest::newRow("zh-CN") << QStringList{"zh-CN"} << "zh-Hans";
    QTest::newRow("zh-SG") << QStringList{"zh-SG"} << "zh-Hans";
    QTest::newRow("zh") << QStringList{"zh"} << "zh-Hans";
    QTest::newRow("zh-Hans-HK") << QStringList{"zh-Hans-HK"} << "zh-Hans";
    QTest::newRow("ja-JP") << QStringList{"ja-JP"} << "ja";
    QTest::newRow("ko-KR") << QStringList{"ko-KR"} << "ko";
    QTest::newRow("en-GB") << QStringList{"en-GB"} << "en";
    QTest::newRow("fr-FR") << QStringList{"fr-FR"} << "en";
    QTest::newRow("C") << QStringList{"C"} << "en";
    QTest::newRow("nothing") << QStringList{} << "en";
    QTest::newRow("first shipped one wins") << QStringList{"fr-FR", "de", "ko-KR", "ja-JP"} << "ko";
    QTest::newRow("order kept") << QStringList{"en-US", "ja-JP"} << "en";
}

void TestLang::systemLanguageIsResolved() {
    QFETCH(QStringList, preferred);
    QFETCH(QString, code);
    QCOMPARE(Lang::resolveSystemLanguage(preferred), code);
}

void TestLang::lookupsDuringLanguageChangesNeverTear() {
    const QStringList keys = {"menu_quit", "msg_failed", "stop", "no_kills_yet"};
    QHash<QString, QSet<QString>> validTexts;
    for (const QString& code : shippedCodes) {
        const auto table = loadTable(code);
        QVERIFY(table);
        for (const QString& key : keys)
            validTexts[key].insert(translate(*table, key));
    }

    MemorySettingsStore settings;
    Lang lang(settings, {QStringLiteral("ja-JP")});
    std::atomic<bool> isReading = false;
    std::atomic<bool> isDone = false;
    std::atomic<int> reads = 0;
    std::atomic<int> wrongAnswers = 0;
    std::thread reader([&] {
        isReading = true;
        while (!isDone) {
            for (const QString& key : keys) {
                if (!validTexts.value(key).contains(lang.localized(key)))
                    ++wrongAnswers;
                ++reads;
            }
        }
    });
    while (!isReading)
        std::this_thread::yield();
    const QStringList choices = {"system", "en", "ja", "zh-Hant", "zh-Hans", "ko", "fr"};
    for (int i = 0; i < 3000; ++i)
        lang.setLanguage(choices[i % choices.size()]);
    isDone = true;
    reader.join();

    QCOMPARE(wrongAnswers.load(), 0);
    QVERIFY(reads > 0);
    qInfo("%d lookups during 3000 language changes", reads.load());
}

QTEST_APPLESS_MAIN(TestLang)
#include "test_lang.moc"
