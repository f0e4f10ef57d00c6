#include "gear_icon.h"
#include "theme.h"

#include <QImage>
#include <QTest>

class TestTheme : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsesHexText_data();
    void parsesHexText();
    void gearIconIsDrawn();
};

void TestTheme::parsesHexText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRgb>("rgb");

    QTest::newRow("no hash") << "0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("hashes at both ends") << "##0a84ff##" << qRgb(10, 132, 255);
    QTest::newRow("upper case") << "#0A84FF" << qRgb(10, 132, 255);
    QTest::newRow("0x prefix") << "0x0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("0X prefix after hash") << "#0X0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("only hashes") << "###" << qRgb(0, 0, 0);
    QTest::newRow("not hex") << "#zz" << qRgb(0, 0, 0);
    QTest::newRow("bare 0x") << "0x" << qRgb(0, 0, 0);
    QTest::newRow("leading space is not trimmed") << " #0a84ff" << qRgb(0, 0, 0);
    QTest::newRow("hash inside stops the scan") << "#0a#84ff" << qRgb(0, 0, 0x0a);
    QTest::newRow("trailing junk ignored") << "#0a84ffzz" << qRgb(10, 132, 255);
    QTest::newRow("non-ASCII digits are not hex")
        << QStringLiteral("#\uFF10a84ff") << qRgb(0, 0, 0);
    QTest::newRow("three digits are a small number") << "#fff" << qRgb(0, 0x0f, 0xff);
    QTest::newRow("eight digits keep the last six") << "#11223344" << qRgb(0x22, 0x33, 0x44);
    QTest::newRow("past 64 bits keeps the last eight digits")
        << "#123456789abcdef0112233" << qRgb(0x11, 0x22, 0x33);
}

void TestTheme::parsesHexText() {
    QFETCH(QString, text);
    QFETCH(QRgb, rgb);
    QCOMPARE(Theme::color(text).rgba(), rgb);
}

// The icon comes from the compiled-in resources; without them the gear button is blank.
void TestTheme::gearIconIsDrawn() {
    const QImage image = gearIcon().pixmap(QSize(24, 24)).toImage();
    QVERIFY(!image.isNull());
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    QVERIFY2(inked > image.width() * image.height() / 4, qPrintable(QString::number(inked)));
}

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
