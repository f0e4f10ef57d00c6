#include "ui/log_pane.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/configure_table.h"
#include "ui/widgets/empty_state_label.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/label_style.h"
#include "ui/widgets/row_table.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

LogPane::LogPane(QWidget* parent)
    : QWidget(parent), titleLabel_(new QLabel(localizedText("kill_log"), this)),
      selfMemLabel_(new QLabel(this)), cleanMemBtn_(new FlatButton(this)),
      logTable_(new RowTable(RowHeights::log, this)),
      logEmpty_(new EmptyStateLabel(localizedText("no_kills_yet"), 12, this)),
      historyLink_(new FlatButton(this)) {
    titleLabel_->setObjectName(QStringLiteral("killLogTitle"));
    styleLabel(*titleLabel_, Theme::systemFont(11, QFont::DemiBold), Theme::textTertiary);

    selfMemLabel_->setObjectName(QStringLiteral("selfMemLabel"));
    styleLabel(*selfMemLabel_, Theme::monospacedFont(10, QFont::Medium), Theme::orange);
    selfMemLabel_->setToolTip(localizedText("tip_self_memory"));

    cleanMemBtn_->setObjectName(QStringLiteral("cleanMemBtn"));
    FlatButtonLook cleanLook;
    cleanLook.text = Theme::accent;
    cleanLook.font = Theme::systemFont(10, QFont::Medium);
    cleanLook.cornerRadius = 4;
    cleanLook.horizontalPadding = 4;
    cleanMemBtn_->setLook(localizedText("clean_memory"), cleanLook);
    cleanMemBtn_->setToolTip(localizedText("tip_clean_memory"));
    // No taller than the title, so the title keeps its distance from the pane's top.
    cleanMemBtn_->setFixedHeight(titleLabel_->sizeHint().height());

    logTable_->setObjectName(QStringLiteral("logTable"));
    configureTable(*logTable_);
    logEmpty_->setObjectName(QStringLiteral("logEmpty"));
    historyLink_->setObjectName(QStringLiteral("historyLink"));
    FlatButtonLook linkLook;
    linkLook.text = Theme::accent;
    linkLook.font = Theme::systemFont(11);
    linkLook.horizontalPadding = 4;
    historyLink_->setLook(localizedText("history_link"), linkLook);
    historyLink_->setCursor(Qt::PointingHandCursor);

    // The clean button's padding is part of the 16 px margin on the right.
    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(16, 0, 16 - cleanLook.horizontalPadding, 0);
    titleRow->setSpacing(0);
    titleRow->addWidget(titleLabel_);
    titleRow->addStretch();
    titleRow->addWidget(selfMemLabel_);
    titleRow->addSpacing(6 - cleanLook.horizontalPadding);
    titleRow->addWidget(cleanMemBtn_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 10, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(titleRow);
    auto* tableRow = new QHBoxLayout;
    tableRow->setContentsMargins(tableSideInset, 0, tableSideInset, 0);
    tableRow->addWidget(logTable_);
    layout->addLayout(tableRow, 1);
}

void LogPane::showEmpty(bool isEmpty) {
    logEmpty_->setVisible(isEmpty);
    historyLink_->setVisible(isEmpty);
}

void LogPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeHistoryLink();
}

// Under the empty text, which places itself on a resize before this runs; centred again for a
// new text.
void LogPane::placeHistoryLink() {
    const QSize size = historyLink_->sizeHint();
    historyLink_->setGeometry((width() - size.width()) / 2, logEmpty_->geometry().bottom() + 4,
                              size.width(), size.height());
    historyLink_->raise();
}

void LogPane::showSelfMemory(double megabytes) {
    const QString figure = megabytes > 0 ? QString::asprintf("%.1f MB", megabytes) : QString();
    selfMemLabel_->setText(figure);
    selfMemLabel_->setAccessibleName(figure.isEmpty() ? QString()
                                                      : localizedText("a11y_self_memory", figure));
}

void LogPane::showEarlierEntries(bool hasEarlierEntries, qsizetype unsavedEntries) {
    if (unsavedEntries > 0)
        logEmpty_->setText(localizedCount("kill_log_unsaved", int(unsavedEntries)));
    else
        logEmpty_->setText(localizedText(hasEarlierEntries ? "kill_log_saved" : "no_kills_yet"));
    placeHistoryLink();
}
