#include "app_icon.h"

#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
const QString iconPath = QStringLiteral(":/app/zentrav.svg");

// Waits for the window's first expose, which draws and shows the first frame, and sets the icon
// when the event loop is back.
class FirstFrameWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                QApplication::setWindowIcon(appIcon());
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

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

void setAppIconAfterFirstFrame(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (!handle) {
        QApplication::setWindowIcon(appIcon());
        return;
    }
    handle->installEventFilter(new FirstFrameWatch(&window));
}
