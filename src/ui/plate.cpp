#include "plate.h"

#include <QPainter>

Plate::Plate(const QColor& color, qreal cornerRadius, QWidget* parent)
    : QWidget(parent), color_(color), cornerRadius_(cornerRadius) {}

void Plate::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Plate::setBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void Plate::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color_);
    if (borderColor_.alpha() > 0) {
        painter.setPen(QPen(borderColor_, 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius_,
                                cornerRadius_);
    } else {
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(rect(), cornerRadius_, cornerRadius_);
    }
}
