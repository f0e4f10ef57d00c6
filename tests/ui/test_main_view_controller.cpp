#include "configure_table.h"
#include "empty_state_label.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "footer_bar.h"
#include "header_bar.h"
#include "input_bar.h"
#include "lang.h"
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
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
QString text(const char* key) {
    return Lang::shared().localized(QString::fromLatin1(key));
}

// The colour the user sees on a button's plate: the middle of its top edge, clear of the title.
QColor plateColour(QWidget* button) {
    return button->grab().toImage().pixelColor(button->width() / 2, 2);
}

KillLogEntry logEntry(const QString& name, qint32 pid) {
    return KillLogEntry{QUuid::createUuid(),     QDateTime::currentDateTimeUtc(), name, pid, true,
                        QStringLiteral("killed")};
}

} // namespace

class TestMainViewController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsIdleWithEmptyPanesAndFiveSeconds();
    void bandsStackAtTheirHeights();
    void addsTrimmedNames_data();
    void addsTrimmedNames();
    void sameNameTwiceGivesTwoRows();
    void matchModeButtonSwitchesTheNextEntry();
    void rowSwitchAndCrossActOnTheirOwnEntry();
    void startAndStopShowTheMonitorsState();
    void intervalButtonsSetTheMonitorsInterval_data();
    void intervalButtonsSetTheMonitorsInterval();
    void ownMemoryFigure_data();
    void ownMemoryFigure();
    void cleanMemoryReleasesAndRemeasures();
    void logRowsNewestFirstAndClearEmptiesThem();
    void dividerStartsAtFiftyFivePercentAndKeepsItsDistance();
    void backgroundClickEndsEditing();
    void returnAddsNothingWhileBrowsing();
    void killsAndLogsARealProcess();

private:
    void showController(MonitorServices services);
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
    controller->show();
    QVERIFY(QTest::qWaitForWindowExposed(controller.get()));
    controller->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(controller.get()));
}

void TestMainViewController::startsIdleWithEmptyPanesAndFiveSeconds() {
    QCOMPARE(controller->size(), QSize(520, 560));
    HeaderBar* header = controller->headerBar();
    QCOMPARE(header->statusLabel()->text(), text("stopped"));
    QCOMPARE(header->statusDot()->color(), Theme::textMuted());
    QCOMPARE(header->toggleBtn()->text(), text("start"));
    QCOMPARE(plateColour(header->toggleBtn()), Theme::green());
    QCOMPARE(plateColour(header->targetsTabBtn()), Theme::accent());

    QVERIFY(controller->tablesPane()->targetsEmpty()->isVisible());
    QCOMPARE(controller->tablesPane()->targetsEmpty()->text(), text("no_processes_added"));
    QVERIFY(controller->logPane()->logEmpty()->isVisible());
    QCOMPARE(controller->logPane()->logEmpty()->text(), text("no_kills_yet"));
    QCOMPARE(controller->logPane()->titleLabel()->text(), text("kill_log"));
    QCOMPARE(field()->placeholderText(), text("input_placeholder"));
    QVERIFY(!controller->inputBar()->procCountLabel()->isVisible());
    QCOMPARE(controller->footerBar()->caption()->text(), text("scan_every"));
    QCOMPARE(controller->footerBar()->settingsBtn()->accessibleName(), QStringLiteral("Settings"));
    QCOMPARE(controller->footerBar()->settingsBtn()->size(), QSize(24, 24));

    QCOMPARE(controller->monitor().scanInterval(), 5.0);
    QCOMPARE(controller->selectedInterval(), 5.0);
    QCOMPARE(plateColour(controller->footerBar()->intervalBtns().at(1)), Theme::accent());
}

