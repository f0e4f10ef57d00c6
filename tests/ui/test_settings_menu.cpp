#include "fake_monitor_world.h"
#include "flat_button.h"
#include "footer_bar.h"
#include "lang.h"
#include "main_view_controller.h"
#include "memory_settings_store.h"
#include "settings_keys.h"
#include "settings_menu.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
QString checkedLanguage(const SettingsMenu& menu) {
    QStringList checked;
    for (QAction* item : menu.languageItems()) {
        if (item->isChecked())
            checked.append(item->text());
    }
    return checked.join(u',');
}

QAction* languageItem(const SettingsMenu& menu, const QString& code) {
    for (QAction* item : menu.languageItems()) {
        if (item->data().toString() == code)
            return item;
    }
    return nullptr;
}

QVariant storedLanguage() {
    return QSettings(QStringLiteral("Zentrav"), QStringLiteral("Zentrav"))
        .value(SettingsKeys::appLanguage);
}

// Ids, names, modes and switches, in order.
QStringList described(const QList<TargetProcess>& targets) {
    QStringList result;
    for (const TargetProcess& target : targets)
        result.append(QStringLiteral("%1 %2 %3 %4")
                          .arg(target.id.toString(), target.name)
                          .arg(int(target.matchMode))
                          .arg(target.isEnabled));
    return result;
}

KillLogEntry logEntry(const QString& name) {
    return KillLogEntry{QUuid::createUuid(),     QDateTime::currentDateTimeUtc(), name, 4242, true,
                        QStringLiteral("killed")};
}
} // namespace

class TestSettingsMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

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

    void gearOpensTheMenuBelowIt();
    void languageChoiceIsStoredAndTicked();
    void languageItemWithoutTextChangesNothing();
    void launchAtLoginTwiceReturnsToTheFirstState();
    void launchAtLoginMarkFollowsTheSystem();
    void exportThenImportAddsNothing();
    void badImportBeepsAndChangesNothing_data();
    void badImportBeepsAndChangesNothing();
    void exportOfAnEmptyListBeepsWithoutDialog();
    void exportLogButtonSavesAllDays();
    void clearLogButtonDeletesWithoutAsking();

private:
    QString autostartEntry() const {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/autostart/zentrav.desktop");
    }

    std::unique_ptr<FakeMonitorWorld> world;
    std::shared_ptr<FakeFileChooser> chooser;
    std::unique_ptr<MainViewController> controller;
    QTemporaryDir files;
};

void TestSettingsMenu::init() {
    Lang::shared().setLanguage(QStringLiteral("system"));
    world = std::make_unique<FakeMonitorWorld>();
    chooser = std::make_shared<FakeFileChooser>();
    controller = std::make_unique<MainViewController>(world->services(), chooser);
    controller->show();
    QVERIFY(QTest::qWaitForWindowExposed(controller.get()));
}

void TestSettingsMenu::cleanup() {
    controller.reset();
    world.reset();
    Lang::shared().setLanguage(QStringLiteral("system"));
}

void TestSettingsMenu::gearOpensTheMenuBelowIt() {
    FlatButton* gear = controller->footerBar()->settingsBtn();
    SettingsMenu* shown = nullptr;
    QPoint shownAt;
    QTimer::singleShot(0, this, [&] {
        shown = qobject_cast<SettingsMenu*>(QApplication::activePopupWidget());
        if (!shown)
            return;
        shownAt = shown->pos();
        shown->close();
    });
    QTest::mouseClick(gear, Qt::LeftButton);
    QVERIFY(shown);
    QCOMPARE(shownAt, gear->mapToGlobal(QPoint(0, gear->height() + 4)));
}

void TestSettingsMenu::languageChoiceIsStoredAndTicked() {
    QSignalSpy rebuilds(controller.get(), &MainViewController::languageChanged);
    QCOMPARE(checkedLanguage(*controller->makeSettingsMenu()), QStringLiteral("System Default"));
    QVERIFY(!storedLanguage().isValid());

    languageItem(*controller->makeSettingsMenu(), "en")->trigger();
    QCOMPARE(storedLanguage(), QVariant(QStringLiteral("en")));
    QCOMPARE(Lang::shared().currentCode(), QStringLiteral("en"));
    QCOMPARE(rebuilds.size(), 1);
    QCOMPARE(checkedLanguage(*controller->makeSettingsMenu()), QStringLiteral("English"));

    // The ticked language again still rebuilds the view.
    languageItem(*controller->makeSettingsMenu(), "en")->trigger();
    QCOMPARE(rebuilds.size(), 2);
    QCOMPARE(storedLanguage(), QVariant(QStringLiteral("en")));

    languageItem(*controller->makeSettingsMenu(), "system")->trigger();
    QVERIFY(!storedLanguage().isValid());
    QCOMPARE(checkedLanguage(*controller->makeSettingsMenu()), QStringLiteral("System Default"));
}

void TestSettingsMenu::languageItemWithoutTextChangesNothing() {
    QSignalSpy rebuilds(controller.get(), &MainViewController::languageChanged);
    const std::unique_ptr<SettingsMenu> menu = controller->makeSettingsMenu();
    QAction* item = languageItem(*menu, "ko");
    item->setData(7);
    item->trigger();
    QCOMPARE(rebuilds.size(), 0);
    QVERIFY(!storedLanguage().isValid());
}

