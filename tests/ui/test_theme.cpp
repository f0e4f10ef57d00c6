#include "gear_icon.h"
#include "theme.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPixmap>
#include <QTest>

using PaletteEntry = const QColor& (*)();
Q_DECLARE_METATYPE(PaletteEntry)

class TestTheme : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsesHexText_data();
    void parsesHexText();
    void paletteEntries_data();
    void paletteEntries();
    void paletteEntriesAreCreatedOnce();
    void withAlphaReplacesOnlyAlpha();
    void fontsHaveTheAskedPixelSizeAndWeight();
    void gearIconRendersFromResources();
};

void TestTheme::parsesHexText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRgb>("rgb");

    QTest::newRow("with hash") << "#0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("without hash") << "0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("hashes at both ends") << "##0a84ff##" << qRgb(10, 132, 255);
    QTest::newRow("upper case") << "#0A84FF" << qRgb(10, 132, 255);
    QTest::newRow("0x prefix") << "0x0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("0X prefix after hash") << "#0X0a84ff" << qRgb(10, 132, 255);
    QTest::newRow("empty") << "" << qRgb(0, 0, 0);
    QTest::newRow("only hashes") << "###" << qRgb(0, 0, 0);
    QTest::newRow("not hex") << "#zz" << qRgb(0, 0, 0);
    QTest::newRow("bare 0x") << "0x" << qRgb(0, 0, 0);
    QTest::newRow("0x then junk") << "0xzz" << qRgb(0, 0, 0);
    QTest::newRow("leading space is not trimmed") << " #0a84ff" << qRgb(0, 0, 0);
    QTest::newRow("hash inside stops the scan") << "#0a#84ff" << qRgb(0, 0, 0x0a);
    QTest::newRow("trailing junk ignored") << "#0a84ffzz" << qRgb(10, 132, 255);
    QTest::newRow("trailing space ignored") << "#0a84ff " << qRgb(10, 132, 255);
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
    const QColor color = Theme::color(text);
    QVERIFY(color.isValid());
    QCOMPARE(color.rgba(), rgb);
    QCOMPARE(color.alpha(), 255);
}

void TestTheme::paletteEntries_data() {
    QTest::addColumn<PaletteEntry>("entry");
    QTest::addColumn<QRgb>("rgb");

    QTest::newRow("background") << &Theme::background << qRgb(0x11, 0x11, 0x11);
    QTest::newRow("surface") << &Theme::surface << qRgb(0x0a, 0x0a, 0x0a);
    QTest::newRow("panel") << &Theme::panel << qRgb(0x17, 0x17, 0x17);
    QTest::newRow("border") << &Theme::border << qRgb(0x26, 0x26, 0x26);
    QTest::newRow("textPrimary") << &Theme::textPrimary << qRgb(0xe0, 0xe0, 0xe0);
    QTest::newRow("textSecondary") << &Theme::textSecondary << qRgb(0x88, 0x88, 0x88);
    QTest::newRow("textTertiary") << &Theme::textTertiary << qRgb(0x66, 0x66, 0x66);
    QTest::newRow("textMuted") << &Theme::textMuted << qRgb(0x55, 0x55, 0x55);
    QTest::newRow("green") << &Theme::green << qRgb(0x28, 0xc8, 0x40);
    QTest::newRow("red") << &Theme::red << qRgb(0xff, 0x5f, 0x57);
    QTest::newRow("accent") << &Theme::accent << qRgb(0x0a, 0x84, 0xff);
    QTest::newRow("orange") << &Theme::orange << qRgb(0xf0, 0xa0, 0x30);
}

void TestTheme::paletteEntries() {
    QFETCH(PaletteEntry, entry);
    QFETCH(QRgb, rgb);
    QCOMPARE(entry().rgba(), rgb);
}

void TestTheme::paletteEntriesAreCreatedOnce() {
    QCOMPARE(&Theme::accent(), &Theme::accent());
    QVERIFY(&Theme::accent() != &Theme::orange());
}

void TestTheme::withAlphaReplacesOnlyAlpha() {
    const QColor tinted = Theme::withAlpha(Theme::orange(), 0.15);
    QCOMPARE(tinted.rgb(), Theme::orange().rgb());
    QVERIFY(qAbs(tinted.alphaF() - 0.15f) < 0.01f);
    QCOMPARE(Theme::orange().alpha(), 255);

    const QColor again = Theme::withAlpha(tinted, 0.2);
    QVERIFY(qAbs(again.alphaF() - 0.2f) < 0.01f);
}

void TestTheme::fontsHaveTheAskedPixelSizeAndWeight() {
    const QFont medium = Theme::systemFont(13, QFont::Medium);
    QCOMPARE(medium.pixelSize(), 13);
    QCOMPARE(medium.weight(), QFont::Medium);
    QCOMPARE(Theme::systemFont(9).weight(), QFont::Normal);

    const QFont mono = Theme::monospacedFont(11);
    QCOMPARE(mono.pixelSize(), 11);
    QCOMPARE(mono.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    QCOMPARE(Theme::monospacedFont(11, QFont::DemiBold).weight(), QFont::DemiBold);
}

void TestTheme::gearIconRendersFromResources() {
    QVERIFY(QFile::exists(QStringLiteral(":/icons/gear.svg")));
    const QIcon icon = gearIcon();
    QVERIFY(!icon.isNull());

    const QImage image = icon.pixmap(QSize(24, 24)).toImage();
    QVERIFY(!image.isNull());
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    // A gear covers a good part of its square but has a hole in the middle.
    QVERIFY2(inked > image.width() * image.height() / 4, qPrintable(QString::number(inked)));
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 0);
}

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
