#include "app/window_activation.h"

#include <QGuiApplication>
#include <QWidget>

void bringToFront(QWidget& window, const QString& activationToken) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    // Qt's Wayland plugin activates a window with the token it finds in XDG_ACTIVATION_TOKEN,
    // and removes it once used; without one it asks the compositor for a token of its own.
    const bool isWayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const bool passesToken = isWayland && !activationToken.isEmpty();
    if (passesToken)
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    window.activateWindow();
    if (passesToken)
        qunsetenv("XDG_ACTIVATION_TOKEN");
}
