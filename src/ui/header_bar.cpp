#include "ui/header_bar.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/label_style.h"
#include "ui/widgets/plate.h"
#include "ui/widgets/segmented_control.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {
void styleToggleButton(FlatButton& button, bool isMonitoring) {
    FlatButtonLook look;
    look.background = isMonitoring ? Theme::red : Theme::green;
    look.text = Qt::white;
    look.font = Theme::systemFont(12, QFont::DemiBold);
    look.cornerRadius = 6;
    button.setLook(localizedText(isMonitoring ? "stop" : "start"), look);
}

FlatButtonLook tabLook() {
    FlatButtonLook look;
    look.text = Theme::textSecondary;
    look.font = Theme::systemFont(11, QFont::DemiBold);
    look.cornerRadius = 5;
    look.horizontalPadding = 8;
    return look;
}
} // namespace

HeaderBar::HeaderBar(QWidget* parent)
    : QWidget(parent), statusDot_(new Plate(Theme::textMuted, 4, this)),
      statusLabel_(new QLabel(localizedText("stopped"), this)),
      tabs_(new SegmentedControl(tabLook(), this, Theme::surface, 6)),
      toggleBtn_(new FlatButton(this)) {
    setFixedHeight(bandHeight);

    statusDot_->setObjectName(QStringLiteral("statusDot"));
    statusDot_->setFixedSize(8, 8);
    statusDot_->setAccessibleName(localizedText("a11y_status_off"));
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    styleLabel(*statusLabel_, Theme::systemFont(11, QFont::Medium), Theme::textMuted);

    // The tabs are 66 and 78 wide, or wider where the font needs it, and the container wraps
    // them.
    tabs_->setFixedHeight(26);
    tabs_->layout()->setContentsMargins(2, 2, 2, 2);
    tabs_->layout()->setSpacing(2);
    FlatButton* targets = tabs_->addSegment(targetsTab, localizedText("targets_tab"));
    targets->setObjectName(QStringLiteral("targetsTabBtn"));
    targets->setMinimumSize(66, 22);
    FlatButton* browse = tabs_->addSegment(browseTab, localizedText("browse_all_tab"));
    browse->setObjectName(QStringLiteral("browseTabBtn"));
    browse->setMinimumSize(78, 22);
    for (FlatButton* tab : {targets, browse})
        tab->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    chooseTab(targetsTab);

    auto* separator = new Plate(Theme::border, 0, this);
    separator->setFixedSize(1, 16);

    toggleBtn_->setObjectName(QStringLiteral("toggleBtn"));
    toggleBtn_->setMinimumWidth(60);
    toggleBtn_->setFixedHeight(26);
    styleToggleButton(*toggleBtn_, false);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    row->setSpacing(0);
    row->addWidget(statusDot_);
    row->addSpacing(8);
    row->addWidget(statusLabel_);
    row->addStretch();
    row->addWidget(tabs_);
    row->addSpacing(10);
    row->addWidget(separator);
    row->addSpacing(10);
    row->addWidget(toggleBtn_);
}

FlatButton* HeaderBar::targetsTabBtn() const {
    return tabs_->segment(targetsTab);
}

FlatButton* HeaderBar::browseTabBtn() const {
    return tabs_->segment(browseTab);
}

void HeaderBar::chooseTab(Tab tab) {
    tabs_->choose(tab);
}

void HeaderBar::showMonitoringState(bool isMonitoring, const QString& statusText) {
    statusDot_->setColor(isMonitoring ? Theme::green : Theme::textMuted);
    statusDot_->setAccessibleName(
        localizedText(isMonitoring ? "a11y_status_on" : "a11y_status_off"));
    statusLabel_->setText(statusText);
    styleToggleButton(*toggleBtn_, isMonitoring);
}

void HeaderBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::panel);
    painter.fillRect(QRect(0, height() - 1, width(), 1), Theme::headerLine);
}
