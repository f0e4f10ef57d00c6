#pragma once

#include <QWidget>

class EmptyStateLabel;
class FlatButton;
class QLabel;
class RowTable;

// The lower pane of the split view: the "kill_log" title with the program's own memory and the
// clean button, the kill-log table, and the text shown while the log is empty.
class LogPane : public QWidget {
    Q_OBJECT
public:
    explicit LogPane(QWidget* parent = nullptr);

    FlatButton* cleanMemBtn() const { return cleanMemBtn_; }
    RowTable* logTable() const { return logTable_; }
    EmptyStateLabel* logEmpty() const { return logEmpty_; }

    // "%.1f MB"; nothing at all for 0, which means the measurement failed.
    void showSelfMemory(double megabytes);
    // What the empty log says of the entries it no longer shows: none yet, saved in the day
    // files, or some still waiting for one.
    void showEarlierEntries(bool hasEarlierEntries, qsizetype unsavedEntries);

private:
    QLabel* titleLabel_;
    QLabel* selfMemLabel_;
    FlatButton* cleanMemBtn_;
    RowTable* logTable_;
    EmptyStateLabel* logEmpty_;
};
