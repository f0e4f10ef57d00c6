#pragma once

#include <QColor>
#include <QFont>
#include <QStringView>

// The one dark palette of the window, and the parser for colours written as hex text.
namespace Theme {

// "#rrggbb" and friends; never fails (unreadable text is black). See theme.cpp for the odd cases.
QColor color(QStringView hex);

const QColor& background();
const QColor& surface();
const QColor& panel();
const QColor& border();
const QColor& textPrimary();
const QColor& textSecondary();
const QColor& textTertiary();
const QColor& textMuted();
const QColor& green();
const QColor& red();
const QColor& accent();
const QColor& orange();

// The same colour with its alpha replaced, as the badge backgrounds use it.
QColor withAlpha(const QColor& color, qreal alpha);

QFont systemFont(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(int pixelSize, QFont::Weight weight = QFont::Normal);
// For labels that hold only emoji: a colour emoji font first, so that "⚙️" and "⚠️" do not
// come out as plain text symbols from the system font.
QFont emojiFont(int pixelSize);

} // namespace Theme
