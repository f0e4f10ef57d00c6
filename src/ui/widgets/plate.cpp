#include "ui/widgets/plate.h"

#include <QPainter>

void paintPlate(QPainter& painter, const QRectF& bounds, const QColor& fill, qreal cornerRadius,
                const QColor& border) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(fill);
    if (border.alpha() > 0) {
        painter.setPen(QPen(border, 1));
        painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    } else {
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(bounds, cornerRadius, cornerRadius);
    }
    painter.restore();
}

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
    paintPlate(painter, rect(), color_, cornerRadius_, borderColor_);
}
