#pragma once

#include "ui/widgets/flat_button.h"

#include <QMenu>
#include <QPointer>

// A flat button that opens a pop-up menu. While the menu is open, the accessibility tree shows
// it as the button's child, the way a menu bar shows the menu of its open item: Qt leaves pop-ups
// out of the application's own list of windows.
class MenuButton : public FlatButton {
    Q_OBJECT
public:
    explicit MenuButton(QWidget* parent = nullptr);

    // Shows the menu with its top-left corner at a global position; returns when it closes.
    void popUp(QMenu& menu, const QPoint& position);
    QMenu* openMenu() const { return openMenu_; }

private:
    void announceMenu();

    QPointer<QMenu> openMenu_;
};
