#include "ui/kill_history_window.h"

#include "engine/i18n/console_line.h"
#include "engine/i18n/text_format.h"
#include "engine/storage/kill_history_reader.h"
#include "engine/storage/kill_log_store.h"
#include "ui/attempts_chart.h"
#include "ui/dialog_file_chooser.h"
#include "ui/kill_history_model.h"
#include "ui/localized_text.h"
#include "ui/process_totals_model.h"
#include "ui/theme.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/label_style.h"
#include "ui/widgets/segmented_control.h"
#include "ui/widgets/text_cell_delegate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int rowHeight = 26;
constexpr int summaryPeriodMs = 100;
// The range buttons in display order: the number of days up to today, 0 for every day.
constexpr int rangeDays[] = {1, 7, 30, 0};

const char* rangeKey(int days) {
    switch (days) {
    case 1:
        return "history_today";
    case 7:
        return "history_7_days";
    case 30:
        return "history_30_days";
    default:
        return "history_all";
    }
}

// A long list that only ever lays out the rows on screen, each cell's text once: fixed row
// heights, no grid, no row numbers, and Tab leaves it instead of walking its cells.
QTableView* makeTable(QAbstractItemModel* model, const char* nameKey, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->setItemDelegate(new TextCellDelegate(table));
    table->setAccessibleName(localizedText(nameKey));
    table->setShowGrid(false);
    table->setAlternatingRowColors(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->setFrameShape(QFrame::NoFrame);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->horizontalHeader()->setFont(Theme::systemFont(11, QFont::DemiBold));
    QPalette palette = table->palette();
    palette.setColor(QPalette::Base, Theme::background);
    palette.setColor(QPalette::AlternateBase, Theme::rowBackground);
    palette.setColor(QPalette::Highlight, Theme::withAlpha(Theme::accent, 0.35));
    palette.setColor(QPalette::HighlightedText, Theme::textPrimary);
    palette.setColor(QPalette::Button, Theme::panel);
    palette.setColor(QPalette::ButtonText, Theme::textSecondary);
    table->setPalette(palette);
    return table;
}

int textWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text) + 16;
}
} // namespace

KillHistoryWindow::KillHistoryWindow(std::shared_ptr<FileSystem> files, QString logsDir,
                                     std::shared_ptr<FileChooser> chooser, QWidget* parent)
    : QWidget(parent, Qt::Window), files_(std::move(files)), logsDir_(std::move(logsDir)),
      chooser_(chooser ? std::move(chooser) : std::make_shared<DialogFileChooser>(this)),
      model_(new KillHistoryModel(this)), totals_(new ProcessTotalsModel(this)),
      sortedTotals_(new QSortFilterProxyModel(this)), searchField_(new QLineEdit(this)),
      ranges_(new SegmentedControl(choiceLook(Theme::systemFont(11, QFont::Medium)), this)),
      exportBtn_(new FlatButton(this)), statusLabel_(new QLabel(this)),
      damagedLabel_(new QLabel(this)), chart_(new AttemptsChart(this)),
      entriesTable_(makeTable(model_, "history_entries", this)),
      totalsTable_(makeTable(sortedTotals_, "history_totals", this)) {
    setObjectName(QStringLiteral("killHistoryWindow"));
    setWindowTitle(localizedText("history_title"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Theme::background);
    setPalette(background);
    // As large as designed where the screen holds it; on a smaller screen, as large as it allows.
    const QSize available = screen() ? screen()->availableGeometry().size() : QSize(1100, 660);
    setMinimumSize(QSize(640, 420).boundedTo(available));
    resize(QSize(1100, 660).boundedTo(available));

    sortedTotals_->setSourceModel(totals_);
    sortedTotals_->setSortRole(Qt::UserRole);
    buildLayout();

    connect(searchField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->setSearch(text);
        showFilterResult();
    });
    connect(ranges_, &SegmentedControl::clicked, this, &KillHistoryWindow::chooseRange);
    connect(exportBtn_, &QPushButton::clicked, this, &KillHistoryWindow::exportShown);
    // A process's totals lead to its entries.
    connect(totalsTable_, &QTableView::activated, this, [this](const QModelIndex& index) {
        searchField_->setText(index.siblingAtColumn(ProcessTotalsModel::processColumn)
                                  .data(Qt::DisplayRole)
                                  .toString());
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        searchField_->setFocus(Qt::ShortcutFocusReason);
        searchField_->selectAll();
    });

    summaryTimer_.setSingleShot(true);
    summaryTimer_.setInterval(summaryPeriodMs);
    connect(&summaryTimer_, &QTimer::timeout, this, &KillHistoryWindow::showSummary);
    connect(model_, &KillHistoryModel::shownRowsChanged, this, [this] {
        if (!summaryTimer_.isActive())
            summaryTimer_.start();
    });
    showSummary();
    // Typing a name is the first thing to do, as in the main window.
    searchField_->setFocus(Qt::OtherFocusReason);

    reader_ = std::make_unique<KillHistoryReader>(
        files_, logsDir_, [this](std::vector<KillHistory::DayFile> read, bool isDone) {
            takeDayFiles(std::move(read), isDone);
        });
}

