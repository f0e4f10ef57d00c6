#include "ui/theme.h"

#include <QFontDatabase>

namespace {

QFont sizedFont(QFont font, int pixelSize, QFont::Weight weight) {
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace

namespace Theme {

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
    font.setFamilies({QStringLiteral("Noto Color Emoji"), font.family()});
    return font;
}

} // namespace Theme