void TestMainViewController::bandsStackAtTheirHeights() {
    const QWidget* bands[] = {controller->headerBar(), controller->inputBar(),
                              controller->splitView(), controller->footerBar()};
    int top = 0;
    for (const QWidget* band : bands) {
        QCOMPARE(band->geometry().top(), top);
        QCOMPARE(band->width(), 520);
        top += band->height();
    }
    QCOMPARE(top, 560);
    QCOMPARE(controller->headerBar()->height(), 44);
    QCOMPARE(controller->inputBar()->height(), 42);
    QCOMPARE(controller->footerBar()->height(), 40);
    QCOMPARE(controller->tablesPane()->targetsTable()->rowHeight(), 40);
    QCOMPARE(controller->tablesPane()->browseTable()->rowHeight(), 34);
    QCOMPARE(controller->logPane()->logTable()->rowHeight(), 30);
}

void TestMainViewController::addsTrimmedNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withButton");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("left");

    QTest::newRow("return") << "Slack" << false << "Slack"
                            << "";
    QTest::newRow("button") << "Slack" << true << "Slack"
                            << "";
    QTest::newRow("blanks around") << "  Web Content\t" << false << "Web Content"
                                   << "";
    QTest::newRow("only blanks, return") << " \t " << false << ""
                                         << " \t ";
    QTest::newRow("only blanks, button") << "   " << true << ""
                                         << "   ";
    QTest::newRow("nothing typed") << "" << true << ""
                                   << "";
}

void TestMainViewController::addsTrimmedNames() {
    QFETCH(QString, typed);
    QFETCH(bool, withButton);
    QFETCH(QString, added);
    QFETCH(QString, left);

    // QTest::keyClicks cannot type a tab into a line edit; insert() is what typing does.
    QTest::mouseClick(field(), Qt::LeftButton);
    field()->insert(typed);
    if (withButton)
        QTest::mouseClick(controller->inputBar()->addBtn(), Qt::LeftButton);
    else
        QTest::keyClick(field(), Qt::Key_Return);

    const QList<TargetProcess>& targets = controller->monitor().targets();
    if (added.isEmpty()) {
        QVERIFY(targets.isEmpty());
        QVERIFY(controller->tablesPane()->targetsEmpty()->isVisible());
    } else {
        QCOMPARE(targets.size(), 1);
        QCOMPARE(targets[0].name, added);
        QCOMPARE(targets[0].matchMode, MatchMode::fuzzy);
        QVERIFY(targets[0].isEnabled);
        QVERIFY(!controller->tablesPane()->targetsEmpty()->isVisible());
        QVERIFY(targetRow(0));
        QCOMPARE(targetRow(0)->nameLabel()->text(), added);
    }
    QCOMPARE(field()->text(), left);
}

void TestMainViewController::sameNameTwiceGivesTwoRows() {
    for (int i = 0; i < 2; ++i) {
        QTest::keyClicks(field(), QStringLiteral("helper"));
        QTest::keyClick(field(), Qt::Key_Return);
    }
    QCOMPARE(controller->monitor().targets().size(), 2);
    QCOMPARE(controller->tablesPane()->targetsTable()->numberOfRows(), 2);
    QCOMPARE(targetRow(1)->nameLabel()->text(), QStringLiteral("helper"));
}

void TestMainViewController::matchModeButtonSwitchesTheNextEntry() {
    FlatButton* matchMode = controller->inputBar()->matchModeBtn();
    QCOMPARE(matchMode->text(), QStringLiteral("~Fuzzy"));
    QCOMPARE(matchMode->look().text, Theme::orange());

    QTest::mouseClick(matchMode, Qt::LeftButton);
    QCOMPARE(matchMode->text(), QStringLiteral("=Exact"));
    QCOMPARE(matchMode->look().text, Theme::accent());
    QCOMPARE(matchMode->look().border, Theme::accent());
    QTest::keyClicks(field(), QStringLiteral("one"));
    QTest::keyClick(field(), Qt::Key_Return);
    QTest::keyClicks(field(), QStringLiteral("two"));
    QTest::keyClick(field(), Qt::Key_Return);

    QTest::mouseClick(matchMode, Qt::LeftButton);
    QCOMPARE(matchMode->text(), QStringLiteral("~Fuzzy"));
    QTest::keyClicks(field(), QStringLiteral("three"));
    QTest::keyClick(field(), Qt::Key_Return);

    const QList<TargetProcess>& targets = controller->monitor().targets();
    QCOMPARE(targets.size(), 3);
    QCOMPARE(targets[0].matchMode, MatchMode::exact);
    QCOMPARE(targets[1].matchMode, MatchMode::exact);
    QCOMPARE(targets[2].matchMode, MatchMode::fuzzy);
}

