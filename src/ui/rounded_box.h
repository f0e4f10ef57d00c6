#pragma once

#include <QWidget>

class QPainter;

// Fills rect with a rounded, antialiased plate of the given colour.
void paintRoundedBackground(QPainter& painter, const QRectF& rect, const QColor& color,
                            qreal cornerRadius);

// A plain container on a rounded plate of the palette's Window colour.
class RoundedBox : public QWidget {
    Q_OBJECT
public:
    explicit RoundedBox(qreal cornerRadius, QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal cornerRadius_;
};
