#include "about_window.h"
#include "app_delegate.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "footer_bar.h"
#include "header_bar.h"
#include "input_bar.h"
#include "lang.h"
#include "main_view_controller.h"
#include "settings_menu.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStyle>
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

QAction* menuItem(QMenuBar* bar, const QString& title, const char* key) {
    for (QAction* top : bar->actions()) {
        if (top->text() != title || !top->menu())
            continue;
        for (QAction* item : top->menu()->actions()) {
            if (item->text() == localized(key))
                return item;
        }
    }
    return nullptr;
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

class TestAppDelegate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithOneFixedCentredDarkWindow();
    void editItemsActOnTheInputField();
    void aboutTwiceShowsTheSameWindowAndHideLastsUntilTheNextStart();
    void sessionEndWritesTheLog();
    void languageChangeRebuildsTheMainViewOnly();
    void quitsWhenTheLastWindowCloses();

private:
    QMenuBar* menuBar() const { return delegate->window()->menuBar(); }

    std::unique_ptr<FakeMonitorWorld> world;
    QList<QUrl> openedUrls;
    std::unique_ptr<AppDelegate> delegate;
};

void TestAppDelegate::init() {
    Lang::shared().setLanguage(QStringLiteral("en"));
    world = std::make_unique<FakeMonitorWorld>();
    openedUrls.clear();
    AppDelegate::Environment environment;
    environment.monitorServices = [this] { return world->services(); };
    environment.openUrl = [this](const QUrl& url) {
        openedUrls.append(url);
        return true;
    };
    delegate = std::make_unique<AppDelegate>(std::move(environment));
    delegate->applicationDidFinishLaunching();
    QVERIFY(QTest::qWaitForWindowActive(delegate->window()));
}

void TestAppDelegate::cleanup() {
    delegate.reset();
    world.reset();
    Lang::shared().setLanguage(QStringLiteral("system"));
}

void TestAppDelegate::startsWithOneFixedCentredDarkWindow() {
    QMainWindow* window = delegate->window();
    QCOMPARE(window->windowTitle(), QStringLiteral("Zentrav"));
    QCOMPARE(window->centralWidget()->geometry().size(), QSize(520, 560));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    // Before the first show the frame's size is not known; a few pixels off is still centred.
    const QPoint offCentre =
        window->frameGeometry().center() - window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 8,
             qPrintable(QStringLiteral("off by %1, %2").arg(offCentre.x()).arg(offCentre.y())));

    const QPalette palette = QApplication::palette();
    QVERIFY(palette.color(QPalette::Base).lightness() < 40);
    QVERIFY(palette.color(QPalette::Text).lightness() > 180);
}

void TestAppDelegate::editItemsActOnTheInputField() {
    QLineEdit* field = delegate->mainViewController()->inputBar()->inputField();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, QStringLiteral("Slack Helper"));
    const QString edit = localized("menu_edit");

    menuItem(menuBar(), edit, "menu_select_all")->trigger();
    QCOMPARE(field->selectedText(), QStringLiteral("Slack Helper"));
    menuItem(menuBar(), edit, "menu_cut")->trigger();
    QCOMPARE(field->text(), QString());
    menuItem(menuBar(), edit, "menu_paste")->trigger();
    menuItem(menuBar(), edit, "menu_paste")->trigger();
    QCOMPARE(field->text(), QStringLiteral("Slack HelperSlack Helper"));
}

void TestAppDelegate::aboutTwiceShowsTheSameWindowAndHideLastsUntilTheNextStart() {
    QAction* about = menuItem(menuBar(), QStringLiteral("Zentrav"), "menu_about");
    about->trigger();
    AboutWindow* first = delegate->aboutWindow();
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QVERIFY(first->versionLabel()->text().contains(QStringLiteral(ZENTRAV_VERSION)));
    QTest::mouseClick(first->linkButton(), Qt::LeftButton);
    delegate->openWebsite(QUrl(QStringLiteral("http://[broken")));
    QCOMPARE(openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://zentrav.app"))});

    const QPoint moved = first->pos() + QPoint(30, 20);
    first->move(moved);
    first->close();
    about->trigger();
    QCOMPARE(delegate->aboutWindow(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->pos(), moved);

    menuItem(menuBar(), QStringLiteral("Zentrav"), "menu_hide")->trigger();
    QTRY_VERIFY(delegate->window()->isMinimized());
    QTRY_VERIFY(first->isMinimized());

    // A second start of the program hands over to this one.
    delegate->showMainWindow();
    QVERIFY(!delegate->window()->isMinimized());
    QVERIFY(QTest::qWaitForWindowActive(delegate->window()));
}

void TestAppDelegate::sessionEndWritesTheLog() {
    ProcessMonitor& monitor = delegate->mainViewController()->monitor();
    monitor.appendLogEntries({killLogEntry(QStringLiteral("Slack Helper"))});
    delegate->commitData();
    QCOMPARE(monitor.loadAllLogs().size(), 1);
}

void TestAppDelegate::languageChangeRebuildsTheMainViewOnly() {
    const QString englishStart = localized("start");
    const QStringList menuBefore = menuTexts(menuBar());
    delegate->showAbout();
    const QString aboutCopyright = delegate->aboutWindow()->copyrightLabel()->text();

    const QPointer<MainViewController> old = delegate->mainViewController();
    QTest::mouseClick(old->headerBar()->toggleBtn(), Qt::LeftButton);
    old->switchToBrowse();
    QVERIFY(old->monitor().isMonitoring());

    QTimer::singleShot(0, this, [] { chooseLanguageInOpenMenu(QStringLiteral("ja")); });
    QTest::mouseClick(old->footerBar()->settingsBtn(), Qt::LeftButton);
    QCOMPARE(Lang::shared().currentCode(), QStringLiteral("ja"));
    QTRY_VERIFY(!old);

    // A fresh view in the new language, idle and on the watch list.
    MainViewController* fresh = delegate->mainViewController();
    QVERIFY(fresh);
    QVERIFY(localized("start") != englishStart);
    QCOMPARE(fresh->headerBar()->toggleBtn()->text(), localized("start"));
    QVERIFY(!fresh->monitor().isMonitoring());
    QVERIFY(!fresh->isBrowseMode());
    QTRY_COMPARE(fresh->geometry().size(), QSize(520, 560));

    QCOMPARE(menuTexts(menuBar()), menuBefore);
    QCOMPARE(delegate->aboutWindow()->copyrightLabel()->text(), aboutCopyright);
}

// Runs last: it needs the event loop of its own, which ends when the last window closes.
void TestAppDelegate::quitsWhenTheLastWindowCloses() {
    delegate->showAbout();
    bool runningWithAboutOpen = false;
    QTimer::singleShot(0, this, [&] {
        delegate->window()->close();
        QTimer::singleShot(100, this, [&] {
            runningWithAboutOpen = true;
            delegate->aboutWindow()->close();
        });
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(runningWithAboutOpen);
}

int main(int argc, char* argv[]) {
    // The language choice goes to this run's own config folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestAppDelegate test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_delegate.moc"
