#include "app_icon.h"

#include "first_event.h"

#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>
#include <QWindow>

namespace {
const QString iconPath = QStringLiteral(":/app/zentrav.svg");

QPixmap render(QSvgRenderer& renderer, int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}
} // namespace

QPixmap appIconPixmap(int size, qreal devicePixelRatio) {
    QSvgRenderer renderer(iconPath);
    return render(renderer, size, devicePixelRatio);
}

// The window manager takes every size at once, before the window shows: one parse for all.
QIcon appIcon() {
    QSvgRenderer renderer(iconPath);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(render(renderer, size, 1.0));
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
