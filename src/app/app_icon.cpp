#include "app/app_icon.h"

#include "ui/widgets/first_event.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace {
// Qt's SVG icon engine draws it; the engine is a plugin, loaded on first use, so a program
// that has not drawn its icon yet has not loaded the SVG code either.
QIcon scalableIcon() {
    return QIcon(QStringLiteral(":/app/zentrav.svg"));
}
} // namespace

QPixmap appIconPixmap(int size, qreal devicePixelRatio) {
    return scalableIcon().pixmap(QSize(size, size), devicePixelRatio);
}

// The window manager takes every size at once, before the window shows.
QIcon appIcon() {
    const QIcon scalable = scalableIcon();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(scalable.pixmap(QSize(size, size), 1.0));
    return icon;
}

// The first expose draws the first frame and shows it; a window already exposed has drawn it.
void setAppIconAfterFirstFrame(QWidget& window) {
    const auto setIcon = [] { QApplication::setWindowIcon(appIcon()); };
    QWindow* handle = window.windowHandle();
    if (handle && !handle->isExposed())
        onFirstEvent(*handle, QEvent::Expose, setIcon);
    else
        QMetaObject::invokeMethod(qApp, setIcon, Qt::QueuedConnection);
}
