#include "ui/widgets/configure_table.h"

#include "ui/widgets/first_event.h"
#include "ui/widgets/row_table.h"

#include <QScrollBar>

void configureTable(RowTable& table) {
    table.setFrameShape(QFrame::NoFrame);
    table.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.setAutoFillBackground(false);
    table.viewport()->setAutoFillBackground(false);
    QPalette palette = table.palette();
    palette.setColor(QPalette::Window, Qt::transparent);
    palette.setColor(QPalette::Base, Qt::transparent);
    table.setPalette(palette);
    // A slim, quiet bar instead of the style's bevelled one with arrows. Parsing a style sheet
    // holds up the window's first frame, so a bar gets it only when it first shows, if ever.
    QScrollBar* bar = table.verticalScrollBar();
    onFirstEvent(*bar, QEvent::Show, [bar] {
        bar->setStyleSheet(QStringLiteral(
            "QScrollBar:vertical { background: transparent; width: 8px; margin: 0; }"
            "QScrollBar::handle:vertical { background: #3a3a3a; border-radius: 3px;"
            " min-height: 24px; margin: 1px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    });
}
