#include "ui/widgets/cursor_blink_timeout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CursorBlinkTimeout::CursorBlinkTimeout(std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent), flashTimeMs_(QGuiApplication::styleHints()->cursorFlashTime()) {
    if (flashTimeMs_ <= 0)
        return;
    timer_.setSingleShot(true);
    timer_.setInterval(timeout);
    // Text fields take a change of the flash time at once: 0 stops the blinking, cursor shown.
    connect(&timer_, &QTimer::timeout, this,
            [] { QGuiApplication::styleHints()->setCursorFlashTime(0); });
    timer_.start();
    QCoreApplication::instance()->installEventFilter(this);
}

CursorBlinkTimeout::~CursorBlinkTimeout() {
    if (flashTimeMs_ > 0)
        QGuiApplication::styleHints()->setCursorFlashTime(flashTimeMs_);
}

bool CursorBlinkTimeout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
        if (QGuiApplication::styleHints()->cursorFlashTime() != flashTimeMs_)
            QGuiApplication::styleHints()->setCursorFlashTime(flashTimeMs_);
        timer_.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
