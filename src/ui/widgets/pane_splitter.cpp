#include "ui/widgets/pane_splitter.h"

#include "ui/theme.h"

#include <QPainter>

namespace {
// A grab area a few pixels high that shows only a thin line.
class ThinHandle : public QSplitterHandle {
public:
    ThinHandle(Qt::Orientation orientation, QSplitter* parent)
        : QSplitterHandle(orientation, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(QRect(0, height() / 2, width(), 1), Theme::border);
    }
};
} // namespace

PaneSplitter::PaneSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setChildrenCollapsible(false);
    setHandleWidth(5);
}

void PaneSplitter::addPane(QWidget* pane) {
    pane->setMinimumHeight(minimumPaneHeight);
    addWidget(pane);
}

QSplitterHandle* PaneSplitter::createHandle() {
    return new ThinHandle(orientation(), this);
}

void PaneSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    if (hasDivider_ || height() <= 0 || count() < 2)
        return;
    hasDivider_ = true;
    const int top = qRound(initialTopShare * height());
    setSizes({top, height() - top - handleWidth()});
}