KillHistoryWindow::~KillHistoryWindow() = default;

void KillHistoryWindow::buildLayout() {
    searchField_->setObjectName(QStringLiteral("historySearch"));
    searchField_->setPlaceholderText(localizedText("history_search"));
    searchField_->setAccessibleName(localizedText("history_search"));
    searchField_->setClearButtonEnabled(true);
    searchField_->setFont(Theme::systemFont(12));
    searchField_->setMinimumWidth(220);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(6);
    controls->addWidget(searchField_, 1);
    controls->addSpacing(8);
    ranges_->layout()->setSpacing(6);
    // One stop for the group, at the range chosen; the arrow keys choose another.
    ranges_->setSingleTabStop();
    for (int days : rangeDays) {
        FlatButton* button = ranges_->addSegment(days, localizedText(rangeKey(days)));
        button->setObjectName(QStringLiteral("range%1Btn").arg(days));
        button->setFixedHeight(26);
    }
    // Every day at first.
    ranges_->choose(0);
    controls->addWidget(ranges_);
    controls->addSpacing(8);
    exportBtn_->setObjectName(QStringLiteral("historyExportBtn"));
    exportBtn_->setFixedHeight(26);
    FlatButtonLook exportLook;
    exportLook.background = Theme::panel;
    exportLook.border = Theme::border;
    exportLook.text = Theme::accent;
    exportLook.font = Theme::systemFont(11, QFont::Medium);
    exportLook.cornerRadius = 4;
    exportBtn_->setLook(localizedText("history_export"), exportLook);
    exportBtn_->setToolTip(localizedText("history_export_tip"));
    controls->addWidget(exportBtn_);

    statusLabel_->setObjectName(QStringLiteral("historyStatus"));
    styleLabel(*statusLabel_, Theme::systemFont(11), Theme::textTertiary);
    damagedLabel_->setObjectName(QStringLiteral("historyDamaged"));
    styleLabel(*damagedLabel_, Theme::systemFont(11), Theme::orange);
    damagedLabel_->setWordWrap(true);
    damagedLabel_->hide();
    chart_->setMinimumHeight(110);

    const QFont monospaced = Theme::monospacedFont(11);
    QHeaderView* entryColumns = entriesTable_->horizontalHeader();
    entryColumns->resizeSection(KillHistoryModel::timeColumn,
                                textWidth(monospaced, QStringLiteral("0000-00-00 00:00:00")));
    entryColumns->resizeSection(KillHistoryModel::outcomeColumn, 36);
    entryColumns->resizeSection(KillHistoryModel::processColumn, 130);
    entryColumns->resizeSection(KillHistoryModel::pidColumn,
                                textWidth(monospaced, QStringLiteral("4194304")));
    entryColumns->resizeSection(KillHistoryModel::memoryColumn,
                                textWidth(monospaced, QStringLiteral("1024.0 MB")));
    entryColumns->setStretchLastSection(true);
    entriesTable_->setObjectName(QStringLiteral("historyTable"));

    totalsTable_->setObjectName(QStringLiteral("totalsTable"));
    totalsTable_->setSortingEnabled(true);
    totalsTable_->sortByColumn(ProcessTotalsModel::attemptsColumn, Qt::DescendingOrder);
    QHeaderView* totalColumns = totalsTable_->horizontalHeader();
    totalColumns->setSectionResizeMode(QHeaderView::Interactive);
    totalColumns->resizeSection(ProcessTotalsModel::processColumn, 110);
    // Room for the title and the sort mark.
    for (int column : {ProcessTotalsModel::attemptsColumn, ProcessTotalsModel::endedColumn,
                       ProcessTotalsModel::failedColumn})
        totalColumns->resizeSection(
            column, textWidth(totalColumns->font(),
                              totals_->headerData(column, Qt::Horizontal).toString()) +
                        12);
    totalColumns->setStretchLastSection(true);

    auto* tables = new QSplitter(Qt::Horizontal, this);
    tables->setAccessibleName(localizedText("history_tables"));
    tables->setChildrenCollapsible(false);
    tables->addWidget(entriesTable_);
    tables->addWidget(totalsTable_);
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 1);
    tables->setSizes({600, 470});

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 16);
    column->setSpacing(8);
    column->addLayout(controls);
    column->addWidget(statusLabel_);
    column->addWidget(damagedLabel_);
    column->addWidget(chart_);
    column->addWidget(tables, 1);

    setTabOrder(searchField_, ranges_->segments().first());
    setTabOrder(ranges_->segments().last(), exportBtn_);
    setTabOrder(exportBtn_, chart_);
    setTabOrder(chart_, entriesTable_);
    setTabOrder(entriesTable_, totalsTable_);
}

