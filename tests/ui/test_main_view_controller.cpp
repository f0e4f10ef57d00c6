#include "active_window.h"
#include "empty_state_label.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "footer_bar.h"
#include "header_bar.h"
#include "input_bar.h"
#include "log_cell_view.h"
#include "log_pane.h"
#include "main_view_controller.h"
#include "pane_splitter.h"
#include "plate.h"
#include "row_table.h"
#include "tables_pane.h"
#include "target_cell_view.h"
#include "test_child.h"
#include "text_format.h"
#include "theme.h"
#include "toggle_switch.h"

#include <QLabel>
#include <QLineEdit>
#include <QSplitterHandle>
#include <QtTest>
#include <memory>

namespace {
// The colour the user sees on a button's plate: the middle of its top edge, clear of the title.
QColor plateColour(QWidget* button) {
    return button->grab().toImage().pixelColor(button->width() / 2, 2);
}

// A row's label inside a table, whose viewport's Base role it must not take up.
QColor textColour(const QWidget* label) {
    return label->palette().color(label->foregroundRole());
}
} // namespace

class TestMainViewController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void addsTrimmedNames_data();
    void addsTrimmedNames();
    void matchModeButtonSwitchesTheNextEntries();
    void rowSwitchAndCrossActOnTheirOwnEntry();
    void startAndStopShowTheMonitorsState();
    void intervalButtonsSetTheMonitorsInterval_data();
    void intervalButtonsSetTheMonitorsInterval();
    void logRowsNewestFirstUntilCleaning_data();
    void logRowsNewestFirstUntilCleaning();
    void dividerStartsAtFiftyFivePercentAndKeepsItsDistance();
    void backgroundClickEndsEditing();
    void killsAndLogsARealProcess();

private:
    void showController(MonitorServices services);
    void type(const QString& name) {
        QTest::keyClicks(field(), name);
        QTest::keyClick(field(), Qt::Key_Return);
    }
    QLineEdit* field() const { return controller->inputBar()->inputField(); }
    TargetCellView* targetRow(int index) const {
        return static_cast<TargetCellView*>(
            controller->tablesPane()->targetsTable()->viewForRow(index));
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
    QTest::mouseClick(field(), Qt::LeftButton);
    field()->insert(typed);
    if (withButton)
        QTest::mouseClick(controller->inputBar()->addBtn(), Qt::LeftButton);
    else
        QTest::keyClick(field(), Qt::Key_Return);

    const QList<TargetProcess>& targets = controller->monitor().targets();
    QCOMPARE(controller->tablesPane()->targetsEmpty()->isVisible(), added.isEmpty());
    if (added.isEmpty()) {
        QVERIFY(targets.isEmpty());
        QCOMPARE(field()->text(), typed);
        return;
    }
    QCOMPARE(targets.size(), 1);
    QCOMPARE(targets[0].name, added);
    QCOMPARE(targets[0].matchMode, MatchMode::fuzzy);
    QVERIFY(targets[0].isEnabled);
    QCOMPARE(targetRow(0)->nameLabel()->text(), added);
    QCOMPARE(textColour(targetRow(0)->nameLabel()), Theme::textPrimary());
    QCOMPARE(field()->text(), QString());
}

void TestMainViewController::matchModeButtonSwitchesTheNextEntries() {
    FlatButton* matchMode = controller->inputBar()->matchModeBtn();
    QCOMPARE(matchMode->text(), QStringLiteral("~Fuzzy"));
    QCOMPARE(matchMode->look().text, Theme::orange());

    QTest::mouseClick(matchMode, Qt::LeftButton);
    QCOMPARE(matchMode->text(), QStringLiteral("=Exact"));
    QCOMPARE(matchMode->look().text, Theme::accent());
    // The same name twice is two entries.
    type(QStringLiteral("one"));
    type(QStringLiteral("one"));
    QTest::mouseClick(matchMode, Qt::LeftButton);
    QCOMPARE(matchMode->text(), QStringLiteral("~Fuzzy"));
    type(QStringLiteral("three"));

    const QList<TargetProcess>& targets = controller->monitor().targets();
    QCOMPARE(targets.size(), 3);
    QCOMPARE(controller->tablesPane()->targetsTable()->numberOfRows(), 3);
    QCOMPARE(targets[0].matchMode, MatchMode::exact);
    QCOMPARE(targets[1].matchMode, MatchMode::exact);
    QCOMPARE(targets[2].matchMode, MatchMode::fuzzy);
}

