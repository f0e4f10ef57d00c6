#include "ui/widgets/background_click_filter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

// The press goes to whichever widget lies under the pointer, not to the root, so the filter
// watches the application and keeps to presses inside the root.
BackgroundClickFilter::BackgroundClickFilter(QWidget* root, QLineEdit* inputField,
                                             QWidget* inputBox)
    : QObject(root), root_(root), inputField_(inputField), inputBox_(inputBox) {
    qApp->installEventFilter(this);
}

BackgroundClickFilter::~BackgroundClickFilter() {
    qApp->removeEventFilter(this);
}

bool BackgroundClickFilter::isBackground(const QWidget* hit) const {
    for (const QWidget* widget = hit; widget && widget != root_; widget = widget->parentWidget()) {
        if (qobject_cast<const QAbstractButton*>(widget) || widget == inputField_ ||
            widget == inputBox_)
            return false;
    }
    return true;
}

bool BackgroundClickFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !root_ || !watched->isWidgetType())
        return false;
    auto* receiver = static_cast<QWidget*>(watched);
    if (receiver != root_ && !root_->isAncestorOf(receiver))
        return false;
    // A press that Qt hands on to a parent passes here again; the hit widget stays the same.
    const QPoint globalPos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    QWidget* hit = root_->childAt(root_->mapFromGlobal(globalPos));
    if (!isBackground(hit ? hit : root_.data()))
        return false;
    if (QWidget* focused = QApplication::focusWidget(); focused && root_->isAncestorOf(focused))
        focused->clearFocus();
    return false;
}
