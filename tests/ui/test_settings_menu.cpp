#include "fake_monitor_world.h"
#include "flat_button.h"
#include "lang.h"
#include "main_view_controller.h"
#include "memory_settings_store.h"
#include "settings_keys.h"
#include "settings_menu.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
// The ticked language items; the launch-at-login item is the only other checkable one.
QString checkedLanguage(const SettingsMenu& menu) {
    QStringList checked;
    for (QAction* item : menu.actions()) {
        if (item->isChecked() && item->data().isValid())
            checked.append(item->text());
    }
    return checked.join(u',');
}

QAction* languageItem(const SettingsMenu& menu, const QString& code) {
    for (QAction* item : menu.actions()) {
        if (item->data().toString() == code)
            return item;
    }
    return nullptr;
}

QAction* item(const std::unique_ptr<SettingsMenu>& menu, const char* key) {
    for (QAction* action : menu->actions()) {
        if (action->text() == localized(key))
            return action;
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
} // namespace

class TestSettingsMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void languageMarks_data();
    void languageMarks();
    void languageChoiceIsStoredAndTicked();
    void launchAtLoginTwiceReturnsToTheFirstState();
    void exportThenImportAddsNothing();
    void logButtonsExportAndClearAllDays();
    void openMenuIsInTheAccessibilityTreeAndEscapeClosesIt();

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

void TestSettingsMenu::languageMarks_data() {
    QTest::addColumn<QString>("currentCode");
    QTest::addColumn<QString>("ticked");
    const auto row = [](const char* name, QString code, QString ticked) {
        QTest::newRow(name) << code << ticked;
    };
    row("nothing stored", "system", "System Default");
    row("korean", "ko", "한국어");
    row("unknown code", "fr", "");
    row("code in other case", "EN", "");
}

void TestSettingsMenu::languageMarks() {
    QFETCH(QString, currentCode);
    QFETCH(QString, ticked);
    MemorySettingsStore store;
    QCOMPARE(checkedLanguage(SettingsMenu(Lang(store, {"en"}), false, currentCode)), ticked);
}

void TestSettingsMenu::languageChoiceIsStoredAndTicked() {
    QSignalSpy rebuilds(controller.get(), &MainViewController::languageChanged);
    QCOMPARE(checkedLanguage(*controller->makeSettingsMenu()), QStringLiteral("System Default"));

    // An item whose data is no language code is ignored.
    const std::unique_ptr<SettingsMenu> menu = controller->makeSettingsMenu();
    QAction* korean = languageItem(*menu, "ko");
    korean->setData(7);
    korean->trigger();
    QCOMPARE(rebuilds.size(), 0);
    QVERIFY(!storedLanguage().isValid());

    // The ticked language again still rebuilds the view.
    for (int time = 1; time <= 2; ++time) {
        languageItem(*controller->makeSettingsMenu(), "en")->trigger();
        QCOMPARE(storedLanguage(), QVariant(QStringLiteral("en")));
        QCOMPARE(rebuilds.size(), time);
        QCOMPARE(checkedLanguage(*controller->makeSettingsMenu()), QStringLiteral("English"));
    }

    languageItem(*controller->makeSettingsMenu(), "system")->trigger();
    QVERIFY(!storedLanguage().isValid());
    QCOMPARE(checkedLanguage(*controller->makeSettingsMenu()), QStringLiteral("System Default"));
}

void TestSettingsMenu::launchAtLoginTwiceReturnsToTheFirstState() {
    const bool first = QFile::exists(autostartEntry());
    QCOMPARE(item(controller->makeSettingsMenu(), "launch_at_login")->isChecked(), first);
    for (bool expected : {!first, first}) {
        const std::unique_ptr<SettingsMenu> menu = controller->makeSettingsMenu();
        item(menu, "launch_at_login")->trigger();
        QCOMPARE(item(menu, "launch_at_login")->isChecked(), expected);
        QCOMPARE(QFile::exists(autostartEntry()), expected);
        QCOMPARE(item(controller->makeSettingsMenu(), "launch_at_login")->isChecked(), expected);
    }
}

void TestSettingsMenu::exportThenImportAddsNothing() {
    const QString path = files.filePath(QStringLiteral("targets.json"));
    chooser->savePath = path;
    chooser->openPath = path;
    // An empty list is not worth a file: a beep and no dialog.
    item(controller->makeSettingsMenu(), "export_targets")->trigger();
    QCOMPARE(chooser->beeps, 1);
    QCOMPARE(chooser->savePanels, 0);
    QVERIFY(!QFile::exists(path));

    ProcessMonitor& monitor = controller->monitor();
    monitor.addTarget(QStringLiteral("Slack Helper"), MatchMode::exact);
    monitor.addTarget(QStringLiteral("zsh"), MatchMode::fuzzy);
    const QStringList before = described(monitor.targets());
    item(controller->makeSettingsMenu(), "export_targets")->trigger();
    QCOMPARE(chooser->lastSuggestedName, QStringLiteral("Zentrav-Targets.json"));
    QVERIFY(QFile::exists(path));
    item(controller->makeSettingsMenu(), "import_targets")->trigger();
    QCOMPARE(chooser->openPanels, 1);
    QCOMPARE(chooser->beeps, 1);
    QCOMPARE(described(monitor.targets()), before);
}

// Export gathers every day's file and the entries still in memory; clear deletes them unasked.
void TestSettingsMenu::logButtonsExportAndClearAllDays() {
    ProcessMonitor& monitor = controller->monitor();
    monitor.appendLogEntries({killLogEntry(QStringLiteral("zvb-one"))});
    monitor.flushLog();
    monitor.appendLogEntries({killLogEntry(QStringLiteral("zvb-two"))});
    const QString path = files.filePath(QStringLiteral("all-logs.json"));
    chooser->savePath = path;

    QTest::mouseClick(controller->findChild<QWidget*>("exportLogBtn"), Qt::LeftButton);
    QCOMPARE(chooser->savePanels, 1);
    QFile exported(path);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QByteArray content = exported.readAll();
    QVERIFY(content.contains("zvb-one") && content.contains("zvb-two"));

    QTest::mouseClick(controller->findChild<QWidget*>("clearLogBtn"), Qt::LeftButton);
    QVERIFY(monitor.killLog().isEmpty());
    QVERIFY(QDir(monitor.logsDir()).entryList({QStringLiteral("*.json")}).isEmpty());
    QCOMPARE(chooser->savePanels + chooser->openPanels + chooser->beeps, 1);
}

// The keyboard opens the menu; while it is open a screen reader finds it under the gear.
void TestSettingsMenu::openMenuIsInTheAccessibilityTreeAndEscapeClosesIt() {
    QWidget* gear = controller->findChild<QWidget*>(QStringLiteral("settingsBtn"));
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(gear);
    QCOMPARE(button->childCount(), 0);
    QStringList items;
    QTimer::singleShot(0, this, [&] {
        QAccessibleInterface* menu = button->childCount() == 1 ? button->child(0) : nullptr;
        if (menu)
            items.append(menu->text(QAccessible::Name));
        for (int i = 0; menu && i < menu->childCount(); ++i) {
            QAccessibleInterface* item = menu->child(i);
            items.append(item->text(QAccessible::Name) + (item->state().checked ? "*" : ""));
        }
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    });
    QTest::keyClick(gear, Qt::Key_Space);
    QVERIFY2(items.value(0) == localized("settings_button") &&
                 items.contains(localized("import_targets")) && items.contains("System Default*") &&
                 items.contains(QStringLiteral("한국어")),
             qPrintable(items.join(u'|')));
    QVERIFY(!QApplication::activePopupWidget());
    QCOMPARE(button->childCount(), 0);
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
