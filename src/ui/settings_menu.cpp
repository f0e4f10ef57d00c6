#include "ui/settings_menu.h"

#include "engine/i18n/lang.h"
#include "ui/widgets/menu_button.h"

namespace {
QAction* addSwitch(QMenu& menu, const QString& title, bool isOn) {
    QAction* item = menu.addAction(title);
    item->setCheckable(true);
    item->setChecked(isOn);
    return item;
}
} // namespace

SettingsMenu::SettingsMenu(const Lang& lang, Switches switches, const QString& currentLanguageCode,
                           QWidget* parent)
    : QMenu(parent) {
    // The name a screen reader gives the open menu.
    setAccessibleName(lang.localized(QStringLiteral("settings_button")));
    QAction* launchAtLogin = addSwitch(*this, lang.localized(QStringLiteral("launch_at_login")),
                                       switches.isLaunchAtLoginEnabled);
    connect(launchAtLogin, &QAction::triggered, this,
            [this, launchAtLogin] { Q_EMIT toggleLaunchAtLoginChosen(launchAtLogin); });
    connect(addSwitch(*this, lang.localized(QStringLiteral("start_at_launch")),
                      switches.isStartAtLaunchEnabled),
            &QAction::triggered, this, &SettingsMenu::startAtLaunchChosen);
    connect(addSwitch(*this, lang.localized(QStringLiteral("notify_when_ended")),
                      switches.isNotifyEnabled),
            &QAction::triggered, this, &SettingsMenu::notifyChosen);

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
