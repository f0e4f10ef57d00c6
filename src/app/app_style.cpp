#include "app/app_style.h"

#include "ui/theme.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QStyleFactory>
#include <QTransform>

AppStyle::AppStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                             const QWidget* widget) const {
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // Two chevrons pointing right, or down, drawn as lines: text would load a font first.
    const bool isHorizontal = standardIcon == SP_ToolBarHorizontalExtensionButton;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(2);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::textPrimary, 1.5));
    for (const qreal offset : {4.0, 9.0}) {
        const QPolygonF chevron = {{offset, 4}, {offset + 4, 8}, {offset, 12}};
        painter.drawPolyline(isHorizontal ? chevron : QTransform(0, 1, 1, 0, 0, 0).map(chevron));
    }
    painter.end();
    return QIcon(pixmap);
}
