#include "about_window.h"
#include "accessible_tree.h"
#include "app_delegate.h"
#include "fake_monitor_world.h"
#include "lang.h"
#include "main_view_controller.h"
#include "window_placement.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
template <typename T> T* topLevel() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(window))
            return found;
    }
    return nullptr;
}

QPoint offCentre(const QWidget& window) {
    return window.frameGeometry().center() - window.screen()->availableGeometry().center();
}
} // namespace

class TestAppDelegate : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeMonitorWorld> world;
    QList<QUrl> openedUrls;
    std::unique_ptr<AppDelegate> delegate;

    MainViewController* view() const {
        return qobject_cast<MainViewController*>(topLevel<QMainWindow>()->centralWidget());
    }
    // Every title of the menu bar and its menus, in order.
    QStringList menuTexts() const {
        QStringList texts;
        for (QAction* top : topLevel<QMainWindow>()->menuBar()->actions()) {
            texts.append(top->text());
            for (QAction* item : top->menu()->actions())
                texts.append(item->text());
        }
        return texts;
    }
    void trigger(const char* key) {
        for (QAction* top : topLevel<QMainWindow>()->menuBar()->actions()) {
            for (QAction* item : top->menu()->actions()) {
                if (item->text() == localized(key))
                    return item->trigger();
            }
        }
        QFAIL(key);
    }

private Q_SLOTS:
    void init() {
        Lang::shared().setLanguage(QStringLiteral("en"));
        world = std::make_unique<FakeMonitorWorld>();
        openedUrls.clear();
        AppDelegate::Environment environment;
        environment.monitorServices = [this] { return world->services(); };
        environment.openUrl = [this](const QUrl& url) { return openedUrls.append(url), true; };
        delegate = std::make_unique<AppDelegate>(std::move(environment));
        delegate->applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowActive(topLevel<QMainWindow>()));
    }

    void cleanup() {
        delegate.reset();
        world.reset();
        Lang::shared().setLanguage(QStringLiteral("system"));
    }

    void startsWithOneFixedCentredWindow() {
        QMainWindow* window = topLevel<QMainWindow>();
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        // Before the first show the frame's size is not known; a few pixels off is still centred.
        QVERIFY(offCentre(*window).manhattanLength() <= 8);
        // Set once the first frame is out.
        QTRY_VERIFY(!QApplication::windowIcon().availableSizes().isEmpty());
    }

    void editItemsActOnTheInputField() {
        auto* field = view()->findChild<QLineEdit*>("inputField");
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, QStringLiteral("Chat Helper"));
        trigger("menu_select_all");
        QCOMPARE(field->selectedText(), QStringLiteral("Chat Helper"));
        trigger("menu_cut");
        QCOMPARE(field->text(), QString());
        trigger("menu_paste");
        trigger("menu_paste");
        QCOMPARE(field->text(), QStringLiteral("Chat HelperChat Helper"));
    }

    // Escape closes the About window; it comes back as it was, until Hide lasts until the next
    // start of the program hands over to this one.
    void aboutShowsOneWindowAndHideLastsUntilTheNextStart() {
        trigger("menu_about");
        AboutWindow* about = topLevel<AboutWindow>();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(offCentre(*about).manhattanLength() <= 8);
        QVERIFY(about->findChild<QLabel*>("aboutVersion")->text().contains(ZENTRAV_VERSION));
        QTest::mouseClick(about->findChild<QWidget*>("aboutLink"), Qt::LeftButton);
        QCOMPARE(openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://zentrav.app"))});

        const QPoint moved = about->pos() + QPoint(30, 20);
        about->move(moved);
        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(!about->isVisible() && topLevel<QMainWindow>()->isVisible());
        trigger("menu_about");
        QCOMPARE(topLevel<AboutWindow>(), about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->pos(), moved);

        trigger("menu_hide");
        QTRY_VERIFY(topLevel<QMainWindow>()->isMinimized());
        QTRY_VERIFY(about->isMinimized());
        delegate->showMainWindow();
        QVERIFY(!topLevel<QMainWindow>()->isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(topLevel<QMainWindow>()));
    }

    void sessionEndWritesTheLog() {
        view()->monitor().appendLogEntries({killLogEntry(QStringLiteral("Chat Helper"))});
        delegate->commitData();
        QCOMPARE(view()->monitor().loadAllLogs().size(), 1);
    }

    void languageChangeRebuildsTheMainViewOnly() {
        const QString englishStart = localized("start");
        const QStringList menuBefore = menuTexts();
        trigger("menu_about");
        const QString copyright =
            topLevel<AboutWindow>()->findChild<QLabel*>("aboutCopyright")->text();
        const QPointer<MainViewController> old = view();
        QTest::mouseClick(old->findChild<QWidget*>("toggleBtn"), Qt::LeftButton);
        QTest::mouseClick(old->findChild<QWidget*>("browseTabBtn"), Qt::LeftButton);
        QVERIFY(old->monitor().isMonitoring());

        useMenu(old->findChild<QWidget*>("settingsBtn"), QStringLiteral("日本語"));
        QCOMPARE(Lang::shared().currentCode(), QStringLiteral("ja"));
        QTRY_VERIFY(!old);

        // A fresh view in the new language, idle and on the watch list.
        QVERIFY(localized("start") != englishStart);
        QCOMPARE(view()->findChild<QPushButton*>("toggleBtn")->text(), localized("start"));
        QVERIFY(!view()->monitor().isMonitoring());
        QVERIFY(!view()->findChild<QWidget*>("rightTargetsGroup")->isHidden());
        QCOMPARE(menuTexts(), menuBefore);
        QCOMPARE(topLevel<AboutWindow>()->findChild<QLabel*>("aboutCopyright")->text(), copyright);
    }

    // Centred where it fits, else at the top or left edge of the screen's available area.
    void windowIsPlacedInsideTheAvailableArea() {
        QCOMPARE(placedTopLeft(QSize(520, 600), QRect(0, 40, 1280, 760)), QPoint(380, 120));
        QCOMPARE(placedTopLeft(QSize(520, 600), QRect(0, 0, 640, 400)), QPoint(60, 0));
        QCOMPARE(placedTopLeft(QSize(520, 600), QRect(1280, 24, 400, 300)), QPoint(1280, 24));
    }

    // Runs last: it needs the event loop of its own, which ends when the last window closes.
    void quitsWhenTheLastWindowCloses() {
        trigger("menu_about");
        bool runningWithAboutOpen = false;
        QTimer::singleShot(0, this, [&] {
            topLevel<QMainWindow>()->close();
            QTimer::singleShot(100, this, [&] {
                runningWithAboutOpen = true;
                topLevel<AboutWindow>()->close();
            });
        });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(runningWithAboutOpen);
    }
};

int main(int argc, char* argv[]) {
    // The language choice goes to this run's own config folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestAppDelegate test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_app_delegate.moc"
