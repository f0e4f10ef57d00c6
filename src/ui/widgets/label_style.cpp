#include "ui/widgets/label_style.h"

#include <QLabel>

void styleLabel(QLabel& label, const QFont& font, const QColor& color) {
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, color);
    label.setPalette(palette);
    label.setTextInteractionFlags(Qt::NoTextInteraction);
}