void TestMainViewController::rowSwitchAndCrossActOnTheirOwnEntry() {
    for (const char* name : {"alpha", "beta", "gamma"}) {
        QTest::keyClicks(field(), QString::fromLatin1(name));
        QTest::keyClick(field(), Qt::Key_Return);
    }
    const ProcessMonitor& monitor = controller->monitor();
    const int rowsMade = controller->tablesPane()->targetsTable()->createdRowViewCount();

    QTest::mouseClick(targetRow(1)->toggle(), Qt::LeftButton);
    QVERIFY(monitor.targets()[0].isEnabled);
    QVERIFY(!monitor.targets()[1].isEnabled);
    QVERIFY(!targetRow(1)->toggle()->isChecked());

    // Row 0 goes; the row widgets are reused for beta and gamma, one place up.
    QTest::mouseClick(targetRow(0)->deleteBtn(), Qt::LeftButton);
    QCOMPARE(monitor.targets().size(), 2);
    QCOMPARE(monitor.targets()[0].name, QStringLiteral("beta"));
    QCOMPARE(targetRow(0)->nameLabel()->text(), QStringLiteral("beta"));

    QTest::mouseClick(targetRow(0)->toggle(), Qt::LeftButton);
    QVERIFY(monitor.targets()[0].isEnabled);
    QTest::mouseClick(targetRow(1)->deleteBtn(), Qt::LeftButton);
    QCOMPARE(monitor.targets().size(), 1);
    QCOMPARE(monitor.targets()[0].name, QStringLiteral("beta"));
    QCOMPARE(controller->tablesPane()->targetsTable()->createdRowViewCount(), rowsMade);

    QTest::mouseClick(targetRow(0)->deleteBtn(), Qt::LeftButton);
    QVERIFY(monitor.targets().isEmpty());
    QVERIFY(controller->tablesPane()->targetsEmpty()->isVisible());
}

void TestMainViewController::startAndStopShowTheMonitorsState() {
    for (const char* name : {"one", "two", "three"}) {
        QTest::keyClicks(field(), QString::fromLatin1(name));
        QTest::keyClick(field(), Qt::Key_Return);
    }
    QTest::mouseClick(targetRow(2)->toggle(), Qt::LeftButton);

    HeaderBar* header = controller->headerBar();
    const QString monitoringTwo = formatted(text("monitoring_count"), 2);
    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
    QVERIFY(controller->monitor().isMonitoring());
    QCOMPARE(header->statusLabel()->text(), monitoringTwo);
    QCOMPARE(header->statusDot()->color(), Theme::green());
    QCOMPARE(header->toggleBtn()->text(), text("stop"));
    QCOMPARE(plateColour(header->toggleBtn()), Theme::red());

    // The count is taken when monitoring starts, not on every change of the list.
    QTest::mouseClick(targetRow(0)->toggle(), Qt::LeftButton);
    QCOMPARE(header->statusLabel()->text(), monitoringTwo);

    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
    QVERIFY(!controller->monitor().isMonitoring());
    QCOMPARE(header->statusLabel()->text(), text("stopped"));
    QCOMPARE(header->statusDot()->color(), Theme::textMuted());
    QCOMPARE(plateColour(header->toggleBtn()), Theme::green());

    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
    QCOMPARE(header->statusLabel()->text(), formatted(text("monitoring_count"), 1));
    QTest::mouseClick(header->toggleBtn(), Qt::LeftButton);
}

