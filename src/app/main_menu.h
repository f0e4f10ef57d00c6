#pragma once

#include <functional>

class QMenuBar;
class QWidget;

// The menu bar: the application menu (About, Hide, Quit), Edit and Window (with the kill
// history). Its texts are read once, at start-up. Shortcuts work in every window of the program.
QMenuBar* buildMainMenu(QWidget* parent, const std::function<void()>& showAbout,
                        const std::function<void()>& showKillHistory);
