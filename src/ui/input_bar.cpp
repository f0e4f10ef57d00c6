#include "ui/input_bar.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/label_style.h"
#include "ui/widgets/plate.h"
#include "ui/widgets/segmented_control.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
// Both groups share one slot as wide as the filter buttons need, so switching tabs never moves
// the input box.
constexpr int rightGroupWidth = 130;

FlatButtonLook filterLook() {
    FlatButtonLook look = choiceLook(Theme::systemFont(10, QFont::Medium));
    look.horizontalPadding = 0;
    return look;
}
} // namespace

const QList<InputBar::BrowseFilter>& InputBar::browseFilters() {
    static const QList<BrowseFilter> list = {
        {QStringLiteral("ALL"), QStringLiteral("all"), "a11y_filter_all", nullptr},
        {QStringLiteral("SYS"), QStringLiteral("sys"), "a11y_filter_system", "tip_origin_system"},
        {QStringLiteral("3RD"), QStringLiteral("3rd"), "a11y_filter_own", "tip_origin_own"},
    };
    return list;
}

void styleMatchModeButton(FlatButton& button, bool fuzzy) {
    const QColor& color = fuzzy ? Theme::orange : Theme::accent;
    FlatButtonLook look;
    look.background = Theme::withAlpha(color, 0.1);
    look.border = color;
    look.text = color;
    look.font = Theme::systemFont(10, QFont::Medium);
    look.cornerRadius = 6;
    button.setLook(fuzzy ? QStringLiteral("~Fuzzy") : QStringLiteral("=Exact"), look);
    button.setAccessibleName(localizedText(fuzzy ? "a11y_fuzzy" : "a11y_exact"));
    button.setToolTip(localizedText(fuzzy ? "tip_fuzzy" : "tip_exact"));
}

InputBar::InputBar(QWidget* parent)
    : QWidget(parent), inputBox_(new Plate(Theme::surface, 8, this)),
      inputField_(new QLineEdit(inputBox_)), procCountLabel_(new QLabel(inputBox_)),
      rightTargetsGroup_(new QWidget(this)), rightBrowseGroup_(new QWidget(this)),
      matchModeBtn_(new FlatButton(rightTargetsGroup_)),
      addBtn_(new FlatButton(rightTargetsGroup_)),
      filters_(new SegmentedControl(filterLook(), rightBrowseGroup_)) {
    setFixedHeight(bandHeight);

    inputBox_->setObjectName(QStringLiteral("inputBox"));
    inputBox_->setBorderColor(Theme::border);
    inputBox_->setFixedHeight(28);
    inputBox_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    inputField_->setObjectName(QStringLiteral("inputField"));
    inputField_->setFrame(false);
    inputField_->setFont(Theme::systemFont(12));
    QPalette fieldPalette = inputField_->palette();
    fieldPalette.setColor(QPalette::Base, Qt::transparent);
    fieldPalette.setColor(QPalette::Text, Qt::white);
    inputField_->setPalette(fieldPalette);
    inputField_->installEventFilter(this);
    setPlaceholder(localizedText("input_placeholder"));

    procCountLabel_->setObjectName(QStringLiteral("procCountLabel"));
    styleLabel(*procCountLabel_, Theme::monospacedFont(10), Theme::textMuted);
    procCountLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    procCountLabel_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    procCountLabel_->hide();

    auto* box = new QHBoxLayout(inputBox_);
    box->setContentsMargins(10, 0, 10, 0);
    box->setSpacing(4);
    box->addWidget(inputField_, 1);
    box->addWidget(procCountLabel_);

    matchModeBtn_->setObjectName(QStringLiteral("matchModeBtn"));
    matchModeBtn_->setFixedSize(60, 26);
    styleMatchModeButton(*matchModeBtn_, true);

    addBtn_->setObjectName(QStringLiteral("addBtn"));
    addBtn_->setFixedSize(60, 26);
    FlatButtonLook addLook;
    addLook.background = Theme::accent;
    addLook.font = Theme::systemFont(11, QFont::DemiBold);
    addLook.cornerRadius = 6;
    addBtn_->setLook(localizedText("add_button"), addLook);

    rightTargetsGroup_->setObjectName(QStringLiteral("rightTargetsGroup"));
    rightTargetsGroup_->setFixedSize(rightGroupWidth, 34);
    auto* targetsGroup = new QHBoxLayout(rightTargetsGroup_);
    targetsGroup->setContentsMargins(0, 0, 0, 0);
    targetsGroup->setSpacing(6);
    targetsGroup->addStretch();
    targetsGroup->addWidget(matchModeBtn_);
    targetsGroup->addWidget(addBtn_);

    rightBrowseGroup_->setObjectName(QStringLiteral("rightBrowseGroup"));
    rightBrowseGroup_->setFixedSize(rightGroupWidth, 34);
    rightBrowseGroup_->hide();
    auto* filterStack = new QHBoxLayout(rightBrowseGroup_);
    filterStack->setContentsMargins(0, 0, 0, 0);
    filterStack->setSpacing(4);
    filterStack->addStretch();
    filters_->layout()->setSpacing(4);
    for (qsizetype i = 0; i < browseFilters().size(); ++i) {
        const BrowseFilter& filter = browseFilters()[i];
        FlatButton* button = filters_->addSegment(int(i), filter.title);
        button->setObjectName(QStringLiteral("%1FilterBtn").arg(filter.identifier));
        button->setFixedSize(38, 26);
        button->setAccessibleName(localizedText(filter.nameKey));
        if (filter.tipKey)
            button->setToolTip(localizedText(filter.tipKey));
    }
    filterStack->addWidget(filters_);
    selectFilter(QStringLiteral("all"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    row->setSpacing(8);
    row->addWidget(inputBox_, 1);
    row->addWidget(rightTargetsGroup_);
    row->addWidget(rightBrowseGroup_);
}

QList<FlatButton*> InputBar::filterBtns() const {
    return filters_->segments();
}

void InputBar::selectFilter(const QString& identifier) {
    for (qsizetype i = 0; i < browseFilters().size(); ++i) {
        if (browseFilters()[i].identifier == identifier)
            filters_->choose(int(i));
    }
}

void InputBar::setPlaceholder(const QString& text) {
    QPalette palette = inputField_->palette();
    palette.setColor(QPalette::PlaceholderText, Theme::textTertiary);
    inputField_->setPalette(palette);
    inputField_->setPlaceholderText(text);
    inputField_->setAccessibleName(text);
}

// The box's outline shows where typing goes.
bool InputBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == inputField_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        inputBox_->setBorderColor(event->type() == QEvent::FocusIn ? Theme::accent : Theme::border);
    return QWidget::eventFilter(watched, event);
}
