#pragma once

#include "engine/storage/file_chooser.h"
#include "engine/storage/kill_history.h"

#include <QList>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class AttemptsChart;
class FileSystem;
class FlatButton;
class SegmentedControl;
class KillHistoryModel;
class KillHistoryReader;
class ProcessTotalsModel;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

// Every kill attempt of every day file, newest first: a search by process name, a range of days,
// the attempts per day as a chart, totals per process name, and export of what is shown. The day
// files are read in the background, the newest first, so the latest rows show at once; entries
// recorded while the window is open join them.
class KillHistoryWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the day files in `logsDir` through `files`. The chooser asks where to export to;
    // without one it opens dialogs.
    KillHistoryWindow(std::shared_ptr<FileSystem> files, QString logsDir,
                      std::shared_ptr<FileChooser> chooser = nullptr, QWidget* parent = nullptr);
    ~KillHistoryWindow() override;

    // Entries just recorded; those the day files hold as well are shown once.
    void follow(const QList<KillLogEntry>& entries);

    // The days up to today that are shown; 0 shows every day.
    void chooseRange(int days);
    void exportShown();

protected:
    // Escape closes it, as it closes the About window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void takeDayFiles(std::vector<KillHistory::DayFile> files, bool isDone);
    // The chart, the totals and the lines above the list, for the rows shown now.
    void showSummary();
    void showFilterResult();

    std::shared_ptr<FileSystem> files_;
    QString logsDir_;
    std::shared_ptr<FileChooser> chooser_;
    bool isReading_ = true;
    KillHistoryModel* model_;
    ProcessTotalsModel* totals_;
    QSortFilterProxyModel* sortedTotals_;

    QLineEdit* searchField_;
    SegmentedControl* ranges_;
    FlatButton* exportBtn_;
    QLabel* statusLabel_;
    QLabel* damagedLabel_;
    AttemptsChart* chart_;
    QTableView* entriesTable_;
    QTableView* totalsTable_;
    // While files come in, the summary is brought up to date a few times a second, not per file.
    QTimer summaryTimer_;
    // Last: it ends, and stops handing over files, before the models go.
    std::unique_ptr<KillHistoryReader> reader_;
};
