#include "ui/widgets/row_table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <climits>

RowTable::RowTable(int rowHeight, QWidget* parent)
    : QAbstractScrollArea(parent), rowHeight_(std::max(1, rowHeight)) {
    // Reached with Tab only: a click on the table leaves the focus in the input field.
    setFocusPolicy(Qt::TabFocus);
}

void RowTable::setRowSource(std::function<int()> rowCount, RowFactory makeRow,
                            RowConfigure configureRow) {
    countRows_ = std::move(rowCount);
    makeRow_ = std::move(makeRow);
    configureRow_ = std::move(configureRow);
    reset();
}

void RowTable::reset() {
    const bool hadRowFocus = isFocusInRows();
    rowCount_ = countRows_ ? std::max(0, countRows_()) : 0;
    updateScrollRange();
    layoutRows();
    // The focused row went away (its entry was deleted): its neighbour takes the focus over.
    if (hadRowFocus && hasFocus())
        focusRow(currentRow_, Qt::OtherFocusReason);
}

int RowTable::rowCount() const {
    return rowCount_;
}

QWidget* RowTable::rowWidget(int index) const {
    return shownRows_.value(index, nullptr);
}

bool RowTable::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // A button would walk the focus on with Left and Right as with Tab; in a row it stays.
        if (key == Qt::Key_Left || key == Qt::Key_Right)
            return true;
        if (moveByKey(key))
            return true;
        break;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (QWidget* row = rowContaining(watched)) {
            if (event->type() == QEvent::FocusIn)
                currentRow_ = shownRows_.key(row, currentRow_);
            row->update();
        }
        break;
    default:
        break;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void RowTable::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        focusRow(currentRow_, event->reason());
}

void RowTable::keyPressEvent(QKeyEvent* event) {
    if (!moveByKey(event->key()))
        QAbstractScrollArea::keyPressEvent(event);
}

void RowTable::resizeEvent(QResizeEvent*) {
    updateScrollRange();
    layoutRows();
}

void RowTable::scrollContentsBy(int, int) {
    layoutRows();
}

int RowTable::rowPitch() const {
    return rowHeight_ + rowSpacing;
}

void RowTable::updateScrollRange() {
    const qint64 contentHeight = qint64(rowCount_) * rowPitch();
    const int viewHeight = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewHeight);
    bar->setSingleStep(rowPitch());
    // Setting the range clamps the value, which scrolls and lays out the rows on its own.
    bar->setRange(0, int(std::clamp<qint64>(contentHeight - viewHeight, 0, INT_MAX)));
}

void RowTable::layoutRows() {
    const int top = verticalScrollBar()->value();
    const int viewHeight = viewport()->height();
    int first = 0;
    int last = -1;
    if (rowCount_ > 0 && viewHeight > 0) {
        first = std::min(top / rowPitch(), rowCount_ - 1);
        last = std::min((top + viewHeight - 1) / rowPitch(), rowCount_ - 1);
    }

    for (auto it = shownRows_.begin(); it != shownRows_.end();) {
        if (it.key() < first || it.key() > last) {
            // Hiding a focused widget would send the focus on to the next control in the window.
            QWidget* focused = QApplication::focusWidget();
            if (focused && (focused == it.value() || it.value()->isAncestorOf(focused)))
                setFocus(Qt::OtherFocusReason);
            it.value()->hide();
            spareRows_.push_back(it.value());
            it = shownRows_.erase(it);
        } else {
            ++it;
        }
    }

    const int width = viewport()->width();
    for (int index = first; index <= last; ++index) {
        QWidget* row = shownRows_.value(index, nullptr);
        if (!row) {
            row = takeSpareRow();
            if (!row)
                return;
            shownRows_.insert(index, row);
        }
        row->setGeometry(0, index * rowPitch() - top, width, rowHeight_);
        if (configureRow_)
            configureRow_(row, index);
        row->show();
    }
}

QWidget* RowTable::takeSpareRow() {
    if (!spareRows_.empty()) {
        QWidget* row = spareRows_.back();
        spareRows_.pop_back();
        return row;
    }
    if (!makeRow_)
        return nullptr;
    QWidget* row = makeRow_(viewport());
    if (!row)
        return nullptr;
    if (row->parentWidget() != viewport())
        row->setParent(viewport());
    // The table moves the focus between rows, whichever of a row's controls has it.
    row->installEventFilter(this);
    for (QWidget* child : row->findChildren<QWidget*>())
        child->installEventFilter(this);
    return row;
}

QWidget* RowTable::rowContaining(QObject* object) const {
    for (QObject* o = object; o; o = o->parent()) {
        if (o->parent() == viewport())
            return o->isWidgetType() ? static_cast<QWidget*>(o) : nullptr;
    }
    return nullptr;
}

bool RowTable::isFocusInRows() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused && viewport()->isAncestorOf(focused);
}

bool RowTable::moveByKey(int key) {
    const int rowsPerPage = std::max(1, viewport()->height() / rowPitch());
    switch (key) {
    case Qt::Key_Up:
        focusRow(currentRow_ - 1, Qt::OtherFocusReason);
        return true;
    case Qt::Key_Down:
        focusRow(currentRow_ + 1, Qt::OtherFocusReason);
        return true;
    case Qt::Key_PageUp:
        focusRow(currentRow_ - rowsPerPage, Qt::OtherFocusReason);
        return true;
    case Qt::Key_PageDown:
        focusRow(currentRow_ + rowsPerPage, Qt::OtherFocusReason);
        return true;
    case Qt::Key_Home:
        focusRow(0, Qt::OtherFocusReason);
        return true;
    case Qt::Key_End:
        focusRow(rowCount_ - 1, Qt::OtherFocusReason);
        return true;
    default:
        return false;
    }
}

void RowTable::focusRow(int index, Qt::FocusReason reason) {
    if (rowCount_ == 0)
        return;
    currentRow_ = std::clamp(index, 0, rowCount_ - 1);
    scrollToRow(currentRow_);
    if (QWidget* row = rowWidget(currentRow_))
        row->setFocus(reason);
}

void RowTable::scrollToRow(int index) {
    const int top = index * rowPitch();
    const int bottom = top + rowHeight_;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + viewport()->height())
        bar->setValue(bottom - viewport()->height());
}
