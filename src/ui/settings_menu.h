#pragma once

#include <QMenu>
#include <QPoint>
#include <QString>

class Lang;
class MenuButton;

// The gear button's pop-up: launch at login, export and import of the watch list, and the
// interface language. Built anew for every opening, so its check marks show the current state.
class SettingsMenu : public QMenu {
    Q_OBJECT
public:
    SettingsMenu(const Lang& lang, bool isLaunchAtLoginEnabled, const QString& currentLanguageCode,
                 QWidget* parent = nullptr);

    // Where the menu's top-left corner goes: 4 px below the button's bottom-left corner.
    static QPoint popUpPosition(const QWidget& button);
    // Shows the menu below the button and returns when it closes.
    void popUpBelow(MenuButton& button);

Q_SIGNALS:
    void toggleLaunchAtLoginChosen(QAction* item);
    void exportTargetsChosen();
    void importTargetsChosen();
    void languageChosen(QAction* item);
};