void TestMainViewController::intervalButtonsSetTheMonitorsInterval_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("seconds");
    QTest::newRow("3s") << 0 << 3.0;
    QTest::newRow("10s") << 2 << 10.0;
    QTest::newRow("60s") << 4 << 60.0;
}

void TestMainViewController::intervalButtonsSetTheMonitorsInterval() {
    QFETCH(int, index);
    QFETCH(double, seconds);
    const QList<FlatButton*>& buttons = controller->footerBar()->intervalBtns();
    QCOMPARE(buttons.size(), 5);
    QCOMPARE(buttons[index]->text(), QString::number(int(seconds)) + QLatin1Char('s'));

    // Twice: choosing the chosen interval again changes nothing.
    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(buttons[index], Qt::LeftButton);
        QCOMPARE(controller->monitor().scanInterval(), seconds);
        QCOMPARE(controller->selectedInterval(), seconds);
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            QCOMPARE(plateColour(buttons[i]), i == index ? Theme::accent() : Theme::surface());
            QCOMPARE(buttons[i]->look().text,
                     i == index ? QColor(Qt::white) : Theme::textSecondary());
        }
    }
}

void TestMainViewController::ownMemoryFigure_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("measured") << qint64(123.456 * 1048576) << "123.5 MB";
    QTest::newRow("failed measurement") << qint64(0) << "";
}

void TestMainViewController::ownMemoryFigure() {
    QFETCH(qint64, bytes);
    QFETCH(QString, shown);
    QCOMPARE(controller->logPane()->selfMemLabel()->text(), QStringLiteral("64.0 MB"));

    // A new controller measures once as it is built.
    world->selfMemory->bytes = bytes;
    showController(world->services());
    QCOMPARE(controller->logPane()->selfMemLabel()->text(), shown);
    QCOMPARE(controller->logPane()->selfMemLabel()->palette().color(QPalette::WindowText),
             Theme::orange());
}

void TestMainViewController::cleanMemoryReleasesAndRemeasures() {
    controller->monitor().appendLogEntries({logEntry(QStringLiteral("gone"), 42)});
    QVERIFY(!controller->logPane()->logEmpty()->isVisible());

    world->selfMemory->bytes = 10 * 1048576;
    QTest::mouseClick(controller->logPane()->cleanMemBtn(), Qt::LeftButton);
    QCOMPARE(world->selfMemory->releases, 1);
    // Cleaning moves the log to its day file first.
    QVERIFY(controller->logPane()->logEmpty()->isVisible());
    QTRY_COMPARE(controller->logPane()->selfMemLabel()->text(), QStringLiteral("10.0 MB"));
}

void TestMainViewController::logRowsNewestFirstAndClearEmptiesThem() {
    ProcessMonitor& monitor = controller->monitor();
    monitor.appendLogEntries({logEntry(QStringLiteral("first scan"), 10)});
    monitor.appendLogEntries({logEntry(QStringLiteral("second scan a"), 20),
                              logEntry(QStringLiteral("second scan b"), 21)});

    RowTable* table = controller->logPane()->logTable();
    QCOMPARE(table->numberOfRows(), 3);
    QVERIFY(!controller->logPane()->logEmpty()->isVisible());
    const auto nameAt = [table](int row) {
        return static_cast<LogCellView*>(table->viewForRow(row))->nameLabel()->text();
    };
    QCOMPARE(nameAt(0), QStringLiteral("second scan a"));
    QCOMPARE(nameAt(1), QStringLiteral("second scan b"));
    QCOMPARE(nameAt(2), QStringLiteral("first scan"));

    QTest::mouseClick(controller->footerBar()->clearLogBtn(), Qt::LeftButton);
    QCOMPARE(table->numberOfRows(), 0);
    QVERIFY(controller->logPane()->logEmpty()->isVisible());
}