void KillHistoryWindow::follow(const QList<KillLogEntry>& entries) {
    if (!entries.isEmpty())
        model_->follow(entries);
}

void KillHistoryWindow::chooseRange(int days) {
    ranges_->choose(days);
    model_->setFromDay(days > 0 ? QDate::currentDate().addDays(1 - days) : QDate());
    showFilterResult();
}

// The tables lay out their new rows now rather than after the next paint, which would paint
// them twice: once with the old scroll ranges, again with the new.
void KillHistoryWindow::showFilterResult() {
    showSummary();
    entriesTable_->doItemsLayout();
    totalsTable_->doItemsLayout();
}

void KillHistoryWindow::takeDayFiles(std::vector<KillHistory::DayFile> files, bool isDone) {
    model_->addDayFiles(std::move(files));
    if (isDone) {
        isReading_ = false;
        showSummary();
    }
}

void KillHistoryWindow::showSummary() {
    summaryTimer_.stop();
    const KillHistory& history = model_->history();
    const std::vector<quint32>& shown = model_->shownRows();
    HistorySummary summary = history.summary(model_->filter(), QDate::currentDate());
    chart_->setAttempts(std::move(summary.days));
    totals_->setTotals(std::move(summary.totals));
    exportBtn_->setEnabled(!shown.empty());

    const int count = int(shown.size());
    statusLabel_->setText(isReading_
                              ? localizedCount("history_reading", count)
                              : localizedCount("history_shown", count) + QStringLiteral(" · ") +
                                    localizedCount("history_files", history.dayFileCount()));
    const QStringList& damaged = history.damagedFiles();
    damagedLabel_->setVisible(!damaged.isEmpty());
    damagedLabel_->setText(formatted(localizedCount("history_damaged", int(damaged.size())),
                                     damaged.join(QStringLiteral(", "))));
}

void KillHistoryWindow::exportShown() {
    const std::vector<quint32>& shown = model_->shownRows();
    if (shown.empty())
        return;
    const KillHistory& history = model_->history();
    const auto dayOf = [&history](quint32 index) {
        return QDate::fromJulianDay(history.row(index).day).toString(u"yyyy-MM-dd");
    };
    const std::optional<QString> path = chooser_->chooseSaveLocation(
        localizedText("history_export_title"),
        QStringLiteral("kill-log-%1_%2.json").arg(dayOf(shown.back()), dayOf(shown.front())));
    if (!path)
        return;
    const Result<void> written =
        KillLogStore(*files_, logsDir_).exportTo(*path, model_->shownEntries());
    if (!written)
        printLine(QStringLiteral("Export failed: ") + written.error().reason);
}

void KillHistoryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
