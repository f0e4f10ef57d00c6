#include "about_window.h"
#include "app_delegate.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "header_bar.h"
#include "input_bar.h"
#include "lang.h"
#include "main_view_controller.h"
#include "theme.h"

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
#include <QtTest>
#include <memory>

namespace {
QString text(const char* key) {
    return Lang::shared().localized(QString::fromLatin1(key));
}

QList<QAction*> menuItems(QMenuBar* bar, const QString& title) {
    for (QAction* top : bar->actions()) {
        if (top->text() == title && top->menu())
            return top->menu()->actions();
    }
    return {};
}

QAction* menuItem(QMenuBar* bar, const QString& title, const char* key) {
    for (QAction* item : menuItems(bar, title)) {
        if (item->text() == text(key))
            return item;
    }
    return nullptr;
}
} // namespace

class TestAppDelegate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithOneFixedCentredWindow();
    void looksDarkEverywhere();
    void mainMenuItems_data();
    void mainMenuItems();
    void editItemsActOnTheInputField();
    void aboutTwiceShowsTheSameWindow();
    void aboutLinkOpensTheWebsite();
    void hideMinimisesTheWindows();
    void replacingTheControllerStartsAFreshOne();
    void quitsWhenTheLastWindowCloses();

private:
    QMenuBar* menuBar() const { return delegate->window()->menuBar(); }

    std::unique_ptr<FakeMonitorWorld> world;
    QList<QUrl> openedUrls;
    std::unique_ptr<AppDelegate> delegate;
};

void TestAppDelegate::init() {
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
}

void TestAppDelegate::startsWithOneFixedCentredWindow() {
    QMainWindow* window = delegate->window();
    QCOMPARE(window->windowTitle(), QStringLiteral("Zentrav"));
    QVERIFY(window->isVisible());
    QVERIFY(delegate->mainViewController());
    QCOMPARE(delegate->mainViewController()->size(), QSize(520, 560));
    QCOMPARE(window->centralWidget()->geometry().size(), QSize(520, 560));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));

    // Before the first show the frame's size is not known; a few pixels off is still centred.
    const QPoint offCentre =
        window->frameGeometry().center() - window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 8,
             qPrintable(QStringLiteral("off by %1, %2").arg(offCentre.x()).arg(offCentre.y())));
    QVERIFY(!delegate->aboutWindow());
}

void TestAppDelegate::looksDarkEverywhere() {
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
    const QPalette palette = QApplication::palette();
    QCOMPARE(palette.color(QPalette::Window), Theme::background());
    QCOMPARE(palette.color(QPalette::Highlight), Theme::accent());
    QVERIFY(palette.color(QPalette::Base).lightness() < 40);
    QVERIFY(palette.color(QPalette::ToolTipBase).lightness() < 40);
    QVERIFY(palette.color(QPalette::Text).lightness() > 180);
    QVERIFY(palette.color(QPalette::Disabled, QPalette::Text) != palette.color(QPalette::Text));
    QVERIFY(palette.color(QPalette::Disabled, QPalette::ButtonText).lightness() <
            palette.color(QPalette::ButtonText).lightness());
}

void TestAppDelegate::mainMenuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QKeySequence>("shortcut");

    const QString app = QStringLiteral("Zentrav");
    QTest::newRow("about") << app << "menu_about" << QKeySequence();
    QTest::newRow("hide") << app << "menu_hide" << QKeySequence(Qt::CTRL | Qt::Key_H);
    QTest::newRow("quit") << app << "menu_quit" << QKeySequence(Qt::CTRL | Qt::Key_Q);
    const QString edit = text("menu_edit");
    QTest::newRow("cut") << edit << "menu_cut" << QKeySequence(Qt::CTRL | Qt::Key_X);
    QTest::newRow("copy") << edit << "menu_copy" << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("paste") << edit << "menu_paste" << QKeySequence(Qt::CTRL | Qt::Key_V);
    QTest::newRow("select all") << edit << "menu_select_all" << QKeySequence(Qt::CTRL | Qt::Key_A);
    const QString window = text("menu_window");
    QTest::newRow("minimize") << window << "menu_minimize" << QKeySequence(Qt::CTRL | Qt::Key_M);
    QTest::newRow("close") << window << "menu_close" << QKeySequence(Qt::CTRL | Qt::Key_W);
}

