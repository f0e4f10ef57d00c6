#include "ui/log_row.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/eliding_label.h"
#include "ui/widgets/focus_ring.h"
#include "ui/widgets/row_geometry.h"
#include "ui/widgets/row_style.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int sideMargin = 12;

// Every log row shows its time in this one 24-hour pattern, in local time.
const QString& timePattern() {
    static const QString pattern = QStringLiteral("HH:mm:ss");
    return pattern;
}

} // namespace

LogRow::LogRow(const QString& identifier, QWidget* parent)
    : QWidget(parent), timeLabel_(new QLabel(this)), statusLabel_(new QLabel(this)),
      msgLabel_(new ElidingLabel(this)), nameLabel_(new ElidingLabel(this)),
      pidLabel_(new QLabel(this)) {
    setObjectName(identifier);
    RowStyle::setUpRow(this);
    // Reached with the arrow keys, so that a screen reader reads the entry out.
    setFocusPolicy(Qt::TabFocus);
    for (QLabel* label : {timeLabel_, statusLabel_, pidLabel_})
        label->setTextFormat(Qt::PlainText);

    timeLabel_->setFont(Theme::monospacedFont(11));
    RowStyle::setTextColor(timeLabel_, Theme::textTertiary);

    statusLabel_->setFont(Theme::emojiFont(11));

    msgLabel_->setFont(Theme::systemFont(12));
    RowStyle::setTextColor(msgLabel_, Theme::logMessage);

    nameLabel_->setFont(Theme::systemFont(12, QFont::Medium));
    RowStyle::setTextColor(nameLabel_, Theme::textPrimary);

    pidLabel_->setFont(Theme::monospacedFont(11));
    RowStyle::setTextColor(pidLabel_, Theme::textTertiary);
}

void LogRow::setEntry(const KillLogEntry& entry) {
    timeLabel_->setText(entry.timestamp.toLocalTime().toString(timePattern()));
    statusLabel_->setText(entry.success ? QStringLiteral("\u2705")
                                        : QStringLiteral("\u26A0\uFE0F"));
    msgLabel_->setText(entry.message);
    nameLabel_->setText(entry.processName);
    pidLabel_->setText(QStringLiteral("PID ") + QString::number(entry.pid));
    statusLabel_->setAccessibleName(
        localizedText(entry.success ? "a11y_kill_ok" : "a11y_kill_failed"));
    setAccessibleName(QStringList{timeLabel_->text(), statusLabel_->accessibleName(), entry.message,
                                  entry.processName, pidLabel_->text()}
                          .join(u' '));
    layOutContents();
}

void LogRow::paintEvent(QPaintEvent*) {
    if (!showsFocusRing(*this))
        return;
    QPainter painter(this);
    paintFocusRing(painter, rect(), 8);
}

void LogRow::resizeEvent(QResizeEvent*) {
    layOutContents();
}

void LogRow::layOutContents() {
    using RowGeometry::place;
    using RowGeometry::preferredWidth;
    const int h = height();

    const int timeWidth = preferredWidth(timeLabel_);
    place(timeLabel_, sideMargin, timeWidth, h);

    const int statusX = sideMargin + timeWidth + 6;
    const int statusWidth = preferredWidth(statusLabel_);
    place(statusLabel_, statusX, statusWidth, h);

    const int pidWidth = preferredWidth(pidLabel_);
    const int pidX = width() - sideMargin - pidWidth;
    place(pidLabel_, pidX, pidWidth, h);

    // The message and the name share what is left; the name gives way first.
    const int msgX = statusX + statusWidth + 6;
    const int room = std::max(0, pidX - 8 - 4 - msgX);
    const int msgWidth = std::min(preferredWidth(msgLabel_), room);
    const int nameWidth = std::min(preferredWidth(nameLabel_), room - msgWidth);
    place(msgLabel_, msgX, msgWidth, h);
    place(nameLabel_, msgX + msgWidth + 4, nameWidth, h);
}
