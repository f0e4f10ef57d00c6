#include "ui/footer_bar.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/gear_icon.h"
#include "ui/widgets/label_style.h"
#include "ui/widgets/menu_button.h"
#include "ui/widgets/segmented_control.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {
constexpr int logButtonPadding = 4;

void styleLogButton(FlatButton& button, const QString& title, const QColor& tint) {
    FlatButtonLook look;
    look.text = tint;
    look.font = Theme::systemFont(11);
    look.cornerRadius = 4;
    look.horizontalPadding = logButtonPadding;
    button.setLook(title, look);
}
} // namespace

const QList<int>& FooterBar::intervals() {
    static const QList<int> list = {3, 5, 10, 30, 60};
    return list;
}

FooterBar::FooterBar(int selectedInterval, QWidget* parent)
    : QWidget(parent), caption_(new QLabel(localizedText("scan_every"), this)),
      intervals_(new SegmentedControl(choiceLook(Theme::monospacedFont(11, QFont::Medium)), this)),
      exportLogBtn_(new FlatButton(this)), clearLogBtn_(new FlatButton(this)),
      settingsBtn_(new MenuButton(this)) {
    setFixedHeight(bandHeight);

    caption_->setObjectName(QStringLiteral("scanEveryLabel"));
    styleLabel(*caption_, Theme::systemFont(11), Theme::textTertiary);

    intervals_->layout()->setSpacing(4);
    for (int seconds : intervals()) {
        FlatButton* button = intervals_->addSegment(seconds, QString::number(seconds) + u's');
        button->setObjectName(QStringLiteral("interval%1Btn").arg(seconds));
        button->setFixedSize(38, 22);
        button->setAccessibleName(localizedCount("a11y_interval", seconds));
    }
    selectInterval(selectedInterval);

    exportLogBtn_->setObjectName(QStringLiteral("exportLogBtn"));
    styleLogButton(*exportLogBtn_, localizedText("export_log"), Theme::green);
    clearLogBtn_->setObjectName(QStringLiteral("clearLogBtn"));
    styleLogButton(*clearLogBtn_, localizedText("clear_log"), Theme::accent);

    settingsBtn_->setObjectName(QStringLiteral("settingsBtn"));
    settingsBtn_->setAccessibleName(localizedText("settings_button"));
    settingsBtn_->setToolTip(localizedText("settings_button"));
    settingsBtn_->setFixedSize(24, 24);
    settingsBtn_->setIcon(gearIcon());
    settingsBtn_->setIconSize(QSize(gearIconSize, gearIconSize));
    FlatButtonLook gearLook;
    gearLook.cornerRadius = 4;
    settingsBtn_->setLook(QString(), gearLook);

    // The log buttons' titles keep 12 px between them and 10 px to the gear; the buttons' own
    // padding is part of that.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 12, 0);
    row->setSpacing(0);
    row->addWidget(caption_);
    row->addSpacing(8);
    row->addWidget(intervals_);
    row->addStretch();
    row->addWidget(exportLogBtn_);
    row->addSpacing(12 - 2 * logButtonPadding);
    row->addWidget(clearLogBtn_);
    row->addSpacing(10 - logButtonPadding);
    row->addWidget(settingsBtn_);
}

QList<FlatButton*> FooterBar::intervalBtns() const {
    return intervals_->segments();
}

void FooterBar::selectInterval(int seconds) {
    intervals_->choose(seconds);
}

void FooterBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), 1), Theme::border);
}
