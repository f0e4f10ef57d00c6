#pragma once

#include <QColor>
#include <QWidget>

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
