#include "ui/widgets/flat_button.h"

#include "ui/widgets/focus_ring.h"
#include "ui/widgets/plate.h"

#include <QPainter>

namespace {
constexpr int verticalPadding = 4;
} // namespace

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
    paintPlate(painter, rect(), look_.background, look_.cornerRadius, look_.border);
    // A press darkens whatever is under it, plate or not, so every button answers the same way.
    if (isDown())
        paintPlate(painter, rect(), QColor(0, 0, 0, 60), look_.cornerRadius);
    painter.setRenderHint(QPainter::Antialiasing);

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