void TestAppDelegate::mainMenuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, key);
    QFETCH(QKeySequence, shortcut);
    QAction* item = menuItem(menuBar(), menu, key.toLatin1().constData());
    QVERIFY2(item, qPrintable(key));
    QCOMPARE(item->shortcut(), shortcut);

    // Three menus; the application menu has About, Hide and Quit with two separators, nothing
    // for hiding other programs.
    QCOMPARE(menuBar()->actions().size(), 3);
    QCOMPARE(menuItems(menuBar(), QStringLiteral("Zentrav")).size(), 5);
    QVERIFY(!menuItem(menuBar(), QStringLiteral("Zentrav"), "menu_hide_others"));
    QVERIFY(!menuItem(menuBar(), QStringLiteral("Zentrav"), "menu_show_all"));
}

void TestAppDelegate::editItemsActOnTheInputField() {
    QLineEdit* field = delegate->mainViewController()->inputBar()->inputField();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, QStringLiteral("Slack Helper"));
    const QString edit = text("menu_edit");

    menuItem(menuBar(), edit, "menu_select_all")->trigger();
    QCOMPARE(field->selectedText(), QStringLiteral("Slack Helper"));
    menuItem(menuBar(), edit, "menu_cut")->trigger();
    QCOMPARE(field->text(), QString());
    menuItem(menuBar(), edit, "menu_paste")->trigger();
    menuItem(menuBar(), edit, "menu_paste")->trigger();
    QCOMPARE(field->text(), QStringLiteral("Slack HelperSlack Helper"));
}

void TestAppDelegate::aboutTwiceShowsTheSameWindow() {
    QAction* about = menuItem(menuBar(), QStringLiteral("Zentrav"), "menu_about");
    about->trigger();
    AboutWindow* first = delegate->aboutWindow();
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QCOMPARE(first->size(), QSize(300, 260));
    QCOMPARE(first->windowTitle(), text("menu_about"));
    QCOMPARE(first->nameLabel()->text(), QStringLiteral("Zentrav"));
    QCOMPARE(first->nameLabel()->font().pixelSize(), 18);
    QVERIFY(first->versionLabel()->text().contains(QStringLiteral(ZENTRAV_VERSION)));
    QCOMPARE(first->copyrightLabel()->text(), text("copyright"));
    QCOMPARE(first->iconLabel()->size(), QSize(80, 80));
    QVERIFY(!first->iconLabel()->pixmap().isNull());
    QCOMPARE(first->linkButton()->text(), QStringLiteral("zentrav.app"));

    const QPoint moved = first->pos() + QPoint(30, 20);
    first->move(moved);
    first->close();
    QVERIFY(!first->isVisible());

    about->trigger();
    QCOMPARE(delegate->aboutWindow(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->pos(), moved);
}

void TestAppDelegate::aboutLinkOpensTheWebsite() {
    delegate->showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(delegate->aboutWindow()));
    QTest::mouseClick(delegate->aboutWindow()->linkButton(), Qt::LeftButton);
    QCOMPARE(openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://zentrav.app"))});

    delegate->openWebsite(QUrl(QStringLiteral("http://[broken")));
    QCOMPARE(openedUrls.size(), 1);
}

void TestAppDelegate::hideMinimisesTheWindows() {
    delegate->showAbout();
    menuItem(menuBar(), QStringLiteral("Zentrav"), "menu_hide")->trigger();
    QTRY_VERIFY(delegate->window()->isMinimized());
    QTRY_VERIFY(delegate->aboutWindow()->isMinimized());
}

void TestAppDelegate::replacingTheControllerStartsAFreshOne() {
    MainViewController* old = delegate->mainViewController();
    QTest::mouseClick(old->headerBar()->toggleBtn(), Qt::LeftButton);
    QVERIFY(old->monitor().isMonitoring());
    const QPointer<MainViewController> oldGuard(old);

    delegate->replaceMainViewController();
    MainViewController* fresh = delegate->mainViewController();
    QVERIFY(fresh && fresh != old);
    QVERIFY(!fresh->monitor().isMonitoring());
    QTRY_VERIFY(!oldGuard);
    QTRY_COMPARE(fresh->geometry().size(), QSize(520, 560));
    QCOMPARE(delegate->window()->minimumSize(), delegate->window()->maximumSize());
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

QTEST_MAIN(TestAppDelegate)
#include "test_app_delegate.moc"
