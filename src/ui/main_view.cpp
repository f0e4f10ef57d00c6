#include "ui/main_view.h"

#include "engine/base/serial_queue.h"
#include "engine/i18n/lang.h"
#include "engine/matching/match_preview.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"
#include "ui/browse_row.h"
#include "ui/dialog_file_chooser.h"
#include "ui/footer_bar.h"
#include "ui/header_bar.h"
#include "ui/input_bar.h"
#include "ui/localized_text.h"
#include "ui/log_pane.h"
#include "ui/log_row.h"
#include "ui/match_preview_line.h"
#include "ui/notice_line.h"
#include "ui/notice_text.h"
#include "ui/settings_menu.h"
#include "ui/tables_pane.h"
#include "ui/target_row.h"
#include "ui/theme.h"
#include "ui/widgets/background_click_filter.h"
#include "ui/widgets/empty_state_label.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/menu_button.h"
#include "ui/widgets/pane_splitter.h"
#include "ui/widgets/plate.h"
#include "ui/widgets/row_table.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

MainView::MainView(MonitorServices services, std::shared_ptr<FileChooser> fileChooser,
                   QWidget* parent)
    : QWidget(parent), settings_(services.settings),
      launchAtLogin_(LaunchAtLogin::forThisUser(*settings_)),
      monitor_(std::make_unique<ProcessMonitor>(std::move(services))),
      fileChooser_(fileChooser ? std::move(fileChooser)
                               : std::make_shared<DialogFileChooser>(this)),
      headerBar_(new HeaderBar(this)), inputBar_(new InputBar(this)),
      splitView_(new PaneSplitter(this)), tablesPane_(new TablesPane(splitView_)),
      logPane_(new LogPane(splitView_)), footerBar_(new FooterBar(int(defaultInterval), this)),
      matchPreviewLine_(new MatchPreviewLine(this)), noticeLine_(new NoticeLine(this)) {
    setFixedSize(rootWidth, rootHeight);
    setAutoFillBackground(true);
    QPalette rootPalette = palette();
    rootPalette.setColor(QPalette::Window, Theme::background);
    setPalette(rootPalette);

    buildLayout();
    setUpTables();
    connectActions();
    bindMonitor();

    monitor_->updateSelfMemory();
    selfMemoryTimer_.setInterval(selfMemoryPeriodMs);
    connect(&selfMemoryTimer_, &QTimer::timeout, this, [this] { monitor_->updateSelfMemory(); });
    selfMemoryTimer_.start();

    // A child of this controller, like the views.
    new BackgroundClickFilter(this, inputBar_->inputField(), inputBar_->inputBox());
}

// Typing a name is the first thing to do: the field has the focus when the view shows.
void MainView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!focusWidget())
        inputBar_->inputField()->setFocus(Qt::OtherFocusReason);
}

MainView::~MainView() {
    // A snapshot being prepared finishes first; its result is dropped with this controller.
    browseQueue_.reset();
    // The monitor writes its last log entries as it goes; nothing it announces then may reach
    // views that are being torn down.
    selfMemoryTimer_.stop();
    monitor_->disconnect();
    monitor_.reset();
}

void MainView::buildLayout() {
    splitView_->setAccessibleName(localizedText("a11y_split"));
    splitView_->addPane(tablesPane_);
    splitView_->addPane(logPane_);

    auto* bands = new QVBoxLayout(this);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(headerBar_);
    bands->addWidget(inputBar_);
    bands->addWidget(splitView_, 1);
    bands->addWidget(footerBar_);

    // Over the foot of the log pane, clear of the footer: the bands keep their sizes.
    constexpr int noticeMargin = 8;
    noticeLine_->setGeometry(
        noticeMargin, rootHeight - FooterBar::bandHeight - NoticeLine::lineHeight - noticeMargin,
        rootWidth - 2 * noticeMargin, NoticeLine::lineHeight);
}

