#include "configure_table.h"

#include "row_table.h"

#include <QEvent>
#include <QScrollBar>

namespace {
// A slim, quiet bar instead of the style's bevelled one with arrows. Parsing a style sheet holds
// up the window's first frame, so a bar gets it only when it first shows, if ever.
class SlimBarOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            static_cast<QWidget*>(watched)->setStyleSheet(QStringLiteral(
                "QScrollBar:vertical { background: transparent; width: 8px; margin: 0; }"
                "QScrollBar::handle:vertical { background: #3a3a3a; border-radius: 3px;"
                " min-height: 24px; margin: 1px; }"
                "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical"
                " { background: none; }"));
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

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
    QScrollBar* bar = table.verticalScrollBar();
    bar->installEventFilter(new SlimBarOnShow(bar));
}
