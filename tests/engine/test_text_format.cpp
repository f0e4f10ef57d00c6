#include "text_format.h"

#include <QTest>

class TestTextFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void number_data();
    void number();
    void twoTexts_data();
    void twoTexts();
};

void TestTextFormat::number_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("d") << "Monitoring %d" << qint64(3) << "Monitoring 3";
    QTest::newRow("i, negative") << "Failed (error %i)" << qint64(-1) << "Failed (error -1)";
    QTest::newRow("in front") << "%d 件を監視中" << qint64(12) << "12 件を監視中";
    QTest::newRow("large") << "%d" << qint64(5000000000) << "5000000000";
    QTest::newRow("positional") << "%1$d processes" << qint64(9) << "9 processes";
    QTest::newRow("percent sign") << "100%% of %d" << qint64(5) << "100% of 5";
    QTest::newRow("bare percent takes nothing")
        << "50% off, %d left" << qint64(2) << "50% off, 2 left";
    QTest::newRow("trailing percent") << "%d%" << qint64(7) << "7%";
    QTest::newRow("no placeholder") << "Stopped" << qint64(4) << "Stopped";
    QTest::newRow("text conversion stays") << "Version %s" << qint64(4) << "Version %s";
    QTest::newRow("second one has no argument") << "%d of %d" << qint64(7) << "7 of %d";
    QTest::newRow("position out of range") << "%2$d" << qint64(7) << "%2$d";
    QTest::newRow("position zero") << "%0$d" << qint64(7) << "%0$d";
    QTest::newRow("unknown conversion") << "%x %d" << qint64(4) << "%x 4";
    QTest::newRow("flags are not read") << "%05d" << qint64(4) << "%05d";
}

void TestTextFormat::number() {
    QFETCH(QString, text);
    QFETCH(qint64, number);
    QFETCH(QString, expected);
    QCOMPARE(formatted(text, number), expected);
}

void TestTextFormat::twoTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("expected");
    QTest::newRow("in order") << "Version %s (%s)"
                              << "1.0"
                              << "42"
                              << "Version 1.0 (42)";
    QTest::newRow("by position") << "%2$s / %1$s"
                                 << "a"
                                 << "b"
                                 << "b / a";
    QTest::newRow("arguments are not formats") << "%s (%s)"
                                               << "%s"
                                               << "%d"
                                               << "%s (%d)";
    QTest::newRow("number conversion stays") << "%s %d"
                                             << "a"
                                             << "b"
                                             << "a %d";
    QTest::newRow("third one has no argument") << "%s%s%s"
                                               << "a"
                                               << "b"
                                               << "ab%s";
    QTest::newRow("empty text") << ""
                                << "a"
                                << "b"
                                << "";
    QTest::newRow("non-Latin") << "バージョン %s (%s)"
                               << "1.0"
                               << "7"
                               << "バージョン 1.0 (7)";
}

void TestTextFormat::twoTexts() {
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, expected);
    QCOMPARE(formatted(text, first, second), expected);
}

QTEST_APPLESS_MAIN(TestTextFormat)
#include "test_text_format.moc"
