#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <functional>
#include <vector>

// A one-column list that shows only the rows in view, reusing a few row widgets as it scrolls.
// Rows are never selected; clicks go to the row widgets' own controls. For the keyboard the
// table is one stop of the Tab order: the focus lands on its current row (on the row's focus
// proxy where it has one), and the arrow, page, Home and End keys move it between rows.
class RowTable : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Rows are rowHeight tall with 3 pixels between them.
    explicit RowTable(int rowHeight, QWidget* parent = nullptr);

    using RowFactory = std::function<QWidget*(QWidget* viewport)>;
    using RowConfigure = std::function<void(QWidget* row, int index)>;

    void setRowSource(std::function<int()> rowCount, RowFactory makeRow, RowConfigure configureRow);
    // Re-reads the count and reconfigures the rows in view.
    void reset();

    int rowCount() const;
    // The row widget now showing index, nullptr when that row is out of view.
    QWidget* rowWidget(int index) const;

    static constexpr int rowSpacing = 3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowPitch() const;
    void updateScrollRange();
    void layoutRows();
    QWidget* takeSpareRow();
    QWidget* rowContaining(QObject* object) const;
    bool isFocusInRows() const;
    bool moveByKey(int key);
    void focusRow(int index, Qt::FocusReason reason);
    void scrollToRow(int index);

    int rowHeight_;
    int rowCount_ = 0;
    int currentRow_ = 0;
    std::function<int()> countRows_;
    RowFactory makeRow_;
    RowConfigure configureRow_;
    QHash<int, QWidget*> shownRows_;
    std::vector<QWidget*> spareRows_;
};
