#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>

// How a flat button is drawn: a rounded plate, an optional 1 px outline, the title or the icon.
struct FlatButtonLook {
    QColor background = Qt::transparent;
    QColor border = Qt::transparent;
    QColor text = Qt::white;
    QFont font;
    qreal cornerRadius = 0;
    // Room left and right of the title when the button takes its natural width.
    int horizontalPadding = 10;
};

// A push button painted only from its look, so it shows the same colours on any style.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    explicit FlatButton(QWidget* parent = nullptr);

    void setLook(const QString& title, const FlatButtonLook& look);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlatButtonLook look_;
};
