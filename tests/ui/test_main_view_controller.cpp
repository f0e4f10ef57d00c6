#include "accessible_tree.h"
#include "active_window.h"
#include "fake_monitor_world.h"
#include "localized_text.h"
#include "main_view_controller.h"
#include "pane_splitter.h"
#include "row_table.h"
#include "test_child.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSplitterHandle>
#include <QtTest>
#include <memory>

class TestMainViewController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void addsTrimmedNames_data();
    void addsTrimmedNames();
    void controlsAreNamedWithRolesAndStates();
    void tabWalksTheWindowInReadingOrder();
    void keyboardWorksTheWatchListRows();
    void focusRingShowsForTheKeyboardOnly();
    void startAndStopShowTheMonitorsState();
    void intervalButtonsSetTheMonitorsInterval();
    void logRowsNewestFirstUntilCleaning_data();
    void logRowsNewestFirstUntilCleaning();
    void dividerKeepsItsDistance();
    void backgroundClickEndsEditing();
    void killsAndLogsARealProcess();

private:
    void showController(MonitorServices services);
    template <typename T = QWidget> T* named(const QString& name) const {
        T* control = controlNamed<T>(controller.get(), name);
        if (!control)
            qWarning("nothing is named \"%s\"", qPrintable(name));
        return control;
    }
    QLineEdit* field() const { return named<QLineEdit>(localized("input_placeholder")); }
    void type(const QString& name) {
        QTest::keyClicks(field(), name);
        QTest::keyClick(field(), Qt::Key_Return);
    }
    QString focusedName() const {
        QWidget* focused = QApplication::focusWidget();
        return focused ? QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name)
                       : QString();
    }
    QStringList logRows() const {
        QStringList rows;
        const auto* table = controller->findChild<RowTable*>(QStringLiteral("logTable"));
        for (int row = 0; row < table->numberOfRows(); ++row)
            rows.append(table->viewForRow(row)->accessibleName());
        return rows;
    }

    std::unique_ptr<FakeMonitorWorld> world;
    std::unique_ptr<MainViewController> controller;
};

void TestMainViewController::init() {
    world = std::make_unique<FakeMonitorWorld>();
    world->selfMemory->bytes = 64 * 1048576;
    showController(world->services());
}

void TestMainViewController::cleanup() {
    controller.reset();
    world.reset();
}

void TestMainViewController::showController(MonitorServices services) {
    controller = std::make_unique<MainViewController>(std::move(services));
    QVERIFY(showActive(*controller));
}

void TestMainViewController::addsTrimmedNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withButton");
    QTest::addColumn<QString>("added");

    QTest::newRow("return") << "  Web Content\t" << false << "Web Content";
    QTest::newRow("button") << " Slack " << true << "Slack";
    QTest::newRow("only blanks, return") << " \t " << false << "";
    QTest::newRow("only blanks, button") << "   " << true << "";
}

void TestMainViewController::addsTrimmedNames() {
    QFETCH(QString, typed);
    QFETCH(bool, withButton);
    QFETCH(QString, added);

    // QTest::keyClicks cannot type a tab into a line edit; insert() is what typing does.
    field()->insert(typed);
    if (withButton)
        QTest::mouseClick(named(localized("add_button")), Qt::LeftButton);
    else
        QTest::keyClick(field(), Qt::Key_Return);

    const QList<TargetProcess>& targets = controller->monitor().targets();
    QCOMPARE(accessibleNamed(controller.get(), localized("no_processes_added")) != nullptr,
             added.isEmpty());
    if (added.isEmpty()) {
        QVERIFY(targets.isEmpty());
        QCOMPARE(field()->text(), typed);
        return;
    }
    QCOMPARE(targets.size(), 1);
    QCOMPARE(targets[0].name, added);
    QCOMPARE(targets[0].matchMode, MatchMode::fuzzy);
    QVERIFY(named(localizedText("a11y_enabled", added)));
    QCOMPARE(field()->text(), QString());
}

