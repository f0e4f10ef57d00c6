#include "lang.h"
#include "memory_settings_store.h"
#include "settings_menu.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestSettingsMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void itemsInOrder() {
        MemorySettingsStore store;
        const Lang lang(store, {"en"});
        const SettingsMenu menu(lang, false, "system");
        const QList<QAction*> items = menu.actions();
        QCOMPARE(items.size(), 12);
        QCOMPARE(items[0], menu.launchAtLoginItem());
        QCOMPARE(items[0]->text(), lang.localized("launch_at_login"));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[2]->text(), lang.localized("export_targets"));
        QCOMPARE(items[3]->text(), lang.localized("import_targets"));
        QVERIFY(items[4]->isSeparator());
        QCOMPARE(items[5]->text(), QString("Language"));
        QVERIFY(!items[5]->isEnabled());
        QStringList names, codes;
        for (QAction* item : items.mid(6)) {
            names.append(item->text());
            codes.append(item->data().toString());
            QVERIFY(item->isEnabled());
        }
        QCOMPARE(names, (QStringList{"System Default", "English", "日本語", "繁體中文", "简体中文",
                                     "한국어"}));
        QCOMPARE(codes, (QStringList{"system", "en", "ja", "zh-Hant", "zh-Hans", "ko"}));
        for (QAction* item : items)
            QVERIFY(item->shortcut().isEmpty());
    }

    void languageMarks_data() {
        QTest::addColumn<QString>("currentCode");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("nothing stored") << "system"
                                        << "System Default";
        QTest::newRow("english") << "en"
                                 << "English";
        QTest::newRow("traditional chinese") << "zh-Hant"
                                             << "繁體中文";
        QTest::newRow("korean") << "ko"
                                << "한국어";
        QTest::newRow("unknown code") << "fr"
                                      << "";
        QTest::newRow("code in other case") << "EN"
                                            << "";
    }

    void languageMarks() {
        QFETCH(QString, currentCode);
        QFETCH(QString, ticked);
        MemorySettingsStore store;
        const SettingsMenu menu(Lang(store, {"en"}), false, currentCode);
        QStringList checked;
        for (QAction* item : menu.languageItems()) {
            if (item->isChecked())
                checked.append(item->text());
        }
        QCOMPARE(checked, ticked.isEmpty() ? QStringList() : QStringList{ticked});
    }

    void launchAtLoginMark_data() {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void launchAtLoginMark() {
        QFETCH(bool, enabled);
        MemorySettingsStore store;
        const SettingsMenu menu(Lang(store, {"en"}), enabled, "system");
        QVERIFY(menu.launchAtLoginItem()->isCheckable());
        QCOMPARE(menu.launchAtLoginItem()->isChecked(), enabled);
    }

    void itemsReportTheirChoice() {
        MemorySettingsStore store;
        SettingsMenu menu(Lang(store, {"en"}), false, "system");
        QSignalSpy launch(&menu, &SettingsMenu::toggleLaunchAtLoginChosen);
        QSignalSpy exported(&menu, &SettingsMenu::exportTargetsChosen);
        QSignalSpy imported(&menu, &SettingsMenu::importTargetsChosen);
        QSignalSpy language(&menu, &SettingsMenu::languageChosen);

        menu.launchAtLoginItem()->trigger();
        menu.exportTargetsItem()->trigger();
        menu.importTargetsItem()->trigger();
        menu.languageHeader()->trigger();
        menu.languageItems()[2]->trigger();

        QCOMPARE(launch.size(), 1);
        QCOMPARE(launch[0][0].value<QAction*>(), menu.launchAtLoginItem());
        QCOMPARE(exported.size(), 1);
        QCOMPARE(imported.size(), 1);
        QCOMPARE(language.size(), 1);
        QCOMPARE(language[0][0].value<QAction*>()->data().toString(), QString("ja"));
    }

    void popsUpBelowTheButton() {
        QWidget window;
        window.setGeometry(40, 30, 300, 200);
        QPushButton button(&window);
        button.setGeometry(20, 60, 24, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QPoint expected = button.mapToGlobal(QPoint(0, 28));
        QCOMPARE(SettingsMenu::popUpPosition(button), expected);

        MemorySettingsStore store;
        SettingsMenu menu(Lang(store, {"en"}), false, "system");
        QPoint shownAt;
        bool wasVisible = false;
        QTimer::singleShot(0, &menu, [&] {
            wasVisible = menu.isVisible();
            shownAt = menu.pos();
            menu.close();
        });
        menu.popUpBelow(button);
        QVERIFY(wasVisible);
        QCOMPARE(shownAt, expected);
        QVERIFY(menu.activeAction() == nullptr);
    }
};

QTEST_MAIN(TestSettingsMenu)
#include "test_settings_menu.moc"
