#include "app/window_fit.h"

#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWindow>
#include <algorithm>

WindowFit::WindowFit(QMainWindow& window, int designedHeight)
    : QObject(&window), window_(window), designedHeight_(designedHeight) {
    window_.installEventFilter(this);
}

void WindowFit::apply() {
    QWidget* content = window_.centralWidget();
    const QScreen* screen = window_.screen();
    if (!content || !screen || !window_.layout())
        return;
    window_.layout()->activate();
    // Around the content: the menu bar, and the frame once the window has one (the desktop draws
    // it after the window is shown).
    const int around = window_.frameGeometry().height() - content->height();
    const int fitting = screen->availableGeometry().height() - around;
    const int height =
        std::max(content->minimumSizeHint().height(), std::min(fitting, designedHeight_));
    if (content->height() != height)
        content->setFixedHeight(height);
}

bool WindowFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && (event->type() == QEvent::Show || event->type() == QEvent::Move)) {
        if (!isFollowingScreens_ && window_.windowHandle()) {
            isFollowingScreens_ = true;
            connect(window_.windowHandle(), &QWindow::screenChanged, this,
                    &WindowFit::followScreen);
            followScreen(window_.windowHandle()->screen());
        }
        apply();
    }
    return QObject::eventFilter(watched, event);
}

void WindowFit::followScreen(QScreen* screen) {
    disconnect(screenChanges_);
    if (screen)
        screenChanges_ =
            connect(screen, &QScreen::availableGeometryChanged, this, &WindowFit::apply);
    apply();
}