void MainView::setUpTables() {
    // The tables may ask for rows while the view is being destroyed; they then get none.
    const QPointer<MainView> self(this);

    tablesPane_->targetsTable()->setAccessibleName(localizedText("targets_tab"));
    tablesPane_->browseTable()->setAccessibleName(localizedText("browse_all_tab"));
    logPane_->logTable()->setAccessibleName(localizedText("kill_log"));
    tablesPane_->targetsTable()->setRowSource(
        [self] { return self ? int(self->monitor_->targets().size()) : 0; },
        [this](QWidget* viewport) {
            auto* row = new TargetRow(QStringLiteral("Target"), viewport);
            connect(row, &TargetRow::toggleClicked, monitor_.get(), &ProcessMonitor::toggleTarget);
            connect(row, &TargetRow::deleteClicked, monitor_.get(), &ProcessMonitor::removeTarget);
            return row;
        },
        [self](QWidget* row, int index) {
            if (self && index < self->monitor_->targets().size())
                static_cast<TargetRow*>(row)->setTarget(self->monitor_->targets().at(index));
        });

    tablesPane_->browseTable()->setRowSource(
        [self] { return self ? int(self->filteredProcesses_.size()) : 0; },
        [this](QWidget* viewport) {
            auto* row = new BrowseRow(QStringLiteral("Browse"), viewport);
            connect(row, &BrowseRow::addClicked, this, &MainView::addFromBrowser);
            return row;
        },
        [self](QWidget* row, int index) {
            if (!self || index >= self->filteredProcesses_.size())
                return;
            const UserProcess& process = self->filteredProcesses_.at(index);
            static_cast<BrowseRow*>(row)->setProcess(process, self->isInWatchList(process.name));
        });

    logPane_->logTable()->setRowSource(
        [self] { return self ? int(self->monitor_->killLog().size()) : 0; },
        [](QWidget* viewport) { return new LogRow(QStringLiteral("Log"), viewport); },
        [self](QWidget* row, int index) {
            if (self && index < self->monitor_->killLog().size())
                static_cast<LogRow*>(row)->setEntry(self->monitor_->killLog().at(index));
        });
}

void MainView::connectActions() {
    connect(headerBar_->toggleBtn(), &QPushButton::clicked, this, &MainView::toggleMonitoring);
    connect(headerBar_->targetsTabBtn(), &QPushButton::clicked, this, &MainView::switchToTargets);
    connect(headerBar_->browseTabBtn(), &QPushButton::clicked, this, &MainView::switchToBrowse);

    connect(inputBar_->matchModeBtn(), &QPushButton::clicked, this, &MainView::toggleMatchMode);
    connect(inputBar_->addBtn(), &QPushButton::clicked, this, &MainView::addProcess);
    connect(inputBar_->inputField(), &QLineEdit::returnPressed, this, [this] {
        if (!isBrowseMode_)
            addProcess();
    });
    connect(inputBar_->inputField(), &QLineEdit::textEdited, this, &MainView::searchEdited);
    connect(inputBar_->inputField(), &QLineEdit::textEdited, this, &MainView::entryEdited);
    const QList<FlatButton*>& filterBtns = inputBar_->filterBtns();
    for (qsizetype i = 0; i < filterBtns.size(); ++i) {
        const QString identifier = InputBar::browseFilters().at(i).identifier;
        connect(filterBtns[i], &QPushButton::clicked, this,
                [this, identifier] { onFilterClicked(identifier); });
    }

    connect(logPane_->cleanMemBtn(), &QPushButton::clicked, this, &MainView::cleanSelfMemory);
    connect(logPane_->historyLink(), &QPushButton::clicked, this, &MainView::killHistoryRequested);

    const QList<FlatButton*>& intervalBtns = footerBar_->intervalBtns();
    for (qsizetype i = 0; i < intervalBtns.size(); ++i) {
        const int seconds = FooterBar::intervals().at(i);
        connect(intervalBtns[i], &QPushButton::clicked, this,
                [this, seconds] { onIntervalClicked(seconds); });
    }
    connect(footerBar_->exportLogBtn(), &QPushButton::clicked, this, &MainView::exportAllLogs);
    connect(footerBar_->clearLogBtn(), &QPushButton::clicked, this, &MainView::clearAllLogs);
    connect(footerBar_->settingsBtn(), &QPushButton::clicked, this, &MainView::showSettingsMenu);
    connect(noticeLine_, &NoticeLine::actionClicked, this,
            [this] { monitor_->undoClearAllLogs(); });
}

