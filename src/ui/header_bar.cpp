#include "header_bar.h"

#include "flat_button.h"
#include "label_style.h"
#include "localized_text.h"
#include "plate.h"
#include "theme.h"

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
} // namespace

void styleTabButton(FlatButton& button, const QString& title, bool selected) {
    FlatButtonLook look;
    look.background = selected ? Theme::accent : QColor(Qt::transparent);
    look.text = selected ? QColor(Qt::white) : Theme::textSecondary;
    look.font = Theme::systemFont(11, QFont::DemiBold);
    look.cornerRadius = 5;
    look.horizontalPadding = 8;
    button.setLook(title, look);
    button.setChosen(selected);
}

HeaderBar::HeaderBar(QWidget* parent)
    : QWidget(parent), statusDot_(new Plate(Theme::textMuted, 4, this)),
      statusLabel_(new QLabel(localizedText("stopped"), this)), targetsTabBtn_(nullptr),
      browseTabBtn_(nullptr), toggleBtn_(new FlatButton(this)) {
    setFixedHeight(bandHeight);

    statusDot_->setObjectName(QStringLiteral("statusDot"));
    statusDot_->setFixedSize(8, 8);
    statusDot_->setAccessibleName(localizedText("a11y_status_off"));
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    styleLabel(*statusLabel_, Theme::systemFont(11, QFont::Medium), Theme::textMuted);

    // The tabs are 66 and 78 wide, or wider where the font needs it, and the container wraps
    // them.
    auto* tabContainer = new Plate(Theme::surface, 6, this);
    tabContainer->setFixedHeight(26);
    tabContainer->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    targetsTabBtn_ = new FlatButton(tabContainer);
    targetsTabBtn_->setObjectName(QStringLiteral("targetsTabBtn"));
    targetsTabBtn_->setMinimumSize(66, 22);
    browseTabBtn_ = new FlatButton(tabContainer);
    browseTabBtn_->setObjectName(QStringLiteral("browseTabBtn"));
    browseTabBtn_->setMinimumSize(78, 22);
    for (FlatButton* tab : {targetsTabBtn_, browseTabBtn_})
        tab->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* tabs = new QHBoxLayout(tabContainer);
    tabs->setContentsMargins(2, 2, 2, 2);
    tabs->setSpacing(2);
    tabs->addWidget(targetsTabBtn_);
    tabs->addWidget(browseTabBtn_);
    styleTabButton(*targetsTabBtn_, localizedText("targets_tab"), true);
    styleTabButton(*browseTabBtn_, localizedText("browse_all_tab"), false);

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
    row->addWidget(tabContainer);
    row->addSpacing(10);
    row->addWidget(separator);
    row->addSpacing(10);
    row->addWidget(toggleBtn_);
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
