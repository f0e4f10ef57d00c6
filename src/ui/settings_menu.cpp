#include "settings_menu.h"

#include "lang.h"
#include "menu_button.h"

SettingsMenu::SettingsMenu(const Lang& lang, bool isLaunchAtLoginEnabled,
                           const QString& currentLanguageCode, QWidget* parent)
    : QMenu(parent) {
    // The name a screen reader gives the open menu.
    setAccessibleName(lang.localized(QStringLiteral("settings_button")));
    QAction* launchAtLogin = addAction(lang.localized(QStringLiteral("launch_at_login")));
    launchAtLogin->setCheckable(true);
    launchAtLogin->setChecked(isLaunchAtLoginEnabled);
    connect(launchAtLogin, &QAction::triggered, this,
            [this, launchAtLogin] { Q_EMIT toggleLaunchAtLoginChosen(launchAtLogin); });

    addSeparator();
    connect(addAction(lang.localized(QStringLiteral("export_targets"))), &QAction::triggered, this,
            &SettingsMenu::exportTargetsChosen);
    connect(addAction(lang.localized(QStringLiteral("import_targets"))), &QAction::triggered, this,
            &SettingsMenu::importTargetsChosen);

    addSeparator();
    addAction(QStringLiteral("Language"))->setEnabled(false);

    for (const Lang::Language& language : Lang::languages()) {
        QAction* item = addAction(language.displayName);
        item->setData(language.code);
        // Checkable for every item so the mark can show, checked only for the stored code:
        // an unknown stored code leaves all of them unticked.
        item->setCheckable(true);
        item->setChecked(language.code == currentLanguageCode);
        connect(item, &QAction::triggered, this, [this, item] { Q_EMIT languageChosen(item); });
    }
}

QPoint SettingsMenu::popUpPosition(const QWidget& button) {
    return button.mapToGlobal(QPoint(0, button.height() + 4));
}

void SettingsMenu::popUpBelow(MenuButton& button) {
    button.popUp(*this, popUpPosition(button));
}