void MainView::bindMonitor() {
    ProcessMonitor* monitor = monitor_.get();
    connect(monitor, &ProcessMonitor::targetsChanged, this, &MainView::showTargets);
    connect(monitor, &ProcessMonitor::killLogChanged, this, &MainView::showKillLog);
    connect(monitor, &ProcessMonitor::isMonitoringChanged, this, &MainView::showMonitoringState);
    connect(monitor, &ProcessMonitor::selfMemoryMBChanged, logPane_, &LogPane::showSelfMemory);
    connect(monitor, &ProcessMonitor::targetInfoChanged, this,
            [this] { tablesPane_->targetsTable()->reset(); });
    connect(monitor, &ProcessMonitor::allProcessesChanged, this, &MainView::showAllProcesses);
    connect(monitor, &ProcessMonitor::userProcessesChanged, this, [this] {
        hasEntrySnapshot_ = true;
        showMatchPreview();
    });
    connect(monitor, &ProcessMonitor::unsavedLogEntriesChanged, this,
            &MainView::showEarlierEntries);
    connect(monitor, &ProcessMonitor::hasEarlierEntriesChanged, this,
            &MainView::showEarlierEntries);
    connect(monitor, &ProcessMonitor::noticePosted, this, &MainView::showNotice);

    // Each subscription shows the current value at once, as later ones show every change.
    showTargets(monitor->targets());
    showKillLog(monitor->killLog());
    showMonitoringState(monitor->isMonitoring());
    logPane_->showSelfMemory(monitor->selfMemoryMB());
    showAllProcesses(monitor->allProcesses());
}

QList<QWidget*> MainView::focusStops() const {
    QList<QWidget*> stops = {headerBar_->targetsTabBtn(), headerBar_->browseTabBtn(),
                             headerBar_->toggleBtn(),     inputBar_->inputField(),
                             inputBar_->matchModeBtn(),   inputBar_->addBtn()};
    for (FlatButton* filter : inputBar_->filterBtns())
        stops.append(filter);
    stops << tablesPane_->targetsTable() << tablesPane_->browseTable() << logPane_->cleanMemBtn()
          << logPane_->logTable() << logPane_->historyLink() << noticeLine_->actionBtn()
          << noticeLine_->dismissBtn();
    for (FlatButton* interval : footerBar_->intervalBtns())
        stops.append(interval);
    stops << footerBar_->exportLogBtn() << footerBar_->clearLogBtn() << footerBar_->settingsBtn();
    return stops;
}

