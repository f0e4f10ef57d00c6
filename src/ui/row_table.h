#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <functional>
#include <vector>

// A one-column list that shows only the rows in view, reusing a few row widgets as it scrolls.
// Rows are never selected; clicks go to the row widgets' own controls.
class RowTable : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Rows are rowHeight tall with 3 pixels between them.
    explicit RowTable(int rowHeight, QWidget* parent = nullptr);

    using RowFactory = std::function<QWidget*(QWidget* viewport)>;
    using RowConfigure = std::function<void(QWidget* row, int index)>;

    void setDataSource(std::function<int()> rowCount, RowFactory makeRow,
                       RowConfigure configureRow);
    // Re-reads the count and reconfigures the rows in view.
    void reloadData();

    int numberOfRows() const;
    int rowHeight() const;
    // The row widget now showing index, nullptr when that row is out of view.
    QWidget* viewForRow(int index) const;
    // Row widgets made so far.
    int createdRowViewCount() const;

    static constexpr int rowSpacing = 3;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowPitch() const;
    void updateScrollRange();
    void layoutRows();
    QWidget* takeSpareRow();

    int rowHeight_;
    int rowCount_ = 0;
    std::function<int()> countRows_;
    RowFactory makeRow_;
    RowConfigure configureRow_;
    QHash<int, QWidget*> shownRows_;
    std::vector<QWidget*> spareRows_;
    int createdRows_ = 0;
};