// What a screen reader finds in the watch-list view: every control the keyboard reaches has a
// name in words, and the switches, radio groups and badges say their state.
void TestMainViewController::controlsAreNamedWithRolesAndStates() {
    type(QStringLiteral("alpha"));
    QTest::mouseClick(named(localized("a11y_fuzzy")), Qt::LeftButton);
    type(QStringLiteral("beta"));
    QTest::keyClick(named(localizedText("a11y_enabled", "beta")), Qt::Key_Space);
    controller->monitor().appendLogEntries({killLogEntry(QStringLiteral("gamma"), 77)});

    QVERIFY2(!focusableNames(controller.get()).contains(QStringLiteral("?")),
             qPrintable(focusableNames(controller.get()).join(u'|')));
    struct Expected {
        QString name;
        QAccessible::Role role;
        bool checked;
    };
    const QList<Expected> expected = {
        {localized("a11y_status_off"), QAccessible::Client, false},
        {localized("targets_tab"), QAccessible::RadioButton, true},
        {localized("browse_all_tab"), QAccessible::RadioButton, false},
        {localized("a11y_exact"), QAccessible::Button, false},
        {localizedText("a11y_enabled", "alpha"), QAccessible::CheckBox, true},
        {localizedText("a11y_enabled", "beta"), QAccessible::CheckBox, false},
        {localizedText("a11y_remove", "beta"), QAccessible::Button, false},
        {localized("a11y_fuzzy"), QAccessible::StaticText, false},
        {localizedText("a11y_self_memory", "64.0 MB"), QAccessible::StaticText, false},
        {localizedCount("a11y_interval", 5), QAccessible::RadioButton, true},
        {localizedCount("a11y_interval", 60), QAccessible::RadioButton, false},
        {localized("settings_button"), QAccessible::ButtonMenu, false},
    };
    for (const Expected& control : expected) {
        QAccessibleInterface* node = accessibleNamed(controller.get(), control.name);
        QVERIFY2(node, qPrintable(control.name));
        QCOMPARE(node->role(), control.role);
        QCOMPARE(bool(node->state().checked), control.checked);
    }
    QVERIFY(!accessibleNamed(controller.get(), localized("a11y_fuzzy"))
                 ->text(QAccessible::Description)
                 .isEmpty());
    const QString logRow = logRows().value(0);
    QVERIFY2(logRow.contains(localized("a11y_kill_ok")) &&
                 logRow.contains(QStringLiteral("gamma")) &&
                 logRow.contains(QStringLiteral("PID 77")),
             qPrintable(logRow));
}

void TestMainViewController::tabWalksTheWindowInReadingOrder() {
    type(QStringLiteral("alpha"));
    type(QStringLiteral("beta"));
    controller->monitor().appendLogEntries({killLogEntry(QStringLiteral("gamma"), 77)});
    QStringList order = {localized("input_placeholder"), localized("a11y_fuzzy"),
                         localized("add_button"),        localizedText("a11y_enabled", "alpha"),
                         localized("clean_memory"),      logRows().value(0)};
    for (int seconds : {3, 5, 10, 30, 60})
        order.append(localizedCount("a11y_interval", seconds));
    order << localized("export_log") << localized("clear_log") << localized("settings_button")
          << localized("targets_tab") << localized("browse_all_tab") << localized("start")
          << localized("input_placeholder");

    QCOMPARE(focusedName(), order.first());
    QStringList walked = {focusedName()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.append(focusedName());
    }
    QCOMPARE(walked, order);
    QStringList back = {focusedName()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        back.prepend(focusedName());
    }
    QCOMPARE(back, order);
}

