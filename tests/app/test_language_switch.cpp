#include "about_window.h"
#include "app_delegate.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "footer_bar.h"
#include "header_bar.h"
#include "lang.h"
#include "main_view_controller.h"
#include "settings_menu.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
// Every title of the menu bar and its menus, in order.
QStringList menuTexts(QMenuBar* bar) {
    QStringList texts;
    for (QAction* top : bar->actions()) {
        texts.append(top->text());
        if (top->menu()) {
            for (QAction* item : top->menu()->actions())
                texts.append(item->text());
        }
    }
    return texts;
}

// Clicks the language item of this code in the open settings menu, as a user would.
void chooseLanguageInOpenMenu(const QString& code) {
    auto* menu = qobject_cast<SettingsMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return;
    for (QAction* item : menu->languageItems()) {
        if (item->data().toString() == code) {
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                              menu->actionGeometry(item).center());
            return;
        }
    }
}
} // namespace

class TestLanguageSwitch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void rebuildsTheMainViewOnly();

private:
    std::unique_ptr<FakeMonitorWorld> world;
    std::unique_ptr<AppDelegate> delegate;
};

void TestLanguageSwitch::init() {
    Lang::shared().setLanguage(QStringLiteral("en"));
    world = std::make_unique<FakeMonitorWorld>();
    AppDelegate::Environment environment;
    environment.monitorServices = [this] { return world->services(); };
    environment.openUrl = [](const QUrl&) { return true; };
    delegate = std::make_unique<AppDelegate>(std::move(environment));
    delegate->applicationDidFinishLaunching();
    QVERIFY(QTest::qWaitForWindowActive(delegate->window()));
}

void TestLanguageSwitch::cleanup() {
    delegate.reset();
    world.reset();
    Lang::shared().setLanguage(QStringLiteral("system"));
}

void TestLanguageSwitch::rebuildsTheMainViewOnly() {
    const QString englishStart = Lang::shared().localized(QStringLiteral("start"));
    const QStringList menuBefore = menuTexts(delegate->window()->menuBar());
    delegate->showAbout();
    const QString aboutCopyright = delegate->aboutWindow()->copyrightLabel()->text();

    const QPointer<MainViewController> old = delegate->mainViewController();
    QTest::mouseClick(old->headerBar()->toggleBtn(), Qt::LeftButton);
    old->switchToBrowse();
    QVERIFY(old->monitor().isMonitoring());

    QTimer::singleShot(0, this, [] { chooseLanguageInOpenMenu(QStringLiteral("ja")); });
    QTest::mouseClick(old->footerBar()->settingsBtn(), Qt::LeftButton);

    QCOMPARE(Lang::shared().currentCode(), QStringLiteral("ja"));
    QTRY_VERIFY(delegate->mainViewController() != old.data());
    QTRY_VERIFY(!old);
    MainViewController* fresh = delegate->mainViewController();
    QVERIFY(fresh);

    const QString japaneseStart = Lang::shared().localized(QStringLiteral("start"));
    QVERIFY(japaneseStart != englishStart);
    QCOMPARE(fresh->headerBar()->toggleBtn()->text(), japaneseStart);
    QVERIFY(!fresh->monitor().isMonitoring());
    QVERIFY(!fresh->isBrowseMode());

    QCOMPARE(menuTexts(delegate->window()->menuBar()), menuBefore);
    QCOMPARE(delegate->aboutWindow()->copyrightLabel()->text(), aboutCopyright);
}

int main(int argc, char* argv[]) {
    // The language choice goes to this run's own config folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestLanguageSwitch test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_language_switch.moc"
