#pragma once

#include <QMenu>
#include <QPoint>
#include <QString>

class Lang;
class MenuButton;

// The gear button's pop-up: the switches (launch at login, start monitoring at launch,
// notifications), export and import of the watch list, and the interface language. Built anew
// for every opening, so its check marks show the current state.
class SettingsMenu : public QMenu {
    Q_OBJECT
public:
    struct Switches {
        bool isLaunchAtLoginEnabled = false;
        bool isStartAtLaunchEnabled = false;
        bool isNotifyEnabled = false;
    };

    SettingsMenu(const Lang& lang, Switches switches, const QString& currentLanguageCode,
                 QWidget* parent = nullptr);

    // Where the menu's top-left corner goes: 4 px below the button's bottom-left corner.
    static QPoint popUpPosition(const QWidget& button);
    // Shows the menu below the button and returns when it closes.
    void popUpBelow(MenuButton& button);

Q_SIGNALS:
    void toggleLaunchAtLoginChosen(QAction* item);
    void startAtLaunchChosen(bool isOn);
    void notifyChosen(bool isOn);
    void exportTargetsChosen();
    void importTargetsChosen();
    void languageChosen(QAction* item);
};
