#include "ui/target_row.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/badge_label.h"
#include "ui/widgets/eliding_label.h"
#include "ui/widgets/focus_ring.h"
#include "ui/widgets/glyph_button.h"
#include "ui/widgets/row_geometry.h"
#include "ui/widgets/row_style.h"
#include "ui/widgets/toggle_switch.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int sideMargin = 12;
constexpr int iconWidth = 20;
constexpr int modeWidth = 50;
constexpr int modeHeight = 16;
constexpr int deleteWidth = 24;
constexpr int deleteHeight = 22;

} // namespace

TargetRow::TargetRow(const QString& identifier, QWidget* parent)
    : QWidget(parent), iconLabel_(new QLabel(this)), nameLabel_(new ElidingLabel(this)),
      modeLabel_(new BadgeLabel(4, this)), toggle_(new ToggleSwitch(this)),
      deleteBtn_(new GlyphButton(this)) {
    setObjectName(identifier);
    RowStyle::setUpRow(this);

    iconLabel_->setText(QStringLiteral("\u2699\uFE0F"));
    iconLabel_->setFont(Theme::emojiFont(14));

    nameLabel_->setFont(Theme::systemFont(13, QFont::Medium));
    RowStyle::setTextColor(nameLabel_, Theme::textPrimary);

    modeLabel_->setFont(Theme::systemFont(10, QFont::Medium));

    // The keyboard lands on the switch: Space flips it, Delete removes the entry.
    setFocusProxy(toggle_);
    connect(toggle_, &ToggleSwitch::clicked, this, [this] { Q_EMIT toggleClicked(targetId_); });

    deleteBtn_->setGlyph(QStringLiteral("\u2715"), Theme::textTertiary,
                         Theme::systemFont(12, QFont::Medium));
    connect(deleteBtn_, &QPushButton::clicked, this, [this] { Q_EMIT deleteClicked(targetId_); });
}

void TargetRow::setTarget(const TargetProcess& target) {
    targetId_ = target.id;
    nameLabel_->setText(target.name);
    toggle_->setChecked(target.isEnabled);
    const bool exact = target.matchMode == MatchMode::exact;
    const QColor& badgeColor = exact ? Theme::accent : Theme::orange;
    modeLabel_->setText(exact ? QStringLiteral("=Exact") : QStringLiteral("~Fuzzy"));
    modeLabel_->setColors(badgeColor, Theme::withAlpha(badgeColor, 0.15));
    modeLabel_->setAccessibleName(localizedText(exact ? "a11y_exact" : "a11y_fuzzy"));
    modeLabel_->setToolTip(localizedText(exact ? "tip_exact" : "tip_fuzzy"));
    toggle_->setAccessibleName(localizedText("a11y_enabled", target.name));
    deleteBtn_->setAccessibleName(localizedText("a11y_remove", target.name));
}

void TargetRow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        Q_EMIT deleteClicked(targetId_);
    else
        QWidget::keyPressEvent(event);
}

void TargetRow::paintEvent(QPaintEvent*) {
    RowStyle::paintRow(this);
}

void TargetRow::resizeEvent(QResizeEvent*) {
    layOutContents();
}

void TargetRow::layOutContents() {
    using RowGeometry::place;
    const int h = height();

    const int deleteX = width() - sideMargin - deleteWidth;
    place(deleteBtn_, deleteX, deleteWidth, deleteHeight, h);

    const QSize toggleSize = toggle_->sizeHint();
    const int toggleX = deleteX - 8 - toggleSize.width();
    place(toggle_, toggleX, toggleSize.width(), toggleSize.height(), h);

    const int modeX = toggleX - 8 - modeWidth;
    place(modeLabel_, modeX, modeWidth, modeHeight, h);

    place(iconLabel_, sideMargin, iconWidth, h);

    const int nameX = sideMargin + iconWidth + 6;
    place(nameLabel_, nameX, modeX - 8 - nameX, h);
}
