#include "about_window.h"
#include "app_delegate.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "lang.h"
#include "main_view_controller.h"
#include "settings_menu.h"
#include "window_placement.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
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
    for (QAction* item : menu->actions()) {
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
    void windowIsPlacedInsideTheAvailableArea_data();
    void windowIsPlacedInsideTheAvailableArea();
    void escapeClosesTheAboutWindow();
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
    // Set once the first frame is out.
    QTRY_VERIFY(!QApplication::windowIcon().availableSizes().isEmpty());
    QVERIFY(palette.color(QPalette::Base).lightness() < 40);
    QVERIFY(palette.color(QPalette::Text).lightness() > 180);
}

void TestAppDelegate::editItemsActOnTheInputField() {
    auto* field = delegate->mainViewController()->findChild<QLineEdit*>("inputField");
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
    QTest::mouseClick(old->findChild<QWidget*>("toggleBtn"), Qt::LeftButton);
    old->switchToBrowse();
    QVERIFY(old->monitor().isMonitoring());

    QTimer::singleShot(0, this, [] { chooseLanguageInOpenMenu(QStringLiteral("ja")); });
    QTest::mouseClick(old->findChild<QWidget*>("settingsBtn"), Qt::LeftButton);
    QCOMPARE(Lang::shared().currentCode(), QStringLiteral("ja"));
    QTRY_VERIFY(!old);

    // A fresh view in the new language, idle and on the watch list.
    MainViewController* fresh = delegate->mainViewController();
    QVERIFY(fresh);
    QVERIFY(localized("start") != englishStart);
    QCOMPARE(fresh->findChild<QPushButton*>("toggleBtn")->text(), localized("start"));
    QVERIFY(!fresh->monitor().isMonitoring());
    QVERIFY(!fresh->findChild<QWidget*>("rightTargetsGroup")->isHidden());
    QTRY_COMPARE(fresh->geometry().size(), QSize(520, 560));

    QCOMPARE(menuTexts(menuBar()), menuBefore);
    QCOMPARE(delegate->aboutWindow()->copyrightLabel()->text(), aboutCopyright);
}

void TestAppDelegate::windowIsPlacedInsideTheAvailableArea_data() {
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("fits: centred") << QSize(520, 600) << QRect(0, 0, 1280, 800) << QPoint(380, 100);
    QTest::newRow("panel on top") << QSize(520, 600) << QRect(0, 40, 1280, 760) << QPoint(380, 120);
    // 1280 x 800 at a scale factor of 2 leaves 640 x 400 for a window that keeps its size.
    QTest::newRow("scale 2: too tall") << QSize(520, 600) << QRect(0, 0, 640, 400) << QPoint(60, 0);
    QTest::newRow("too large both ways, second screen")
        << QSize(520, 600) << QRect(1280, 24, 400, 300) << QPoint(1280, 24);
}

void TestAppDelegate::windowIsPlacedInsideTheAvailableArea() {
    QFETCH(QSize, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, topLeft);
    QCOMPARE(placedTopLeft(frame, available), topLeft);
}

void TestAppDelegate::escapeClosesTheAboutWindow() {
    delegate->showAbout();
    QVERIFY(QTest::qWaitForWindowActive(delegate->aboutWindow()));
    QTest::keyClick(delegate->aboutWindow(), Qt::Key_Escape);
    QVERIFY(!delegate->aboutWindow()->isVisible());
    QVERIFY(delegate->window()->isVisible());
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
