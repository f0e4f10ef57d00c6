#pragma once

#include <QMetaObject>
#include <QObject>

class QMainWindow;
class QScreen;

// Keeps a window of fixed size within the available area of its screen (the screen less its
// panels). Where that area is shorter than the window was designed for, the window's central
// widget gives up height, down to what its layout needs; elsewhere it keeps its designed height.
// Follows the window to other screens and each screen's changes of size and scale.
class WindowFit : public QObject {
    Q_OBJECT
public:
    WindowFit(QMainWindow& window, int designedHeight);

    // Sets the central widget's height for the window's screen; again after it was replaced.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followScreen(QScreen* screen);

    QMainWindow& window_;
    int designedHeight_;
    bool isFollowingScreens_ = false;
    QMetaObject::Connection screenChanges_;
};
