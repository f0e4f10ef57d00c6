#pragma once

#include "engine/desktop/launch_at_login.h"
#include "engine/matching/target_process.h"
#include "engine/monitor/process_monitor.h"
#include "engine/process/user_process.h"
#include "engine/storage/file_chooser.h"
#include "ui/process_filter.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>
#include <QWidget>
#include <memory>

class FooterBar;
class HeaderBar;
class InputBar;
class LogPane;
class MatchPreviewLine;
class NoticeLine;
class PaneSplitter;
class QAction;
class SerialQueue;
class SettingsMenu;
class TablesPane;

// The content of the main window. Owns its monitor, shows its published state and turns the
// user's actions into the monitor's operations.
class MainView : public QWidget {
    Q_OBJECT
public:
    static constexpr int rootWidth = 520;
    static constexpr int rootHeight = 560;
    static constexpr double defaultInterval = 5.0;
    static constexpr int selfMemoryPeriodMs = 5000;
    // While an entry is typed, the user's processes are listed again at most this often.
    static constexpr int entrySnapshotPeriodMs = 2000;

    // The file actions ask the chooser for their files; without one they open dialogs.
    explicit MainView(MonitorServices services = MonitorServices::system(),
                      std::shared_ptr<FileChooser> fileChooser = nullptr,
                      QWidget* parent = nullptr);
    ~MainView() override;

    ProcessMonitor& monitor() const { return *monitor_; }

    void toggleMonitoring();
    void onIntervalClicked(int seconds);
    // What a start of the program does, unlike a new view after a language change: monitoring
    // begins at once, with the interval last chosen, if the user asked for that.
    void startMonitoringIfChosen();
    void cleanSelfMemory();
    void addProcess();
    void toggleMatchMode();
    void switchToTargets();
    void switchToBrowse();
    void onFilterClicked(const QString& identifier);

    void showSettingsMenu();
    void toggleLaunchAtLogin(QAction* item);
    void exportTargets();
    void importTargets();
    void changeLanguage(QAction* item);
    void exportAllLogs();
    void clearAllLogs();

Q_SIGNALS:
    // The interface language was chosen; the window puts a new controller in place of this one.
    void languageChanged();
    // The empty kill-log pane's link to every day's entries.
    void killHistoryRequested();

protected:
    // Tab and Shift+Tab go through the window in the order it reads: header, input bar, table,
    // log, footer. A table is one stop; the keyboard then works its rows.
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;

private:
    // The gear's menu, built afresh with the current marks and wired to the actions above.
    std::unique_ptr<SettingsMenu> makeSettingsMenu();
    QList<QWidget*> focusStops() const;
    void selectInterval(int seconds);
    void buildLayout();
    void bindMonitor();
    void connectActions();
    void setUpTables();

    void showTargets(const QList<TargetProcess>& targets);
    void showKillLog(const QList<KillLogEntry>& killLog);
    void showEarlierEntries();
    void showNotice(const Notice& notice);
    void showMonitoringState(bool isMonitoring);
    void showAllProcesses(const QList<UserProcess>& processes);
    void takeProcessFilter(std::shared_ptr<const ProcessFilter> filter);
    void searchEdited(const QString& text);
    // The typed entry without the blanks around it.
    QString typedEntry() const;
    void entryEdited();
    void showMatchPreview();
    void updateFilteredProcesses();
    bool isInWatchList(const QString& processName) const;
    void addFromBrowser(const QString& processName, bool isAdded);

    // The login item keeps its flag in the monitor's settings, taken before the monitor.
    std::shared_ptr<SettingsStore> settings_;
    LaunchAtLogin launchAtLogin_;
    std::unique_ptr<ProcessMonitor> monitor_;
    std::shared_ptr<FileChooser> fileChooser_;
    MatchMode matchMode_ = MatchMode::fuzzy;
    bool isBrowseMode_ = false;
    QString browseFilter_ = QStringLiteral("all");
    QString browseSearch_;
    std::shared_ptr<const ProcessFilter> processFilter_ = std::make_shared<const ProcessFilter>();
    // Counts snapshots, so that one prepared late never replaces a newer one.
    int snapshotCount_ = 0;
    std::unique_ptr<SerialQueue> browseQueue_;
    QList<UserProcess> filteredProcesses_;
    // Since the last snapshot of the user's processes was asked for while typing.
    QElapsedTimer entrySnapshotAge_;
    bool hasEntrySnapshot_ = false;

    HeaderBar* headerBar_;
    InputBar* inputBar_;
    PaneSplitter* splitView_;
    TablesPane* tablesPane_;
    LogPane* logPane_;
    FooterBar* footerBar_;
    MatchPreviewLine* matchPreviewLine_;
    NoticeLine* noticeLine_;
    QTimer selfMemoryTimer_;
};
