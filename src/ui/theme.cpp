#include "theme.h"

#include <QFontDatabase>

namespace {

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

QStringView trimHashes(QStringView text) {
    while (text.startsWith(u'#'))
        text = text.mid(1);
    while (text.endsWith(u'#'))
        text.chop(1);
    return text;
}

// Reads as many hex digits as there are from the start, after an optional "0x". Leading spaces
// are not skipped: " #0a84ff" is unreadable. Digits past the sixteenth wrap the 64-bit
// accumulator instead of saturating, so the low 32 bits always are those of the last eight
// digits written.
quint64 scanHex(QStringView text) {
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X') &&
        hexDigitValue(text[2]) >= 0)
        text = text.mid(2);
    quint64 value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            break;
        value = (value << 4) | quint64(digit);
    }
    return value;
}

QFont sizedFont(QFont font, int pixelSize, QFont::Weight weight) {
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace

namespace Theme {

QColor color(QStringView hex) {
    const auto value = quint32(scanHex(trimHashes(hex)));
    return QColor::fromRgb((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
}

const QColor& background() {
    static const QColor c = color(u"#111111");
    return c;
}

const QColor& surface() {
    static const QColor c = color(u"#0a0a0a");
    return c;
}

const QColor& panel() {
    static const QColor c = color(u"#171717");
    return c;
}

const QColor& border() {
    static const QColor c = color(u"#262626");
    return c;
}

const QColor& textPrimary() {
    static const QColor c = color(u"#e0e0e0");
    return c;
}

const QColor& textSecondary() {
    static const QColor c = color(u"#888888");
    return c;
}

const QColor& textTertiary() {
    static const QColor c = color(u"#666666");
    return c;
}

const QColor& textMuted() {
    static const QColor c = color(u"#555555");
    return c;
}

const QColor& green() {
    static const QColor c = color(u"#28c840");
    return c;
}

const QColor& red() {
    static const QColor c = color(u"#ff5f57");
    return c;
}

const QColor& accent() {
    static const QColor c = color(u"#0a84ff");
    return c;
}

const QColor& orange() {
    static const QColor c = color(u"#f0a030");
    return c;
}

QColor withAlpha(const QColor& color, qreal alpha) {
    QColor tinted = color;
    tinted.setAlphaF(float(alpha));
    return tinted;
}

QFont systemFont(int pixelSize, QFont::Weight weight) {
    return sizedFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont), pixelSize, weight);
}

QFont monospacedFont(int pixelSize, QFont::Weight weight) {
    QFont font = sizedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), pixelSize, weight);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

QFont emojiFont(int pixelSize) {
    QFont font = systemFont(pixelSize);
    font.setFamilies({QStringLiteral("Noto Color Emoji"), QStringLiteral("Apple Color Emoji"),
                      QStringLiteral("Segoe UI Emoji"), font.family()});
    return font;
}

} // namespace Theme
