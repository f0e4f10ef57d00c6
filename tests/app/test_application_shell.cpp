#include "accessible_tree.h"
#include "app/about_window.h"
#include "app/application_shell.h"
#include "app/window_placement.h"
#include "engine/i18n/lang.h"
#include "engine/storage/kill_log_store.h"
#include "fake_monitor_world.h"
#include "record_lines.h"
#include "ui/kill_history_window.h"
#include "ui/main_view.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
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

struct RecordingNotifier : DesktopNotifier {
    void show(const DesktopNotification& notification) override { shown.append(notification); }
    QList<DesktopNotification> shown;
};
} // namespace

class TestApplicationShell : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeMonitorWorld> world;
    std::unique_ptr<ApplicationShell> delegate;
    std::shared_ptr<RecordingNotifier> notifier;

    // A start of the program, on the same settings and logs as the one before.
    void launch() {
        delegate.reset();
        ApplicationShell::Environment environment;
        environment.monitorServices = [this] { return world->services(); };
        environment.openUrl = [](const QUrl&) { return true; };
        environment.notifier = notifier = std::make_shared<RecordingNotifier>();
        delegate = std::make_unique<ApplicationShell>(std::move(environment));
        delegate->start();
        QVERIFY(QTest::qWaitForWindowActive(topLevel<QMainWindow>()));
    }

    MainView* view() const {
        return qobject_cast<MainView*>(topLevel<QMainWindow>()->centralWidget());
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
        Lang::instance().setLanguage(QStringLiteral("en"));
        world = std::make_unique<FakeMonitorWorld>();
        launch();
    }

    void cleanup() {
        delegate.reset();
        world.reset();
        Lang::instance().setLanguage(QStringLiteral("system"));
    }

    // Hide lasts until the next start of the program hands over to this one.
    void hideLastsUntilTheNextStart() {
        trigger("menu_hide");
        QTRY_VERIFY(topLevel<QMainWindow>()->isMinimized());
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
        const QPointer<MainView> old = view();
        QTest::mouseClick(old->findChild<QWidget*>("toggleBtn"), Qt::LeftButton);
        QTest::mouseClick(old->findChild<QWidget*>("browseTabBtn"), Qt::LeftButton);
        QVERIFY(old->monitor().isMonitoring());

        chooseFromMenu(old->findChild<QWidget*>("settingsBtn"), QStringLiteral("日本語"));
        QCOMPARE(Lang::instance().currentCode(), QStringLiteral("ja"));
        QTRY_VERIFY(!old);

        // A fresh view in the new language, idle and on the watch list.
        QVERIFY(localized("start") != englishStart);
        QCOMPARE(view()->findChild<QPushButton*>("toggleBtn")->text(), localized("start"));
        QVERIFY(!view()->monitor().isMonitoring());
        QVERIFY(!view()->findChild<QWidget*>("rightTargetsGroup")->isHidden());
        QCOMPARE(menuTexts(), menuBefore);
    }

    // Opened by its shortcut, and by the link in the empty log pane: the day files' entries, the
    // pane's and those recorded since, newest first. Tab reaches every control, each with a
    // name; Escape closes the window and frees it.
    void killHistoryOpensAndTheKeyboardWalksIt() {
        KillLogEntry onDisk = killLogEntry(QStringLiteral("zvh-disk"));
        onDisk.timestamp = onDisk.timestamp.addDays(-1).addMSecs(-onDisk.timestamp.time().msec());
        QFile day(
            world->logs.filePath(QStringLiteral("logs/") +
                                 KillLogStore::dayFileName(onDisk.timestamp.toLocalTime().date())));
        QVERIFY(day.open(QIODevice::WriteOnly) && day.write(pretty({onDisk})) > 0);
        day.close();
        view()->monitor().appendLogEntries({killLogEntry(QStringLiteral("zvh-pane"))});
        QTest::keyClick(topLevel<QMainWindow>(), Qt::Key_H,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QPointer<KillHistoryWindow> history = topLevel<KillHistoryWindow>();
        QVERIFY(history && QTest::qWaitForWindowActive(history));
        const auto* rows = history->findChild<QTableView*>(QStringLiteral("historyTable"))->model();
        QTRY_COMPARE(rows->rowCount(), 2);
        view()->monitor().appendLogEntries({killLogEntry(QStringLiteral("zvh-new"))});
        QCOMPARE(rows->rowCount(), 3);
        QCOMPARE(rows->index(0, 2).data().toString(), QStringLiteral("zvh-new"));

        const auto focusedName = [] {
            return QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                ->text(QAccessible::Name);
        };
        // The range buttons are one stop, at the one chosen; the arrow keys choose another.
        const QStringList order = {localized("history_search"),  localized("history_all"),
                                   localized("history_export"),  localized("history_chart"),
                                   localized("history_entries"), localized("history_totals"),
                                   localized("history_search"),  localized("history_all")};
        QStringList walked = {focusedName()};
        while (walked.size() < order.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked.append(focusedName());
        }
        QCOMPARE(walked, order);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(focusedName(), localized("history_today"));
        QCOMPARE(rows->rowCount(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("NEW"));
        QCOMPARE(rows->rowCount(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!history);

        view()->monitor().flushLog();
        QWidget* link = controlNamed(view(), localized("history_link"));
        QVERIFY(link);
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(topLevel<KillHistoryWindow>());
    }

    // A start begins monitoring at once, at the interval last chosen, only while the setting is
    // on; the view a language change brings stays idle.
    void startsMonitoringAtLaunchWhenChosen() {
        QTest::mouseClick(view()->findChild<QWidget*>("interval30Btn"), Qt::LeftButton);
        chooseFromMenu(view()->findChild<QWidget*>("settingsBtn"), localized("start_at_launch"));
        launch();
        QVERIFY(view()->monitor().isMonitoring());
        QCOMPARE(view()->monitor().scanInterval(), 30.0);

        const QPointer<MainView> old = view();
        chooseFromMenu(old->findChild<QWidget*>("settingsBtn"), QStringLiteral("English"));
        QTRY_VERIFY(!old);
        QVERIFY(!view()->monitor().isMonitoring());

        chooseFromMenu(view()->findChild<QWidget*>("settingsBtn"), localized("start_at_launch"));
        launch();
        QVERIFY(!view()->monitor().isMonitoring());
        QCOMPARE(view()->monitor().scanInterval(), 5.0);
    }

    // While switched on, each batch that ended something is one notification, from the
    // monitor of every view; its action opens the kill history.
    void notificationsFollowTheSettingAndOpenTheHistory() {
        KillLogEntry failed = killLogEntry(QStringLiteral("zvn-failed"));
        failed.success = false;
        view()->monitor().appendLogEntries({killLogEntry(QStringLiteral("zvn-off"))});
        chooseFromMenu(view()->findChild<QWidget*>("settingsBtn"), localized("notify_when_ended"));
        view()->monitor().appendLogEntries({failed});
        view()->monitor().appendLogEntries({killLogEntry(QStringLiteral("zvn-on")), failed});
        QCOMPARE(notifier->shown.size(), 1);
        QCOMPARE(notifier->shown[0].body, QStringLiteral("zvn-on"));

        const QPointer<MainView> old = view();
        chooseFromMenu(old->findChild<QWidget*>("settingsBtn"), QStringLiteral("English"));
        QTRY_VERIFY(!old);
        view()->monitor().appendLogEntries({killLogEntry(QStringLiteral("zvn-new"))});
        QCOMPARE(notifier->shown.size(), 2);

        Q_EMIT notifier->actionInvoked(QString());
        QVERIFY(topLevel<KillHistoryWindow>());
        QVERIFY(QTest::qWaitForWindowExposed(topLevel<KillHistoryWindow>()));
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
    TestApplicationShell test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_application_shell.moc"
