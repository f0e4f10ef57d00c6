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

// Texts of keys that take a count, one per plural form of the language.
const QStringList countKeys = {"monitoring_count", "process_count", "a11y_interval"};

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
// The message ids of a translation file, sorted; an unfinished translation fails the test.
QStringList messageIds(const QString& code) {
    QFile file(QStringLiteral(ZENTRAV_SOURCE_DIR "/translations/zentrav_%1.ts").arg(code));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QStringList ids;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message")
            ids << xml.attributes().value(QLatin1String("id")).toString();
        else if (xml.name() == u"translation" &&
                 !xml.attributes().value(QLatin1String("type")).isEmpty())
            return {QStringLiteral("unfinished: ") + ids.value(ids.size() - 1)};
    }
    ids.sort();
    return xml.hasError() ? QStringList{xml.errorString()} : ids;
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

    // Every language has every key of English, with the same printf conversions, and the
    // count keys have "%n" in each of their plural forms.
    void translationIsComplete() {
        QFETCH(QString, code);
        const QStringList ids = messageIds(code);
        QCOMPARE(ids, messageIds(QStringLiteral("en")));
        const auto english = loadTable(QStringLiteral("en"));
        const auto table = loadTable(code);
        QVERIFY2(english && table, qPrintable(QStringLiteral("no compiled table for ") + code));
        MemorySettingsStore settings;
        Lang lang(settings, {QStringLiteral("fr-FR")});
        lang.setLanguage(code);
        QSet<QString> distinctTexts;
        for (const QString& key : ids) {
            const QString text = translate(*table, key);
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(code + u'/' + key));
            if (countKeys.contains(key)) {
                for (int count : {0, 1, 2, 5, 21})
                    QVERIFY2(lang.localized(key, count).contains(QString::number(count)),
                             qPrintable(code + u'/' + key));
                continue;
            }
            QCOMPARE(lang.localized(key), text);
            QVERIFY2(conversionsOf(text) == conversionsOf(translate(*english, key)),
                     qPrintable(code + u'/' + key + QStringLiteral(": ") + text));
            distinctTexts.insert(text);
        }
        // A table answering with one text for everything would pass the loop above.
        QVERIFY(distinctTexts.size() > 30);
    }

    void countsTakeThePluralFormOfTheLanguage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("en one") << "en" << 1 << "1 process";
        QTest::newRow("en zero") << "en" << 0 << "0 processes";
        QTest::newRow("en many") << "en" << 1234 << "1234 processes";
        QTest::newRow("ja has one form") << "ja" << 1 << "1 個のプロセス";
        QTest::newRow("ko has one form") << "ko" << 3 << "프로세스 3개";
    }

    void countsTakeThePluralFormOfTheLanguage() {
        QFETCH(QString, code);
        QFETCH(int, count);
        QFETCH(QString, text);
        MemorySettingsStore settings;
        Lang lang(settings, {});
        lang.setLanguage(code);
        QCOMPARE(lang.localized(QStringLiteral("process_count"), count), text);
        QCOMPARE(lang.localized(QStringLiteral("no_such_count"), count),
                 QStringLiteral("no_such_count"));
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