void TestMainViewController::keyboardWorksTheWatchListRows() {
    for (const char* name : {"alpha", "beta", "gamma"})
        type(QString::fromLatin1(name));
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    for (int tab = 0; tab < 3; ++tab)
        press(Qt::Key_Tab);
    QCOMPARE(focusedName(), localizedText("a11y_enabled", "alpha"));
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    QCOMPARE(focusedName(), localizedText("a11y_enabled", "beta"));
    press(Qt::Key_Space);
    const ProcessMonitor& monitor = controller->monitor();
    QVERIFY(monitor.targets()[0].isEnabled);
    QVERIFY(!monitor.targets()[1].isEnabled);
    QVERIFY(!QApplication::focusWidget()->property("checked").toBool());

    press(Qt::Key_End);
    QCOMPARE(focusedName(), localizedText("a11y_enabled", "gamma"));
    // The last row goes; the focus stays in the list, on its new last row.
    press(Qt::Key_Delete);
    QCOMPARE(monitor.targets().size(), 2);
    QCOMPARE(focusedName(), localizedText("a11y_enabled", "beta"));
    press(Qt::Key_Home);
    press(Qt::Key_Up);
    press(Qt::Key_Delete);
    QCOMPARE(focusedName(), localizedText("a11y_enabled", "beta"));
    press(Qt::Key_Delete);
    QVERIFY(monitor.targets().isEmpty());
    // Nothing left to work on: Tab goes on to the log's button.
    press(Qt::Key_Tab);
    QCOMPARE(focusedName(), localized("clean_memory"));
}

// A ring shows on the plate where the keyboard is, and goes at the next click.
void TestMainViewController::focusRingShowsForTheKeyboardOnly() {
    QWidget* add = named(localized("add_button"));
    const auto edge = [add] { return add->grab().toImage().pixelColor(add->width() / 2, 1); };
    const QColor plain = edge();
    QTest::keyClick(field(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), add);
    QVERIFY2(edge().lightness() > plain.lightness() + 60, qPrintable(edge().name()));
    QTest::mouseClick(field(), Qt::LeftButton);
    QCOMPARE(edge(), plain);
}

void TestMainViewController::startAndStopShowTheMonitorsState() {
    for (const char* name : {"one", "two", "three"})
        type(QString::fromLatin1(name));
    QTest::mouseClick(named(localizedText("a11y_enabled", "three")), Qt::LeftButton);
    const auto* status = controller->findChild<QLabel*>(QStringLiteral("statusLabel"));
    QCOMPARE(status->text(), localized("stopped"));

    QTest::mouseClick(named(localized("start")), Qt::LeftButton);
    QVERIFY(controller->monitor().isMonitoring());
    QCOMPARE(status->text(), localizedCount("monitoring_count", 2));
    QVERIFY(named(localized("a11y_status_on")));
    // The count is taken when monitoring starts, not on every change of the list.
    QTest::mouseClick(named(localizedText("a11y_enabled", "one")), Qt::LeftButton);
    QCOMPARE(status->text(), localizedCount("monitoring_count", 2));

    QTest::mouseClick(named(localized("stop")), Qt::LeftButton);
    QVERIFY(!controller->monitor().isMonitoring());
    QCOMPARE(status->text(), localized("stopped"));
    QVERIFY(named(localized("a11y_status_off")));
    QTest::mouseClick(named(localized("start")), Qt::LeftButton);
    QCOMPARE(status->text(), localizedCount("monitoring_count", 1));
}

void TestMainViewController::intervalButtonsSetTheMonitorsInterval() {
    QCOMPARE(controller->monitor().scanInterval(), 5.0);
    const auto isChecked = [this](int seconds) {
        return bool(accessibleNamed(controller.get(), localizedCount("a11y_interval", seconds))
                        ->state()
                        .checked);
    };
    QWidget* sixty = named(localizedCount("a11y_interval", 60));
    // Twice: choosing the chosen interval again changes nothing.
    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(sixty, Qt::LeftButton);
        QCOMPARE(controller->monitor().scanInterval(), 60.0);
        QVERIFY(isChecked(60) && !isChecked(5));
    }
    // The arrow keys move the choice within the group.
    sixty->setFocus(Qt::TabFocusReason);
    QTest::keyClick(sixty, Qt::Key_Left);
    QCOMPARE(controller->monitor().scanInterval(), 30.0);
    QVERIFY(isChecked(30) && !isChecked(60));
}

