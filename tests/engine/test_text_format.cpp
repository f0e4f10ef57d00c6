#include "engine/i18n/text_format.h"

#include <QTest>

class TestTextFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("texts"); // empty: filled with the number 7 instead
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const char* text, const QStringList& texts,
                            const char* expected) {
            QTest::newRow(tag) << QString::fromUtf8(text) << texts << QString::fromUtf8(expected);
        };
        const QStringList number;
        const QStringList ab = {"a", "b"};
        row("i, in front", "%i 件を監視中", number, "7 件を監視中");
        row("positional number", "%1$d processes", number, "7 processes");
        row("percent signs", "100%% of %d, 50% off, %d%", number, "100% of 7, 50% off, %d%");
        row("text conversion stays", "Version %s", number, "Version %s");
        row("position out of range", "%2$d %0$d", number, "%2$d %0$d");
        row("flags are not read", "%05d", number, "%05d");
        row("digits without a dollar sign", "%1xd", number, "%1xd");
        row("texts in order", "Version %s (%s)", ab, "Version a (b)");
        row("texts by position", "%2$s / %1$s", ab, "b / a");
        row("arguments are not formats", "%s (%s)", {"%s", "%d"}, "%s (%d)");
        row("number conversion stays", "%s %d", ab, "a %d");
        row("third text has no argument", "%s%s%s", ab, "ab%s");
    }

    void formatted() {
        QFETCH(QString, text);
        QFETCH(QStringList, texts);
        QFETCH(QString, expected);
        QCOMPARE(texts.isEmpty() ? ::formatted(text, 7) : ::formatted(text, texts[0], texts[1]),
                 expected);
    }
};

QTEST_APPLESS_MAIN(TestTextFormat)
#include "test_text_format.moc"
