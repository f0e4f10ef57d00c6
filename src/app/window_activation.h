#pragma once

#include <QString>

class QWidget;

// Shows the window, restored if minimised, at the front with the focus. On Wayland a compositor
// gives a window the focus only with an activation token that a user's action produced: the one
// a later start of the program was launched with, handed over by it.
void bringToFront(QWidget& window, const QString& activationToken = {});
