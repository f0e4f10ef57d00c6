#pragma once

#include <QWidget>

class EmptyStateLabel;
class RowTable;

// The upper pane of the split view: the watch-list table or the process-browser table, and the
// text shown while the watch list is empty.
class TablesPane : public QWidget {
    Q_OBJECT
public:
    explicit TablesPane(QWidget* parent = nullptr);

    RowTable* targetsTable() const { return targetsTable_; }
    RowTable* browseTable() const { return browseTable_; }
    EmptyStateLabel* targetsEmpty() const { return targetsEmpty_; }

private:
    RowTable* targetsTable_;
    RowTable* browseTable_;
    EmptyStateLabel* targetsEmpty_;
};
