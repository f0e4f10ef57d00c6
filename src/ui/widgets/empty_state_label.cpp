#include "ui/widgets/empty_state_label.h"

#include "ui/theme.h"
#include "ui/widgets/label_style.h"

#include <QEvent>

EmptyStateLabel::EmptyStateLabel(const QString& text, int pixelSize, QWidget* pane)
    : QLabel(text, pane) {
    styleLabel(*this, Theme::systemFont(pixelSize), Theme::textMuted);
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    pane->installEventFilter(this);
    placeInPane();
}

bool EmptyStateLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        placeInPane();
    return QLabel::eventFilter(watched, event);
}

void EmptyStateLabel::placeInPane() {
    const QWidget* pane = parentWidget();
    const int labelHeight = sizeHint().height();
    setGeometry(0, pane->height() / 2 + 10 - labelHeight / 2, pane->width(), labelHeight);
    raise();
}
