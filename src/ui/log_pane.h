#pragma once

#include <QWidget>

class EmptyStateLabel;
class FlatButton;
class QLabel;
class RowTable;

// The lower pane of the split view: the "kill_log" title with the program's own memory and the
// clean button, the kill-log table, and the text shown while the log is empty, with a link to
// the history of every day under it.
class LogPane : public QWidget {
    Q_OBJECT
public:
    explicit LogPane(QWidget* parent = nullptr);

    FlatButton* cleanMemBtn() const { return cleanMemBtn_; }
    RowTable* logTable() const { return logTable_; }
    FlatButton* historyLink() const { return historyLink_; }

    // The empty look (the text and the link) or the table.
    void showEmpty(bool isEmpty);

    // "%.1f MB"; nothing at all for 0, which means the measurement failed.
    void showSelfMemory(double megabytes);
    // What the empty log says of the entries it no longer shows: none yet, saved in the day
    // files, or some still waiting for one.
    void showEarlierEntries(bool hasEarlierEntries, qsizetype unsavedEntries);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeHistoryLink();

    QLabel* titleLabel_;
    QLabel* selfMemLabel_;
    FlatButton* cleanMemBtn_;
    RowTable* logTable_;
    EmptyStateLabel* logEmpty_;
    FlatButton* historyLink_;
};
