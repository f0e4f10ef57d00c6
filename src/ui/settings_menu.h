#pragma once

#include <QList>
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

    QAction* launchAtLoginItem() const { return launchAtLoginItem_; }
    QAction* exportTargetsItem() const { return exportTargetsItem_; }
    QAction* importTargetsItem() const { return importTargetsItem_; }
    QAction* languageHeader() const { return languageHeader_; }
    // One item per entry of Lang::languages(), in order; each carries its code as data.
    const QList<QAction*>& languageItems() const { return languageItems_; }

    // Where the menu's top-left corner goes: 4 px below the button's bottom-left corner.
    static QPoint popUpPosition(const QWidget& button);
    // Shows the menu below the button and returns when it closes.
    void popUpBelow(MenuButton& button);

Q_SIGNALS:
    void toggleLaunchAtLoginChosen(QAction* item);
    void exportTargetsChosen();
    void importTargetsChosen();
    void languageChosen(QAction* item);

private:
    QAction* launchAtLoginItem_;
    QAction* exportTargetsItem_;
    QAction* importTargetsItem_;
    QAction* languageHeader_;
    QList<QAction*> languageItems_;
};
