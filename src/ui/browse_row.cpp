#include "ui/browse_row.h"

#include "engine/i18n/memory_format.h"
#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/eliding_label.h"
#include "ui/widgets/glyph_button.h"
#include "ui/widgets/plate.h"
#include "ui/widgets/row_geometry.h"
#include "ui/widgets/row_style.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

constexpr int sideMargin = 10;
constexpr QSize badgeSize{34, 18};
constexpr int memWidth = 58;
constexpr int minPidWidth = 55;
constexpr QSize addSize{22, 22};
constexpr int sessionMarkWidth = 18;

struct OriginLook {
    QString text;
    QColor textColor;
    QColor background;
    const char* nameKey;
    const char* tipKey;
};

OriginLook originLook(ProcessOrigin origin) {
    switch (origin) {
    case ProcessOrigin::system:
        return {QStringLiteral("SYS"), Theme::textSecondary,
                Theme::withAlpha(Theme::textSecondary, 0.2), "a11y_origin_system",
                "tip_origin_system"};
    case ProcessOrigin::thirdParty:
        return {QStringLiteral("3RD"), Theme::accent, Theme::withAlpha(Theme::accent, 0.15),
                "a11y_origin_own", "tip_origin_own"};
    case ProcessOrigin::unknown:
        break;
    }
    return {QStringLiteral("?"), Theme::textTertiary, Theme::withAlpha(Theme::textTertiary, 0.15),
            "a11y_origin_unknown", "a11y_origin_unknown"};
}

// Linux process ids run up to seven digits (pid_max is at most 4194304); the column is widened
// when the font needs it, so that a PID is never cut to a different number.
int pidColumnWidth(const QLabel* label) {
    return std::max(minPidWidth,
                    label->fontMetrics().horizontalAdvance(QStringLiteral("PID 0000000")));
}

QString displayName(const UserProcess& process) {
    if (process.localizedName && *process.localizedName != process.name)
        return *process.localizedName + QStringLiteral(" (") + process.name + u')';
    return process.name;
}

} // namespace

BrowseRow::BrowseRow(const QString& identifier, QWidget* parent)
    : QWidget(parent), badgeContainer_(new Plate(Qt::transparent, 4, this)),
      originBadge_(new QLabel(badgeContainer_)), nameLabel_(new ElidingLabel(this)),
      sessionMark_(new QLabel(QStringLiteral("\U0001F6E1"), this)), memLabel_(new QLabel(this)),
      pidLabel_(new QLabel(this)), addBtn_(new GlyphButton(this)) {
    setObjectName(identifier);
    RowStyle::setUpRow(this);

    badgeContainer_->resize(badgeSize);
    originBadge_->setTextFormat(Qt::PlainText);
    originBadge_->setFont(Theme::systemFont(9, QFont::DemiBold));
    originBadge_->setAlignment(Qt::AlignCenter);

    nameLabel_->setFont(Theme::systemFont(12, QFont::Medium));
    RowStyle::setTextColor(nameLabel_, Theme::textPrimary);

    sessionMark_->setFont(Theme::emojiFont(12));
    sessionMark_->setAlignment(Qt::AlignCenter);
    sessionMark_->setToolTip(localizedText("tip_session_process"));
    sessionMark_->setAccessibleName(sessionMark_->toolTip());
    sessionMark_->hide();

    memLabel_->setTextFormat(Qt::PlainText);
    memLabel_->setFont(Theme::monospacedFont(10));
    memLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    RowStyle::setTextColor(memLabel_, Theme::textTertiary);

    pidLabel_->setTextFormat(Qt::PlainText);
    pidLabel_->setFont(Theme::monospacedFont(10));
    RowStyle::setTextColor(pidLabel_, Theme::textMuted);

    // The keyboard lands on the add button: Space, Return or "+" adds.
    setFocusProxy(addBtn_);
    connect(addBtn_, &QPushButton::clicked, this, [this] { Q_EMIT addClicked(name_, isAdded_); });
}

void BrowseRow::setProcess(const UserProcess& process, bool isAdded) {
    name_ = process.name;
    isAdded_ = isAdded;
    nameLabel_->setText(displayName(process));
    memLabel_->setText(formatMemoryKB(process.memoryKB));
    memLabel_->setAccessibleName(localizedText("a11y_memory", memLabel_->text()));
    pidLabel_->setText(QStringLiteral("PID ") + QString::number(process.pid));

    const OriginLook look = originLook(process.origin);
    originBadge_->setText(look.text);
    RowStyle::setTextColor(originBadge_, look.textColor);
    badgeContainer_->setColor(look.background);
    originBadge_->setAccessibleName(localizedText(look.nameKey));
    originBadge_->setToolTip(localizedText(look.tipKey));

    if (isAdded)
        addBtn_->setGlyph(QStringLiteral("\u2713"), Theme::green,
                          Theme::systemFont(14, QFont::Medium));
    else
        addBtn_->setGlyph(QStringLiteral("+"), Theme::textTertiary, Theme::systemFont(16));
    addBtn_->setAccessibleName(
        localizedText(isAdded ? "a11y_watched" : "a11y_watch", process.name));

    // Where the keyboard lands, a screen reader hears it too.
    sessionMark_->setVisible(process.isSessionProcess);
    addBtn_->setAccessibleDescription(process.isSessionProcess ? sessionMark_->toolTip()
                                                               : QString());
    layOutContents();
}

void BrowseRow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Plus)
        Q_EMIT addClicked(name_, isAdded_);
    else
        QWidget::keyPressEvent(event);
}

void BrowseRow::paintEvent(QPaintEvent*) {
    RowStyle::paintRow(this);
}

void BrowseRow::resizeEvent(QResizeEvent*) {
    layOutContents();
}

void BrowseRow::layOutContents() {
    using RowGeometry::place;
    const int h = height();

    place(badgeContainer_, sideMargin, badgeSize.width(), badgeSize.height(), h);
    place(originBadge_, 0, badgeSize.width(), badgeSize.height());

    const int addX = width() - sideMargin - addSize.width();
    place(addBtn_, addX, addSize.width(), addSize.height(), h);

    const int pidWidth = pidColumnWidth(pidLabel_);
    const int pidX = addX - 8 - pidWidth;
    place(pidLabel_, pidX, pidWidth, h);

    const int memX = pidX - 8 - memWidth;
    place(memLabel_, memX, memWidth, h);

    int nameEnd = memX - 6;
    if (!sessionMark_->isHidden()) {
        nameEnd -= sessionMarkWidth;
        place(sessionMark_, nameEnd, sessionMarkWidth, h);
    }
    const int nameX = sideMargin + badgeSize.width() + 8;
    place(nameLabel_, nameX, nameEnd - nameX, h);
}
