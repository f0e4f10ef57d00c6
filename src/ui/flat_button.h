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

// The look of one of a group of choices (a range, an interval, a filter): filled with the
// accent colour when chosen.
FlatButtonLook choiceLook(bool isChosen, const QFont& font);

// A push button painted only from its look, so it shows the same colours on any style.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    explicit FlatButton(QWidget* parent = nullptr);

    void setLook(const QString& title, const FlatButtonLook& look);
    // One of a group of which only one is chosen (a tab, an interval, a filter): announced as
    // checked or not, and the arrow keys move the choice within the group.
    void setChosen(bool isChosen);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlatButtonLook look_;
};
