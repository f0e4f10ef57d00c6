#include "ui/notice_line.h"

#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/eliding_label.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/label_style.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPropertyAnimation>

namespace {
constexpr int shownMs = 6000;
// An offer to undo stays longer: it takes a moment to see what one did.
constexpr int shownWithActionMs = 12000;
constexpr int recheckMs = 1500;
constexpr int fadeMs = 400;

QAccessibleInterface* makeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("NoticeLine") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

void styleButton(FlatButton& button, const QString& title, const QColor& color) {
    FlatButtonLook look;
    look.text = color;
    look.font = Theme::systemFont(11, QFont::Medium);
    look.cornerRadius = 4;
    look.horizontalPadding = 6;
    button.setLook(title, look);
}
} // namespace

NoticeLine::NoticeLine(QWidget* parent)
    : Plate(Theme::panel, 6, parent), textLabel_(new ElidingLabel(this)),
      actionBtn_(new FlatButton(this)), dismissBtn_(new FlatButton(this)),
      opacity_(new QGraphicsOpacityEffect(this)),
      fade_(new QPropertyAnimation(opacity_, "opacity", this)) {
    static const bool isFactoryInstalled = [] {
        QAccessible::installFactory(&makeAccessible);
        return true;
    }();
    Q_UNUSED(isFactoryInstalled);
    setObjectName(QStringLiteral("noticeLine"));
    setBorderColor(Theme::border);
    setFixedHeight(lineHeight);
    setGraphicsEffect(opacity_);

    styleLabel(*textLabel_, Theme::systemFont(11), Theme::textPrimary);
    actionBtn_->setObjectName(QStringLiteral("noticeActionBtn"));
    dismissBtn_->setObjectName(QStringLiteral("noticeDismissBtn"));
    styleButton(*dismissBtn_, QStringLiteral("\u2715"), Theme::textTertiary);
    dismissBtn_->setAccessibleName(localizedText("a11y_dismiss"));
    dismissBtn_->setToolTip(localizedText("a11y_dismiss"));
    connect(actionBtn_, &QPushButton::clicked, this, [this] {
        dismiss();
        Q_EMIT actionClicked();
    });
    connect(dismissBtn_, &QPushButton::clicked, this, &NoticeLine::dismiss);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 4, 0);
    row->setSpacing(4);
    row->addWidget(textLabel_, 1);
    row->addWidget(actionBtn_);
    row->addWidget(dismissBtn_);

    fade_->setDuration(fadeMs);
    fade_->setEndValue(0.0);
    connect(fade_, &QPropertyAnimation::finished, this, &QWidget::hide);
    shownTimer_.setSingleShot(true);
    connect(&shownTimer_, &QTimer::timeout, this, &NoticeLine::fadeUnlessInUse);
    hide();
}

void NoticeLine::showNotice(const QString& text, const QString& actionTitle) {
    textLabel_->setText(text);
    setAccessibleName(text);
    styleButton(*actionBtn_, actionTitle, Theme::accent);
    actionBtn_->setVisible(!actionTitle.isEmpty());
    fade_->stop();
    opacity_->setOpacity(1.0);
    show();
    raise();
    shownTimer_.start(actionTitle.isEmpty() ? shownMs : shownWithActionMs);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void NoticeLine::dismiss() {
    shownTimer_.stop();
    fade_->stop();
    hide();
}

QString NoticeLine::text() const {
    return textLabel_->text();
}

void NoticeLine::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        dismiss();
    else
        Plate::keyPressEvent(event);
}

// The pointer on a fading line brings it back.
void NoticeLine::enterEvent(QEnterEvent* event) {
    Plate::enterEvent(event);
    if (fade_->state() == QAbstractAnimation::Running) {
        fade_->stop();
        opacity_->setOpacity(1.0);
        shownTimer_.start(recheckMs);
    }
}

void NoticeLine::fadeUnlessInUse() {
    if (underMouse() || isAncestorOf(QApplication::focusWidget())) {
        shownTimer_.start(recheckMs);
        return;
    }
    fade_->setStartValue(opacity_->opacity());
    fade_->start();
}
