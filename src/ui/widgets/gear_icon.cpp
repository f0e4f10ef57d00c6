#include "ui/widgets/gear_icon.h"

#include "ui/theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

// Drawn here rather than read from an image file: loading an image plugin would hold up the
// window's first frame.
QIcon gearIcon() {
    // Eight teeth on a ring with a round hole, in a 24-point box.
    constexpr QPointF centre(12, 12);
    QPolygonF outline;
    for (int tooth = 0; tooth < 8; ++tooth) {
        for (const auto& [radius, degrees] : {std::pair{8.0, -13.5}, std::pair{10.5, -7.66},
                                              std::pair{10.5, 7.66}, std::pair{8.0, 13.5}}) {
            const qreal angle = qDegreesToRadians(tooth * 45 + degrees);
            outline << centre + QPointF(radius * qSin(angle), -radius * qCos(angle));
        }
    }
    QPainterPath gear;
    gear.setFillRule(Qt::OddEvenFill);
    gear.addPolygon(outline);
    gear.closeSubpath();
    gear.addEllipse(centre, 3.4, 3.4);

    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(gearIconSize, gearIconSize) * ratio);
        pixmap.fill(Qt::transparent);
        pixmap.setDevicePixelRatio(ratio);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(gearIconSize / 24.0, gearIconSize / 24.0);
        painter.fillPath(gear, Theme::textTertiary);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
