#include "app_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
const QString iconPath = QStringLiteral(":/app/zentrav.svg");
} // namespace

QPixmap appIconPixmap(int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(iconPath);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(appIconPixmap(size, 1.0));
    return icon;
}
