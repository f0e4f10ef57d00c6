#pragma once

#include <QTest>
#include <QWidget>

// Shows a window and waits until it takes the keyboard, as a window does after launch; false
// when it never does. Header only: the engine tests have no widgets to link.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
