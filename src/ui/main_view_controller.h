#pragma once

#include "process_monitor.h"
#include "target_process.h"
#include "user_process.h"

#include <QList>
#include <QTimer>
#include <QWidget>
#include <memory>

class FooterBar;
class HeaderBar;
class InputBar;
class LogPane;
class PaneSplitter;
class TablesPane;

// The content of the main window. Owns its monitor, shows its published state and turns the
// user's actions into the monitor's operations.
class MainViewController : public QWidget {
    Q_OBJECT
public:
    static constexpr int rootWidth = 520;
    static constexpr int rootHeight = 560;
    static constexpr double defaultInterval = 5.0;
    static constexpr int selfMemoryPeriodMs = 5000;

    explicit MainViewController(MonitorServices services = MonitorServices::system(),
                                QWidget* parent = nullptr);
    ~MainViewController() override;

    ProcessMonitor& monitor() const { return *monitor_; }

    HeaderBar* headerBar() const { return headerBar_; }
    InputBar* inputBar() const { return inputBar_; }
    PaneSplitter* splitView() const { return splitView_; }
    TablesPane* tablesPane() const { return tablesPane_; }
    LogPane* logPane() const { return logPane_; }
    FooterBar* footerBar() const { return footerBar_; }

    MatchMode matchMode() const { return matchMode_; }
    bool isBrowseMode() const { return isBrowseMode_; }
    double selectedInterval() const { return selectedInterval_; }
    const QList<UserProcess>& filteredProcesses() const { return filteredProcesses_; }

    void toggleMonitoring();
    void intervalTapped(int seconds);
    void cleanSelfMemory();
    void addProcess();
    void toggleMatchMode();
    void switchToTargets();
    void switchToBrowse();
    void clearAllLogs();

private:
    void buildLayout();
    void bindMonitor();
    void connectActions();
    void setUpTables();

    void showTargets(const QList<TargetProcess>& targets);
    void showKillLog(const QList<KillLogEntry>& killLog);
    void showMonitoringState(bool isMonitoring);
    void updateFilteredProcesses();

    std::unique_ptr<ProcessMonitor> monitor_;
    MatchMode matchMode_ = MatchMode::fuzzy;
    bool isBrowseMode_ = false;
    double selectedInterval_ = defaultInterval;
    QList<UserProcess> filteredProcesses_;

    HeaderBar* headerBar_;
    InputBar* inputBar_;
    PaneSplitter* splitView_;
    TablesPane* tablesPane_;
    LogPane* logPane_;
    FooterBar* footerBar_;
    QTimer selfMemoryTimer_;
};
