#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

// The one way a rounded background is painted: antialiased, filled with `fill`, and with a 1 px
// outline along the rounded edge when `border` is not transparent (the outline lies inside
// `bounds`, on whole pixels).
void paintPlate(QPainter& painter, const QRectF& bounds, const QColor& fill, qreal cornerRadius,
                const QColor& border = Qt::transparent);

// A plain view filled with one colour, corners rounded by the given radius.
class Plate : public QWidget {
    Q_OBJECT
public:
    Plate(const QColor& color, qreal cornerRadius, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    // A 1 px outline along the rounded edge; transparent (the default) draws none.
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    QColor borderColor_ = Qt::transparent;
    qreal cornerRadius_;
};
