#include "row_table.h"

#include <QScrollBar>
#include <algorithm>
#include <climits>

RowTable::RowTable(int rowHeight, QWidget* parent)
    : QAbstractScrollArea(parent), rowHeight_(std::max(1, rowHeight)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void RowTable::setDataSource(std::function<int()> rowCount, RowFactory makeRow,
                             RowConfigure configureRow) {
    countRows_ = std::move(rowCount);
    makeRow_ = std::move(makeRow);
    configureRow_ = std::move(configureRow);
    reloadData();
}

void RowTable::reloadData() {
    rowCount_ = countRows_ ? std::max(0, countRows_()) : 0;
    updateScrollRange();
    layoutRows();
}

int RowTable::numberOfRows() const {
    return rowCount_;
}

int RowTable::rowHeight() const {
    return rowHeight_;
}

QWidget* RowTable::viewForRow(int index) const {
    return shownRows_.value(index, nullptr);
}

int RowTable::createdRowViewCount() const {
    return createdRows_;
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
    ++createdRows_;
    return row;
}
