#pragma once

#include <QColor>
#include <QFont>

// The one dark palette of the window.
namespace Theme {

inline constexpr QColor background{0x11, 0x11, 0x11};
inline constexpr QColor surface{0x0a, 0x0a, 0x0a};
inline constexpr QColor panel{0x17, 0x17, 0x17};
inline constexpr QColor border{0x26, 0x26, 0x26};
inline constexpr QColor textPrimary{0xe0, 0xe0, 0xe0};
inline constexpr QColor textSecondary{0x88, 0x88, 0x88};
inline constexpr QColor textTertiary{0x66, 0x66, 0x66};
inline constexpr QColor textMuted{0x55, 0x55, 0x55};
inline constexpr QColor green{0x28, 0xc8, 0x40};
inline constexpr QColor red{0xff, 0x5f, 0x57};
inline constexpr QColor accent{0x0a, 0x84, 0xff};
inline constexpr QColor orange{0xf0, 0xa0, 0x30};

// Colours of single places, outside the named palette.
inline constexpr QColor rowBackground{0x15, 0x17, 0x18};
inline constexpr QColor headerLine{0x1a, 0x1a, 0x1a};
inline constexpr QColor logMessage{0xaa, 0xaa, 0xaa};

// The same colour with its alpha replaced, as the badge backgrounds use it.
QColor withAlpha(const QColor& color, qreal alpha);

QFont systemFont(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(int pixelSize, QFont::Weight weight = QFont::Normal);
// For labels that hold only emoji: a colour emoji font first, so that "⚙️" and "⚠️" do not
// come out as plain text symbols from the system font.
QFont emojiFont(int pixelSize);

} // namespace Theme
