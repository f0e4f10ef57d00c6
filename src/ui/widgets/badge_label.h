#pragma once

#include <QLabel>

// A label on a rounded tinted plate; the plate takes the palette's Window colour.
class BadgeLabel : public QLabel {
    Q_OBJECT
public:
    explicit BadgeLabel(qreal cornerRadius, QWidget* parent = nullptr);

    void setColors(const QColor& text, const QColor& background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal cornerRadius_;
};