void TestMainViewController::rowSwitchAndCrossActOnTheirOwnEntry() {
    for (const char* name : {"alpha", "beta", "gamma"})
        type(QString::fromLatin1(name));
    const ProcessMonitor& monitor = controller->monitor();

    QTest::mouseClick(targetRow(1)->toggle(), Qt::LeftButton);
    QVERIFY(monitor.targets()[0].isEnabled);
    QVERIFY(!monitor.targets()[1].isEnabled);

    // Row 0 goes; the row widgets are reused for beta and gamma, one place up.
    QTest::mouseClick(targetRow(0)->deleteBtn(), Qt::LeftButton);
    QCOMPARE(targetRow(0)->nameLabel()->text(), QStringLiteral("beta"));
    QTest::mouseClick(targetRow(0)->toggle(), Qt::LeftButton);
    QVERIFY(monitor.targets()[0].isEnabled);
    QTest::mouseClick(targetRow(1)->deleteBtn(), Qt::LeftButton);
    QCOMPARE(monitor.targets().size(), 1);
    QCOMPARE(monitor.targets()[0].name, QStringLiteral("beta"));

    QTest::mouseClick(targetRow(0)->deleteBtn(), Qt::LeftButton);
    QVERIFY(monitor.targets().isEmpty());
    QVERIFY(controller->tablesPane()->targetsEmpty()->isVisible());
}

void TestMainViewController::startAndStopShowTheMonitorsState() {
    HeaderBar* header = controller->headerBar();
    const auto showsStopped = [&] {
        QVERIFY(!controller->monitor().isMonitoring());
        QCOMPARE(header->statusLabel()->text(), localized("stopped"));
        QCOMPARE(header->statusDot()->color(), Theme::textMuted());
        QCOMPARE(header->toggleBtn()->text(), localized("start"));
        QCOMPARE(plateColour(header->toggleBtn()), Theme::green());
    };
    showsStopped();

    for (const char* name : {"one", "two", "three"})
        type(QString::fromLatin1(name));
    QTest::mouseClick(targetRow(2)->toggle(), Qt::LeftButton);

    const QString monitoringTwo = formatted(localized("monitoring_count"), 2);
    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
    QVERIFY(controller->monitor().isMonitoring());
    QCOMPARE(header->statusLabel()->text(), monitoringTwo);
    QCOMPARE(header->statusDot()->color(), Theme::green());
    QCOMPARE(header->toggleBtn()->text(), localized("stop"));
    QCOMPARE(plateColour(header->toggleBtn()), Theme::red());

    // The count is taken when monitoring starts, not on every change of the list.
    QTest::mouseClick(targetRow(0)->toggle(), Qt::LeftButton);
    QCOMPARE(header->statusLabel()->text(), monitoringTwo);

    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
    showsStopped();
    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
    QCOMPARE(header->statusLabel()->text(), formatted(localized("monitoring_count"), 1));
}

void TestMainViewController::intervalButtonsSetTheMonitorsInterval_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("seconds");
    QTest::newRow("3s") << 0 << 3.0;
    QTest::newRow("5s, the first choice") << 1 << 5.0;
    QTest::newRow("60s") << 4 << 60.0;
}

