#pragma once

#include <QAbstractButton>

// A small painted on/off switch: green track with the knob right when on, grey when off.
// Checkable, so that it is announced as a check box with its state; its row shows the focus.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
