#include "ui/widgets/badge_label.h"

#include "ui/widgets/plate.h"

#include <QPainter>

BadgeLabel::BadgeLabel(qreal cornerRadius, QWidget* parent)
    : QLabel(parent), cornerRadius_(cornerRadius) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
}

void BadgeLabel::setColors(const QColor& text, const QColor& background) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, text);
    colors.setColor(QPalette::Window, background);
    setPalette(colors);
}

void BadgeLabel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        paintPlate(painter, rect(), palette().color(QPalette::Window), cornerRadius_);
    }
    QLabel::paintEvent(event);
}