void TestSettingsMenu::launchAtLoginTwiceReturnsToTheFirstState() {
    const bool first = QFile::exists(autostartEntry());
    QCOMPARE(controller->makeSettingsMenu()->launchAtLoginItem()->isChecked(), first);

    for (bool expected : {!first, first}) {
        const std::unique_ptr<SettingsMenu> menu = controller->makeSettingsMenu();
        menu->launchAtLoginItem()->trigger();
        QCOMPARE(menu->launchAtLoginItem()->isChecked(), expected);
        QCOMPARE(QFile::exists(autostartEntry()), expected);
        QCOMPARE(controller->makeSettingsMenu()->launchAtLoginItem()->isChecked(), expected);
    }
}

void TestSettingsMenu::launchAtLoginMarkFollowsTheSystem() {
    // A file where the autostart folder belongs: the entry cannot be written.
    const QString folder = QFileInfo(autostartEntry()).absolutePath();
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const std::unique_ptr<SettingsMenu> menu = controller->makeSettingsMenu();
    QVERIFY(!menu->launchAtLoginItem()->isChecked());
    menu->launchAtLoginItem()->trigger();
    QVERIFY(!menu->launchAtLoginItem()->isChecked());
    QVERIFY(QFile::remove(folder));
}

void TestSettingsMenu::exportThenImportAddsNothing() {
    ProcessMonitor& monitor = controller->monitor();
    monitor.addTarget(QStringLiteral("Slack Helper"), MatchMode::exact);
    monitor.addTarget(QStringLiteral("zsh"), MatchMode::fuzzy);
    const QStringList before = described(monitor.targets());
    const QString path = files.filePath(QStringLiteral("targets.json"));
    chooser->savePath = path;
    chooser->openPath = path;

    controller->makeSettingsMenu()->exportTargetsItem()->trigger();
    QCOMPARE(chooser->savePanels, 1);
    QCOMPARE(chooser->lastSuggestedName, QStringLiteral("Zentrav-Targets.json"));
    QVERIFY(QFile::exists(path));

    controller->makeSettingsMenu()->importTargetsItem()->trigger();
    QCOMPARE(chooser->openPanels, 1);
    QCOMPARE(chooser->beeps, 0);
    QCOMPARE(described(monitor.targets()), before);
}

void TestSettingsMenu::badImportBeepsAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("not JSON") << QByteArray("{nope") << true;
    QTest::newRow("one element lacks isEnabled")
        << QByteArray(R"([{"id":"6F1C2B7E-3F4A-4D7B-9C51-1B2A3C4D5E6F","name":"ok",)"
                      R"("matchMode":"fuzzy","isEnabled":true},)"
                      R"({"id":"6F1C2B7E-3F4A-4D7B-9C51-1B2A3C4D5E60","name":"bad",)"
                      R"("matchMode":"fuzzy"}])")
        << true;
    QTest::newRow("missing file") << QByteArray() << false;
}

void TestSettingsMenu::badImportBeepsAndChangesNothing() {
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    controller->monitor().addTarget(QStringLiteral("zsh"), MatchMode::fuzzy);
    const QStringList before = described(controller->monitor().targets());
    const QString path = files.filePath(QStringLiteral("bad.json"));
    QFile::remove(path);
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    chooser->openPath = path;
    controller->makeSettingsMenu()->importTargetsItem()->trigger();
    QCOMPARE(chooser->beeps, 1);
    QCOMPARE(described(controller->monitor().targets()), before);
}

void TestSettingsMenu::exportOfAnEmptyListBeepsWithoutDialog() {
    chooser->savePath = files.filePath(QStringLiteral("never.json"));
    controller->makeSettingsMenu()->exportTargetsItem()->trigger();
    QCOMPARE(chooser->beeps, 1);
    QCOMPARE(chooser->savePanels, 0);
    QVERIFY(!QFile::exists(*chooser->savePath));
}

void TestSettingsMenu::exportLogButtonSavesAllDays() {
    controller->monitor().appendLogEntries({logEntry(QStringLiteral("zvb-one"))});
    const QString path = files.filePath(QStringLiteral("all-logs.json"));
    chooser->savePath = path;

    QTest::mouseClick(controller->footerBar()->exportLogBtn(), Qt::LeftButton);
    QCOMPARE(chooser->savePanels, 1);
    QCOMPARE(chooser->lastTitle, Lang::shared().localized(QStringLiteral("export_all_title")));
    QVERIFY2(QRegularExpression(QStringLiteral(R"(^kill-log-all-\d{4}-\d{2}-\d{2}_\d{6}\.json$)"))
                 .match(chooser->lastSuggestedName)
                 .hasMatch(),
             qPrintable(chooser->lastSuggestedName));
    QVERIFY(controller->monitor().killLog().isEmpty());
    QFile exported(path);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QVERIFY(exported.readAll().contains("zvb-one"));
}

void TestSettingsMenu::clearLogButtonDeletesWithoutAsking() {
    ProcessMonitor& monitor = controller->monitor();
    monitor.appendLogEntries({logEntry(QStringLiteral("zvb-one"))});
    monitor.flushLog();
    monitor.appendLogEntries({logEntry(QStringLiteral("zvb-two"))});
    QCOMPARE(QDir(monitor.logsDir()).entryList({QStringLiteral("*.json")}).size(), 1);

    QTest::mouseClick(controller->footerBar()->clearLogBtn(), Qt::LeftButton);
    QVERIFY(monitor.killLog().isEmpty());
    QVERIFY(QDir(monitor.logsDir()).entryList({QStringLiteral("*.json")}).isEmpty());
    QCOMPARE(chooser->savePanels + chooser->openPanels + chooser->beeps, 0);
}

int main(int argc, char* argv[]) {
    // The login item and the language choice go to this run's own config folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestSettingsMenu test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_settings_menu.moc"