void TestMainViewController::intervalButtonsSetTheMonitorsInterval() {
    QFETCH(int, index);
    QFETCH(double, seconds);
    const QList<FlatButton*>& buttons = controller->footerBar()->intervalBtns();
    QCOMPARE(controller->monitor().scanInterval(), 5.0);
    QCOMPARE(buttons[index]->text(), QString::number(int(seconds)) + QLatin1Char('s'));

    // Twice: choosing the chosen interval again changes nothing.
    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(buttons[index], Qt::LeftButton);
        QCOMPARE(controller->monitor().scanInterval(), seconds);
        for (qsizetype i = 0; i < buttons.size(); ++i)
            QCOMPARE(plateColour(buttons[i]), i == index ? Theme::accent() : Theme::surface());
    }
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
    monitor.appendLogEntries({killLogEntry(QStringLiteral("first scan"))});
    monitor.appendLogEntries({killLogEntry(QStringLiteral("second scan a")),
                              killLogEntry(QStringLiteral("second scan b"))});
    RowTable* table = controller->logPane()->logTable();
    QStringList rows;
    for (int row = 0; row < table->numberOfRows(); ++row)
        rows.append(static_cast<LogCellView*>(table->viewForRow(row))->nameLabel()->text());
    QCOMPARE(rows, (QStringList{"second scan a", "second scan b", "first scan"}));

    // Cleaning moves the log to its day file, frees memory and measures it again.
    QLabel* figure = controller->logPane()->selfMemLabel();
    QCOMPARE(figure->text(), QStringLiteral("64.0 MB"));
    world->selfMemory->bytes = bytes;
    QTest::mouseClick(controller->logPane()->cleanMemBtn(), Qt::LeftButton);
    QCOMPARE(world->selfMemory->releases, 1);
    QVERIFY(controller->logPane()->logEmpty()->isVisible());
    QTRY_COMPARE(figure->text(), shown);
}

void TestMainViewController::dividerStartsAtFiftyFivePercentAndKeepsItsDistance() {
    PaneSplitter* split = controller->splitView();
    QCOMPARE(split->height(), 560 - 44 - 42 - 40);
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
    dragBy(-100);
    QCOMPARE(split->sizes().at(1), PaneSplitter::minimumPaneHeight + 100);

    // A later resize shares out the new height but never puts the divider back at 55 %.
    dragBy(-1000);
    split->resize(split->width(), split->height() + 40);
    QVERIFY(split->sizes().at(0) <= PaneSplitter::minimumPaneHeight + 40);
}

void TestMainViewController::backgroundClickEndsEditing() {
    type(QStringLiteral("alpha"));
    QTest::mouseClick(field(), Qt::LeftButton);
    // Controls keep the field in edit; empty space or a label ends it.
    QTest::mouseClick(targetRow(0)->toggle(), Qt::LeftButton);
    QVERIFY(field()->hasFocus());
    QTest::mouseClick(targetRow(0)->nameLabel(), Qt::LeftButton);
    QVERIFY(!field()->hasFocus());

    QTest::mouseClick(field(), Qt::LeftButton);
    QVERIFY(field()->hasFocus());
    RowTable* table = controller->tablesPane()->targetsTable();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(table->viewport()->width() / 2, table->viewport()->height() - 5));
    QVERIFY(!field()->hasFocus());
}

void TestMainViewController::killsAndLogsARealProcess() {
    TestChild child(QStringLiteral("zvw"));
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    showController(world->realProcessServices());

    type(child.name());
    QTest::mouseClick(controller->headerBar()->toggleBtn(), Qt::LeftButton);

    RowTable* table = controller->logPane()->logTable();
    QTRY_VERIFY_WITH_TIMEOUT(table->numberOfRows() > 0, 15000);
    const QLabel* name = static_cast<LogCellView*>(table->viewForRow(0))->nameLabel();
    QCOMPARE(name->text(), child.name());
    QCOMPARE(textColour(name), Theme::textPrimary());
    QVERIFY(child.waitForEnd(5000) > 0);
}

QTEST_MAIN(TestMainViewController)
#include "test_main_view_controller.moc"
