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

// Every key the program looks up.
const QStringList keys =
    QStringLiteral(
        "menu_about menu_hide menu_hide_others menu_show_all menu_quit menu_edit menu_cut "
        "menu_copy menu_paste menu_select_all menu_window menu_minimize menu_close version_format "
        "copyright stopped monitoring_count start stop scan_every clean_memory targets_tab "
        "browse_all_tab input_placeholder search_placeholder add_button no_processes_added "
        "process_count kill_log no_kills_yet export_log clear_log launch_at_login export_targets "
        "import_targets export_all_title msg_killed msg_force_killed msg_already_exited "
        "msg_no_permission msg_failed")
        .split(u' ');

// The printf conversions the text of a format key carries; other keys carry none.
const QHash<QString, QString> conversionsByKey = {{"version_format", "ss"},
                                                  {"monitoring_count", "d"},
                                                  {"process_count", "d"},
                                                  {"msg_failed", "d"}};

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
    void languagesAreListedInOrder() {
        QStringList listed;
        for (const Lang::Language& language : Lang::languages())
            listed << language.code + u' ' + language.displayName;
        QCOMPARE(listed, QStringList({"system System Default", "en English", "ja 日本語",
                                      "zh-Hant 繁體中文", "zh-Hans 简体中文", "ko 한국어"}));
    }

    void translationIsComplete_data() {
        QTest::addColumn<QString>("code");
        for (const QString& code : shippedCodes)
            QTest::newRow(qPrintable(code)) << code;
    }

    void translationIsComplete() {
        QFETCH(QString, code);
        QFile file(QStringLiteral(ZENTRAV_SOURCE_DIR "/translations/zentrav_%1.ts").arg(code));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList ids;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"message")
                ids << xml.attributes().value(QLatin1String("id")).toString();
            else if (xml.name() == u"translation")
                QVERIFY2(xml.attributes().value(QLatin1String("type")).isEmpty(),
                         qPrintable(ids.value(ids.size() - 1) + QStringLiteral(" is unfinished")));
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QStringList expected = keys;
        expected.sort();
        ids.sort();
        QCOMPARE(ids, expected);

        const auto english = loadTable(QStringLiteral("en"));
        const auto table = loadTable(code);
        QVERIFY2(english && table, qPrintable(QStringLiteral("no compiled table for ") + code));
        MemorySettingsStore settings;
        Lang lang(settings, {QStringLiteral("fr-FR")});
        lang.setLanguage(code);
        QSet<QString> distinctTexts;
        for (const QString& key : keys) {
            const QString text = translate(*table, key);
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(code + u'/' + key));
            QCOMPARE(lang.localized(key), text);
            QCOMPARE(conversionsOf(translate(*english, key)), conversionsByKey.value(key));
            QVERIFY2(conversionsOf(text) == conversionsByKey.value(key),
                     qPrintable(code + u'/' + key + QStringLiteral(": ") + text));
            distinctTexts.insert(text);
        }
        // A table answering with one text for everything would pass the loop above.
        QVERIFY(distinctTexts.size() > 30);
    }

    void choiceIsStoredAndAnswered_data() {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("storedBefore"); // empty: nothing stored
        QTest::addColumn<QString>("chosen");       // empty: no choice made
        QTest::addColumn<QVariant>("storedAfter");
        QTest::addColumn<QString>("quitText");
        const auto row = [](const char* tag, const QStringList& preferred, const char* before,
                            const char* chosen, const QVariant& after, const QString& quitText) {
            QTest::newRow(tag) << preferred << QString::fromLatin1(before)
                               << QString::fromLatin1(chosen) << after << quitText;
        };
        const QStringList japanese = {"ja-JP"};
        const QVariant none;
        row("nothing stored", japanese, "", "", none, "Zentrav を終了");
        row("stored at start", japanese, "zh-Hans", "", "zh-Hans", "退出 Zentrav");
        row("choose ko", japanese, "", "ko", "ko", "Zentrav 종료");
        row("system removes the key", japanese, "ko", "system", none, "Zentrav を終了");
        row("system, no shipped match", {"fr-FR", "de-DE"}, "ja", "system", none, "Quit Zentrav");
        row("unknown code kept, system answers", {"zh-TW"}, "", "fr", "fr", "結束 Zentrav");
        row("path-like code", japanese, "", "../en", "../en", "Zentrav を終了");
    }

    void choiceIsStoredAndAnswered() {
        QFETCH(QStringList, preferred);
        QFETCH(QString, storedBefore);
        QFETCH(QString, chosen);
        QFETCH(QVariant, storedAfter);
        QFETCH(QString, quitText);
        MemorySettingsStore settings;
        if (!storedBefore.isEmpty())
            settings.values.insert(SettingsKeys::appLanguage, storedBefore);
        Lang lang(settings, preferred);
        if (!chosen.isEmpty())
            lang.setLanguage(chosen);

        QCOMPARE(settings.values.value(SettingsKeys::appLanguage), storedAfter);
        QCOMPARE(settings.values.contains(SettingsKeys::appLanguage), storedAfter.isValid());
        QCOMPARE(lang.currentCode(),
                 storedAfter.isValid() ? storedAfter.toString() : QStringLiteral("system"));
        QCOMPARE(lang.localized(QStringLiteral("menu_quit")), quitText);
    }

    void missingKeyAnswersWithTheKey() {
        MemorySettingsStore settings;
        Lang lang(settings, {QStringLiteral("en-US")});
        for (const QString& code : shippedCodes) {
            lang.setLanguage(code);
            QCOMPARE(lang.localized(QStringLiteral("Stopped")), QStringLiteral("Stopped"));
            QCOMPARE(lang.localized(QString()), QString());
        }
    }

    void systemLanguageIsResolved() {
        const QList<std::pair<QStringList, QString>> cases = {
            {{"zh-TW"}, "zh-Hant"},
            {{"zh-HK"}, "zh-Hant"},
            {{"zh_TW"}, "zh-Hant"},
            {{"zh"}, "zh-Hans"},
            {{"zh-Hans-HK"}, "zh-Hans"},
            {{"ja-JP"}, "ja"},
            {{"ko-KR"}, "ko"},
            {{"fr-FR"}, "en"},
            {{}, "en"},
            {{"fr-FR", "de", "ko-KR", "ja-JP"}, "ko"},
            {{"en-US", "ja-JP"}, "en"}};
        for (const auto& [preferred, code] : cases)
            QCOMPARE(Lang::resolveSystemLanguage(preferred), code);
    }

    void lookupsDuringLanguageChangesNeverTear() {
        const QStringList sampled = {"menu_quit", "msg_failed", "stop", "no_kills_yet"};
        QHash<QString, QSet<QString>> validTexts;
        for (const QString& code : shippedCodes) {
            const auto table = loadTable(code);
            QVERIFY(table);
            for (const QString& key : sampled)
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
                for (const QString& key : sampled) {
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
};

QTEST_APPLESS_MAIN(TestLang)
#include "test_lang.moc"