void TestMainViewController::dividerStartsAtFiftyFivePercentAndKeepsItsDistance() {
    PaneSplitter* split = controller->splitView();
    QVERIFY(split->hasDivider());
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
    QTest::keyClicks(field(), QStringLiteral("alpha"));
    QTest::keyClick(field(), Qt::Key_Return);

    const auto startEditing = [this] {
        QTest::mouseClick(field(), Qt::LeftButton);
        QVERIFY(field()->hasFocus());
    };
    // Controls and the input box keep the field in edit.
    startEditing();
    QTest::mouseClick(controller->inputBar()->matchModeBtn(), Qt::LeftButton);
    QVERIFY(field()->hasFocus());
    QTest::mouseClick(targetRow(0)->toggle(), Qt::LeftButton);
    QVERIFY(field()->hasFocus());
    QTest::mouseClick(controller->inputBar()->inputBox(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(3, 3));
    QVERIFY(field()->hasFocus());

    // Empty space, a label or a row end it.
    RowTable* table = controller->tablesPane()->targetsTable();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(table->viewport()->width() / 2, table->viewport()->height() - 5));
    QVERIFY(!field()->hasFocus());
    startEditing();
    QTest::mouseClick(targetRow(0)->nameLabel(), Qt::LeftButton);
    QVERIFY(!field()->hasFocus());
    startEditing();
    QTest::mouseClick(controller->logPane()->titleLabel(), Qt::LeftButton);
    QVERIFY(!field()->hasFocus());
    startEditing();
    QTest::mouseClick(controller->headerBar(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    QVERIFY(!field()->hasFocus());
}

void TestMainViewController::returnAddsNothingWhileBrowsing() {
    HeaderBar* header = controller->headerBar();
    QTest::mouseClick(header->browseTabBtn(), Qt::LeftButton);
    QVERIFY(controller->isBrowseMode());
    QCOMPARE(plateColour(header->browseTabBtn()), Theme::accent());
    QCOMPARE(header->targetsTabBtn()->look().text, Theme::textSecondary());
    QVERIFY(!controller->tablesPane()->targetsEmpty()->isVisible());
    QVERIFY(controller->tablesPane()->browseTable()->isVisible());
    QVERIFY(controller->inputBar()->procCountLabel()->isVisible());
    QVERIFY(!controller->inputBar()->rightTargetsGroup()->isVisible());

    QTest::keyClicks(field(), QStringLiteral("Finder"));
    QTest::keyClick(field(), Qt::Key_Return);
    QVERIFY(controller->monitor().targets().isEmpty());

    QTest::mouseClick(header->targetsTabBtn(), Qt::LeftButton);
    QVERIFY(!controller->isBrowseMode());
    QCOMPARE(field()->text(), QString());
    QCOMPARE(field()->placeholderText(), text("input_placeholder"));
    QVERIFY(controller->tablesPane()->targetsEmpty()->isVisible());
    QVERIFY(controller->inputBar()->rightTargetsGroup()->isVisible());
    QCOMPARE(plateColour(header->targetsTabBtn()), Theme::accent());
}

void TestMainViewController::killsAndLogsARealProcess() {
    TestChild child(QStringLiteral("zvw"));
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");

    QTemporaryDir logs;
    MonitorServices services = MonitorServices::system();
    services.settings = std::make_shared<MemorySettingsStore>();
    services.logsDir = logs.path();
    showController(std::move(services));

    QTest::keyClicks(field(), child.name());
    QTest::keyClick(field(), Qt::Key_Return);
    QTest::mouseClick(controller->headerBar()->toggleBtn(), Qt::LeftButton);

    RowTable* table = controller->logPane()->logTable();
    QTRY_VERIFY_WITH_TIMEOUT(table->numberOfRows() > 0, 15000);
    auto* row = static_cast<LogCellView*>(table->viewForRow(0));
    QCOMPARE(row->nameLabel()->text(), child.name());
    QVERIFY(!controller->logPane()->logEmpty()->isVisible());
    QVERIFY(child.waitForEnd(5000) > 0);
}

QTEST_MAIN(TestMainViewController)
#include "test_main_view_controller.moc"