bool MainView::focusNextPrevChild(bool next) {
    const QList<QWidget*> stops = focusStops();
    const QWidget* focused = QApplication::focusWidget();
    const auto holdsFocus = [focused](const QWidget* stop) {
        return focused && (stop == focused || stop->isAncestorOf(focused));
    };
    const qsizetype count = stops.size();
    qsizetype at = std::find_if(stops.begin(), stops.end(), holdsFocus) - stops.begin();
    if (at == count && next)
        at = -1;
    for (qsizetype step = 1; step <= count; ++step) {
        QWidget* stop = stops[((at + (next ? step : -step)) % count + count) % count];
        const auto* table = qobject_cast<const RowTable*>(stop);
        // An empty table has nothing to work on; the stop is skipped.
        if (stop->isVisible() && stop->isEnabled() && (!table || table->rowCount() > 0)) {
            stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void MainView::showTargets(const QList<TargetProcess>& targets) {
    tablesPane_->targetsTable()->reset();
    // The browser covers the watch list; its empty text must not show through.
    tablesPane_->targetsEmpty()->setVisible(targets.isEmpty() && !isBrowseMode_);
}

void MainView::showKillLog(const QList<KillLogEntry>& killLog) {
    logPane_->logTable()->reset();
    logPane_->showEmpty(killLog.isEmpty());
    showEarlierEntries();
}

void MainView::showEarlierEntries() {
    logPane_->showEarlierEntries(monitor_->hasEarlierEntries(), monitor_->unsavedLogEntries());
}

// Only a clear that moved files to the trash can be undone, and only from its own notice.
void MainView::showNotice(const Notice& notice) {
    const bool canUndo = notice.kind == Notice::Kind::logsCleared && notice.count > 0;
    noticeLine_->showNotice(noticeText(notice), canUndo ? localizedText("notice_undo") : QString());
}

void MainView::showMonitoringState(bool isMonitoring) {
    if (!isMonitoring) {
        headerBar_->showMonitoringState(false, localizedText("stopped"));
        return;
    }
    const QList<TargetProcess>& targets = monitor_->targets();
    const auto enabled =
        std::count_if(targets.begin(), targets.end(),
                      [](const TargetProcess& target) { return target.isEnabled; });
    headerBar_->showMonitoringState(true, localizedCount("monitoring_count", int(enabled)));
}

void MainView::showAllProcesses(const QList<UserProcess>& processes) {
    const int snapshot = ++snapshotCount_;
    if (processes.isEmpty()) {
        takeProcessFilter(std::make_shared<const ProcessFilter>());
        return;
    }
    // Folding the texts once per snapshot keeps every keystroke of the search cheap, but for
    // thousands of processes it takes longer than a frame: it runs on a thread of its own, and
    // the rows of the last snapshot stay until it is done. The controller outlives the work:
    // its destructor waits for it.
    if (!browseQueue_)
        browseQueue_ = std::make_unique<SerialQueue>(QStringLiteral("Zentrav.browse"));
    browseQueue_->enqueue([this, snapshot, processes, locale = QLocale()] {
        auto filter = std::make_shared<const ProcessFilter>(processes, locale);
        QMetaObject::invokeMethod(
            this,
            [this, snapshot, filter = std::move(filter)]() mutable {
                if (snapshot == snapshotCount_)
                    takeProcessFilter(std::move(filter));
            },
            Qt::QueuedConnection);
    });
}

void MainView::takeProcessFilter(std::shared_ptr<const ProcessFilter> filter) {
    std::shared_ptr<const ProcessFilter> old = std::exchange(processFilter_, std::move(filter));
    updateFilteredProcesses();
    // Freeing thousands of texts takes a while too; the rows shown no longer hold any of them.
    if (browseQueue_)
        browseQueue_->enqueue([old = std::move(old)] {});
}

void MainView::searchEdited(const QString& text) {
    if (!isBrowseMode_)
        return;
    browseSearch_ = text;
    updateFilteredProcesses();
}

void MainView::updateFilteredProcesses() {
    filteredProcesses_ = processFilter_->filtered(browseFilter_, browseSearch_);
    inputBar_->procCountLabel()->setText(
        localizedCount("process_count", int(filteredProcesses_.size())));
    tablesPane_->browseTable()->reset();
}

bool MainView::isInWatchList(const QString& processName) const {
    const QList<TargetProcess>& targets = monitor_->targets();
    return std::any_of(targets.begin(), targets.end(),
                       [&](const TargetProcess& target) { return target.name == processName; });
}

void MainView::addFromBrowser(const QString& processName, bool isAdded) {
    if (isAdded)
        return;
    monitor_->addTarget(processName, MatchMode::fuzzy);
    tablesPane_->browseTable()->reset();
}

void MainView::toggleMonitoring() {
    if (monitor_->isMonitoring())
        monitor_->stopMonitoring();
    else
        monitor_->startMonitoring();
}

void MainView::onIntervalClicked(int seconds) {
    selectInterval(seconds);
    // Kept for the starts that begin monitoring at once.
    settings_->setValue(SettingsKeys::scanInterval, seconds);
}

void MainView::selectInterval(int seconds) {
    monitor_->setScanInterval(seconds);
    footerBar_->selectInterval(seconds);
}

void MainView::startMonitoringIfChosen() {
    if (!settings_->value(SettingsKeys::startMonitoringAtLaunch).toBool())
        return;
    const int stored = settings_->value(SettingsKeys::scanInterval).toInt();
    selectInterval(FooterBar::intervals().contains(stored) ? stored : int(defaultInterval));
    monitor_->startMonitoring();
}

void MainView::cleanSelfMemory() {
    monitor_->cleanMemory();
}

QString MainView::typedEntry() const {
    return typedEntryName(inputBar_->inputField()->text());
}

void MainView::addProcess() {
    const QString entry = typedEntry();
    if (entry.isEmpty())
        return;
    monitor_->addTarget(entry, matchMode_);
    inputBar_->inputField()->clear();
    showMatchPreview();
}

void MainView::toggleMatchMode() {
    matchMode_ = matchMode_ == MatchMode::exact ? MatchMode::fuzzy : MatchMode::exact;
    styleMatchModeButton(*inputBar_->matchModeBtn(), matchMode_ == MatchMode::fuzzy);
    showMatchPreview();
}

// The snapshot is taken on the scan thread: a keystroke only matches against the last one.
void MainView::entryEdited() {
    if (isBrowseMode_)
        return;
    if (!entrySnapshotAge_.isValid() || entrySnapshotAge_.hasExpired(entrySnapshotPeriodMs)) {
        entrySnapshotAge_.start();
        monitor_->refreshUserProcesses();
    }
    showMatchPreview();
}

void MainView::showMatchPreview() {
    QLineEdit* field = inputBar_->inputField();
    const QString entry = typedEntry();
    if (isBrowseMode_ || entry.isEmpty() || !hasEntrySnapshot_) {
        matchPreviewLine_->hide();
        field->setAccessibleDescription(QString());
        return;
    }
    matchPreviewLine_->setPreview(
        previewMatches(monitor_->userProcesses(), {QUuid(), entry, matchMode_, true}));
    // Under the input box, over the top of the pane below, as wide as the bar's content.
    const QWidget* box = inputBar_->inputBox();
    const QPoint topLeft = box->mapTo(this, QPoint(0, box->height() + 2));
    matchPreviewLine_->setGeometry(
        QRect(topLeft, QSize(inputBar_->width() - 2 * topLeft.x(), MatchPreviewLine::lineHeight)));
    matchPreviewLine_->show();
    matchPreviewLine_->raise();
    if (field->accessibleDescription() != matchPreviewLine_->text()) {
        field->setAccessibleDescription(matchPreviewLine_->text());
        QAccessibleEvent changed(field, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void MainView::switchToTargets() {
    isBrowseMode_ = false;
    headerBar_->chooseTab(HeaderBar::targetsTab);

    tablesPane_->targetsTable()->show();
    tablesPane_->targetsEmpty()->setVisible(monitor_->targets().isEmpty());
    tablesPane_->browseTable()->hide();

    inputBar_->rightTargetsGroup()->show();
    inputBar_->rightBrowseGroup()->hide();
    inputBar_->procCountLabel()->hide();
    inputBar_->inputField()->clear();
    inputBar_->setPlaceholder(localizedText("input_placeholder"));
    showMatchPreview();
}

void MainView::switchToBrowse() {
    isBrowseMode_ = true;
    headerBar_->chooseTab(HeaderBar::browseTab);

    tablesPane_->targetsTable()->hide();
    tablesPane_->targetsEmpty()->hide();
    tablesPane_->browseTable()->show();

    inputBar_->rightTargetsGroup()->hide();
    inputBar_->rightBrowseGroup()->show();
    inputBar_->procCountLabel()->show();
    inputBar_->inputField()->setText(browseSearch_);
    inputBar_->setPlaceholder(localizedText("search_placeholder"));
    showMatchPreview();

    // The rows of the last snapshot stay until the new one arrives from the scan thread.
    monitor_->refreshAllProcesses();
}

void MainView::onFilterClicked(const QString& identifier) {
    browseFilter_ = identifier;
    inputBar_->selectFilter(browseFilter_);
    updateFilteredProcesses();
}

std::unique_ptr<SettingsMenu> MainView::makeSettingsMenu() {
    Lang& lang = Lang::instance();
    const SettingsMenu::Switches switches{
        .isLaunchAtLoginEnabled = launchAtLogin_.isLaunchAtLoginEnabled(),
        .isStartAtLaunchEnabled = settings_->value(SettingsKeys::startMonitoringAtLaunch).toBool(),
        .isNotifyEnabled = settings_->value(SettingsKeys::notifyWhenEnded).toBool()};
    auto menu = std::make_unique<SettingsMenu>(lang, switches, lang.currentCode());
    connect(menu.get(), &SettingsMenu::toggleLaunchAtLoginChosen, this,
            &MainView::toggleLaunchAtLogin);
    connect(menu.get(), &SettingsMenu::startAtLaunchChosen, this, [this](bool isOn) {
        settings_->setValue(SettingsKeys::startMonitoringAtLaunch, isOn);
    });
    connect(menu.get(), &SettingsMenu::notifyChosen, this,
            [this](bool isOn) { settings_->setValue(SettingsKeys::notifyWhenEnded, isOn); });
    connect(menu.get(), &SettingsMenu::exportTargetsChosen, this, &MainView::exportTargets);
    connect(menu.get(), &SettingsMenu::importTargetsChosen, this, &MainView::importTargets);
    connect(menu.get(), &SettingsMenu::languageChosen, this, &MainView::changeLanguage);
    return menu;
}

void MainView::showSettingsMenu() {
    makeSettingsMenu()->popUpBelow(*footerBar_->settingsBtn());
}

void MainView::toggleLaunchAtLogin(QAction* item) {
    launchAtLogin_.toggleLaunchAtLogin();
    // The mark shows what the system reports now, not what was asked for.
    item->setChecked(launchAtLogin_.isLaunchAtLoginEnabled());
}

void MainView::exportTargets() {
    monitor_->exportTargets(*fileChooser_);
}

void MainView::importTargets() {
    monitor_->importTargets(*fileChooser_);
    tablesPane_->targetsTable()->reset();
}

void MainView::changeLanguage(QAction* item) {
    const QVariant code = item->data();
    if (code.typeId() != QMetaType::QString)
        return;
    Lang::instance().setLanguage(code.toString());
    Q_EMIT languageChanged();
}

void MainView::exportAllLogs() {
    monitor_->exportAllLogs(*fileChooser_);
}

void MainView::clearAllLogs() {
    monitor_->clearAllLogs();
}
