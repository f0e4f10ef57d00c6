#include "rounded_box.h"

#include <QPainter>

void paintRoundedBackground(QPainter& painter, const QRectF& rect, const QColor& color,
                            qreal cornerRadius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(rect, cornerRadius, cornerRadius);
    painter.restore();
}

RoundedBox::RoundedBox(qreal cornerRadius, QWidget* parent)
    : QWidget(parent), cornerRadius_(cornerRadius) {}

void RoundedBox::setBackgroundColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

void RoundedBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintRoundedBackground(painter, rect(), palette().color(QPalette::Window), cornerRadius_);
}
