#include "row_style.h"

#include "rounded_box.h"
#include "theme.h"

#include <QPainter>
#include <QWidget>

namespace RowStyle {

void setUpRow(QWidget* row) {
    row->setBackgroundRole(QPalette::Window);
    row->setForegroundRole(QPalette::WindowText);
}

void paintBackground(QWidget* row) {
    static const QColor rowColor = Theme::color(u"#151718");
    QPainter painter(row);
    paintRoundedBackground(painter, row->rect(), rowColor, 8);
}

void setTextColor(QWidget* label, const QColor& color) {
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, color);
    label->setPalette(colors);
}

} // namespace RowStyle
