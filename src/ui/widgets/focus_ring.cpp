#include "ui/widgets/focus_ring.h"

#include "ui/theme.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>

bool showsFocusRing(const QWidget& widget) {
    const QWidget* focused = QApplication::focusWidget();
    return focused && (focused == &widget || widget.isAncestorOf(focused)) &&
           widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void paintFocusRing(QPainter& painter, const QRectF& rect, qreal cornerRadius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Theme::textPrimary, 2));
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), cornerRadius, cornerRadius);
    const qreal inner = std::max<qreal>(0, cornerRadius - 2);
    painter.setPen(QPen(Theme::background, 1));
    painter.drawRoundedRect(rect.adjusted(2.5, 2.5, -2.5, -2.5), inner, inner);
    painter.restore();
}
