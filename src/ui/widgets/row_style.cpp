#include "ui/widgets/row_style.h"

#include "ui/theme.h"
#include "ui/widgets/focus_ring.h"
#include "ui/widgets/plate.h"

#include <QPainter>
#include <QWidget>

namespace RowStyle {

void setUpRow(QWidget* row) {
    row->setBackgroundRole(QPalette::Window);
    row->setForegroundRole(QPalette::WindowText);
}

void paintRow(QWidget* row) {
    QPainter painter(row);
    paintPlate(painter, row->rect(), Theme::rowBackground, 8);
    if (showsFocusRing(*row))
        paintFocusRing(painter, row->rect(), 8);
}

void setTextColor(QWidget* label, const QColor& color) {
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, color);
    label->setPalette(colors);
}

} // namespace RowStyle
