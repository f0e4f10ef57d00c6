#include "ui/widgets/toggle_switch.h"

#include "ui/theme.h"

#include <QPainter>

namespace {

// The mini size of a desktop switch.
constexpr QSize miniSize{26, 15};
constexpr qreal knobInset = 1.5;

} // namespace

ToggleSwitch::ToggleSwitch(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const {
    return miniSize;
}

QSize ToggleSwitch::minimumSizeHint() const {
    return miniSize;
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (!isEnabled())
        painter.setOpacity(0.5);

    // Keep the switch at its own proportions even when a layout gives it more room.
    QSizeF size = miniSize;
    size.scale(QSizeF(rect().size()), Qt::KeepAspectRatio);
    QRectF track(QPointF(0, 0), size);
    track.moveCenter(QRectF(rect()).center());
    const qreal radius = track.height() / 2;

    QColor trackColor = isChecked() ? Theme::green : Theme::textMuted;
    if (isDown())
        trackColor = trackColor.darker(115);
    painter.setBrush(trackColor);
    painter.drawRoundedRect(track, radius, radius);

    const qreal knobDiameter = track.height() - 2 * knobInset;
    const qreal knobX =
        isChecked() ? track.right() - knobInset - knobDiameter : track.left() + knobInset;
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(knobX, track.top() + knobInset, knobDiameter, knobDiameter));
}
