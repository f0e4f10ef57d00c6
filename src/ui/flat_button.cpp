#include "flat_button.h"

#include "focus_ring.h"
#include "theme.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int verticalPadding = 4;
} // namespace

FlatButtonLook choiceLook(bool isChosen, const QFont& font) {
    FlatButtonLook look;
    look.background = isChosen ? Theme::accent : Theme::surface;
    look.text = isChosen ? QColor(Qt::white) : Theme::textSecondary;
    look.font = font;
    look.cornerRadius = 4;
    return look;
}

FlatButton::FlatButton(QWidget* parent) : QPushButton(parent) {
    // Reachable with Tab, but a click never moves the focus away from the input field.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TranslucentBackground);
}

void FlatButton::setLook(const QString& title, const FlatButtonLook& look) {
    look_ = look;
    setText(title);
    setFont(look.font);
    updateGeometry();
    update();
}

QSize FlatButton::sizeHint() const {
    const QFontMetrics metrics(look_.font);
    const QSize content =
        text().isEmpty() ? iconSize() : QSize(metrics.horizontalAdvance(text()), metrics.height());
    return content + QSize(2 * look_.horizontalPadding, 2 * verticalPadding);
}

QSize FlatButton::minimumSizeHint() const {
    return sizeHint();
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath plate;
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    plate.addRoundedRect(bounds, look_.cornerRadius, look_.cornerRadius);
    painter.fillPath(plate, look_.background);
    if (look_.border.alpha() > 0) {
        painter.setPen(QPen(look_.border, 1));
        painter.drawPath(plate);
    }
    // A press darkens whatever is under it, plate or not, so every button answers the same way.
    if (isDown())
        painter.fillPath(plate, QColor(0, 0, 0, 60));

    if (!icon().isNull()) {
        const QSize size = iconSize().boundedTo(this->size());
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2),
                           size);
        icon().paint(&painter, target, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
    }
    if (!text().isEmpty()) {
        painter.setFont(look_.font);
        painter.setPen(look_.text);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    }
    if (showsFocusRing(*this))
        paintFocusRing(painter, rect(), look_.cornerRadius);
}

void FlatButton::setChosen(bool isChosen) {
    setCheckable(true);
    setAutoExclusive(true);
    // A button of an exclusive group cannot be unchecked; checking another one unchecks it.
    if (isChosen)
        setChecked(true);
}
