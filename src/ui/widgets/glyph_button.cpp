#include "ui/widgets/glyph_button.h"

#include "ui/widgets/plate.h"

#include <QPainter>

GlyphButton::GlyphButton(QWidget* parent) : QPushButton(parent) {
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    // A click never takes the focus from the input field; the keyboard reaches the button
    // through its row.
    setFocusPolicy(Qt::TabFocus);
}

void GlyphButton::setGlyph(const QString& text, const QColor& color, const QFont& font) {
    QPalette colors = palette();
    colors.setColor(QPalette::ButtonText, color);
    setPalette(colors);
    setFont(font);
    setText(text);
}

void GlyphButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (isDown())
        paintPlate(painter, rect(), QColor(255, 255, 255, 24), 4);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}