void TestMainViewController::logRowsNewestFirstUntilCleaning_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("measured") << qint64(123.456 * 1048576) << "123.5 MB";
    QTest::newRow("failed measurement") << qint64(0) << "";
}

void TestMainViewController::logRowsNewestFirstUntilCleaning() {
    QFETCH(qint64, bytes);
    QFETCH(QString, shown);
    ProcessMonitor& monitor = controller->monitor();
    monitor.appendLogEntries({killLogEntry(QStringLiteral("first"), 1)});
    monitor.appendLogEntries(
        {killLogEntry(QStringLiteral("second"), 2), killLogEntry(QStringLiteral("third"), 3)});
    const QStringList rows = logRows();
    QCOMPARE(rows.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(rows[i].endsWith(QStringLiteral("PID %1").arg(i == 0   ? 2
                                                               : i == 1 ? 3
                                                                        : 1)),
                 qPrintable(rows[i]));

    // Cleaning moves the log to its day file, frees memory and measures it again.
    const auto* figure = controller->findChild<QLabel*>(QStringLiteral("selfMemLabel"));
    QCOMPARE(figure->text(), QStringLiteral("64.0 MB"));
    world->selfMemory->bytes = bytes;
    QTest::mouseClick(named(localized("clean_memory")), Qt::LeftButton);
    QCOMPARE(world->selfMemory->releases, 1);
    QVERIFY(logRows().isEmpty());
    QVERIFY(accessibleNamed(controller.get(), localized("no_kills_yet")));
    QTRY_COMPARE(figure->text(), shown);
}

void TestMainViewController::dividerKeepsItsDistance() {
    auto* split = controller->findChild<PaneSplitter*>();
    QCOMPARE(split->sizes().at(0), qRound(0.55 * split->height()));
    QSplitterHandle* handle = split->handle(1);
    const auto dragBy = [handle](int dy) {
        const QPoint grip(handle->width() / 2, handle->height() / 2);
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
        QTest::mouseMove(handle, grip + QPoint(0, dy));
        QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip + QPoint(0, dy));
    };
    dragBy(-1000);
    QCOMPARE(split->sizes().at(0), PaneSplitter::minimumPaneHeight);
    dragBy(1000);
    QCOMPARE(split->sizes().at(1), PaneSplitter::minimumPaneHeight);
    // A later resize never puts the divider back at 55 %.
    split->resize(split->width(), split->height() + 40);
    QVERIFY(split->sizes().at(1) <= PaneSplitter::minimumPaneHeight + 40);
}

void TestMainViewController::backgroundClickEndsEditing() {
    type(QStringLiteral("alpha"));
    QTest::mouseClick(field(), Qt::LeftButton);
    // Controls keep the field in edit; empty space or a label ends it.
    QTest::mouseClick(named(localizedText("a11y_enabled", "alpha")), Qt::LeftButton);
    QVERIFY(field()->hasFocus());
    QTest::mouseClick(named(QStringLiteral("alpha")), Qt::LeftButton);
    QVERIFY(!field()->hasFocus());

    QTest::mouseClick(field(), Qt::LeftButton);
    QWidget* table = controller->findChild<RowTable*>(QStringLiteral("targetsTable"))->viewport();
    QTest::mouseClick(table, Qt::LeftButton, Qt::NoModifier,
                      QPoint(table->width() / 2, table->height() - 5));
    QVERIFY(!field()->hasFocus());
}

void TestMainViewController::killsAndLogsARealProcess() {
    TestChild child(QStringLiteral("zvw"));
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    showController(world->realProcessServices());

    type(child.name());
    QTest::mouseClick(named(localized("start")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!logRows().isEmpty(), 15000);
    QVERIFY(logRows().first().contains(child.name()));
    QVERIFY(child.waitForEnd(5000) > 0);
}

QTEST_MAIN(TestMainViewController)
#include "test_main_view_controller.moc"
