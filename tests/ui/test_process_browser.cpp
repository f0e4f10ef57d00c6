#include "active_window.h"
#include "browse_cell_view.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "header_bar.h"
#include "input_bar.h"
#include "main_view_controller.h"
#include "memory_format.h"
#include "row_table.h"
#include "tables_pane.h"
#include "test_child.h"
#include "text_format.h"
#include "theme.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestProcessBrowser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void findsAndAddsARealChild();
    void filtersAndMarksOfTheFakeTable();
    void tabsKeepTheSearchAndTakeAFreshList();

private:
    void showController(MonitorServices services);
    void browseAndWaitFor(const QString& name);
    QLineEdit* field() const { return controller->inputBar()->inputField(); }
    QString countText() const { return controller->inputBar()->procCountLabel()->text(); }
    FlatButton* filterBtn(int index) const {
        return controller->inputBar()->filterBtns().at(index);
    }
    BrowseCellView* browseRow(int index) const {
        return static_cast<BrowseCellView*>(
            controller->tablesPane()->browseTable()->viewForRow(index));
    }

    std::unique_ptr<FakeMonitorWorld> world;
    std::unique_ptr<MainViewController> controller;
};

void TestProcessBrowser::init() {
    world = std::make_unique<FakeMonitorWorld>();
    // Processes of the current user (uid 501 in the fake world) and of root.
    world->runner->setTable(FakeProcessRunner::tableOf({
        {10, 0, 4000, QStringLiteral("cupsd")},
        {20, 501, 9000, QStringLiteral("editor")},
        {30, 0, 300, QStringLiteral("cron")},
        {40, 501, 500, QStringLiteral("Editor")},
    }));
}

void TestProcessBrowser::cleanup() {
    controller.reset();
    world.reset();
}

void TestProcessBrowser::showController(MonitorServices services) {
    controller = std::make_unique<MainViewController>(std::move(services));
    QVERIFY(showActive(*controller));
}

void TestProcessBrowser::browseAndWaitFor(const QString& name) {
    QTest::mouseClick(controller->headerBar()->browseTabBtn(), Qt::LeftButton);
    QVERIFY(controller->isBrowseMode());
    QTRY_VERIFY(namesOf(controller->monitor().allProcesses()).contains(name));
}

void TestProcessBrowser::findsAndAddsARealChild() {
    // sleep takes a hexadecimal time, which gives the command line a token with letters.
    TestChild child(QStringLiteral("zvb"), {QStringLiteral("0x987654abc")});
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    QVERIFY(!child.name().contains(QStringLiteral("987654abc")));
    showController(world->realProcessServices());
    // The window's own mode does not matter: the browser always adds in fuzzy mode.
    controller->toggleMatchMode();
    browseAndWaitFor(child.name());

    QTest::keyClicks(field(), QStringLiteral("987654ABC"));
    QCOMPARE(namesOf(controller->filteredProcesses()), QStringList{child.name()});
    const UserProcess process = controller->filteredProcesses().first();
    QVERIFY(process.memoryKB > 0);
    BrowseCellView* row = browseRow(0);
    QVERIFY(row && row->isVisible());
    QCOMPARE(row->nameLabel()->text(), child.name());
    QCOMPARE(row->memLabel()->text(), formatMemoryKB(process.memoryKB));
    QCOMPARE(row->pidLabel()->text(), QStringLiteral("PID %1").arg(child.pid()));
    QCOMPARE(row->originBadge()->text(), QStringLiteral("3RD"));
    const QLabel* badge = row->originBadge();
    QCOMPARE(badge->palette().color(badge->foregroundRole()), Theme::accent());
    QCOMPARE(countText(), formatted(localized("process_count"), 1));

    QTest::mouseClick(filterBtn(1), Qt::LeftButton);
    QVERIFY(controller->filteredProcesses().isEmpty());
    QCOMPARE(countText(), formatted(localized("process_count"), 0));
    QTest::mouseClick(filterBtn(0), Qt::LeftButton);
    QCOMPARE(namesOf(controller->filteredProcesses()), QStringList{child.name()});

    // Return in the search adds nothing; the row's button adds once.
    QTest::keyClick(field(), Qt::Key_Return);
    QVERIFY(controller->monitor().targets().isEmpty());
    QCOMPARE(browseRow(0)->addBtn()->text(), QStringLiteral("+"));
    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(browseRow(0)->addBtn(), Qt::LeftButton);
        QCOMPARE(controller->monitor().targets().size(), 1);
        QCOMPARE(browseRow(0)->addBtn()->text(), QStringLiteral("\u2713"));
    }
    const TargetProcess added = controller->monitor().targets().first();
    QCOMPARE(added.name, child.name());
    QCOMPARE(added.matchMode, MatchMode::fuzzy);
    QVERIFY(added.isEnabled);
    QCOMPARE(field()->text(), QStringLiteral("987654ABC"));
}

void TestProcessBrowser::filtersAndMarksOfTheFakeTable() {
    showController(world->services());
    controller->monitor().addTarget(QStringLiteral("editor"), MatchMode::exact);
    controller->monitor().addTarget(QStringLiteral("cron"), MatchMode::fuzzy);
    controller->monitor().toggleTarget(controller->monitor().targets().last().id);
    browseAndWaitFor(QStringLiteral("cupsd"));
    const QList<QStringList> rows = {
        {"editor", "cupsd", "Editor", "cron"},
        {"cupsd", "cron"},
        {"editor", "Editor"},
    };
    // Choose each, then ALL again: the last choice alone is marked.
    for (int chosen : {1, 2, 0}) {
        QTest::mouseClick(filterBtn(chosen), Qt::LeftButton);
        QCOMPARE(namesOf(controller->filteredProcesses()), rows[chosen]);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(filterBtn(i)->look().background,
                     i == chosen ? Theme::accent() : Theme::surface());
    }

    // Entries mark rows of their exact name, switched off or not; case counts.
    const QStringList marks = {"\u2713", "+", "+", "\u2713"};
    for (int i = 0; i < marks.size(); ++i)
        QCOMPARE(browseRow(i)->addBtn()->text(), marks[i]);
    QTest::mouseClick(browseRow(2)->addBtn(), Qt::LeftButton);
    QCOMPARE(controller->monitor().targets().size(), 3);
    QCOMPARE(controller->monitor().targets().last().name, QStringLiteral("Editor"));
    QCOMPARE(browseRow(2)->addBtn()->text(), QStringLiteral("\u2713"));
}

void TestProcessBrowser::tabsKeepTheSearchAndTakeAFreshList() {
    showController(world->services());
    HeaderBar* header = controller->headerBar();
    browseAndWaitFor(QStringLiteral("cupsd"));
    const int runsAfterFirstVisit = world->runner->tableRuns();
    QCOMPARE(field()->placeholderText(), localized("search_placeholder"));
    QTest::keyClicks(field(), QStringLiteral("C"));
    QCOMPARE(namesOf(controller->filteredProcesses()), (QStringList{"cupsd", "cron"}));
    QTest::keyClicks(field(), QStringLiteral("UPS"));
    QCOMPARE(namesOf(controller->filteredProcesses()), QStringList{"cupsd"});

    QTest::mouseClick(header->targetsTabBtn(), Qt::LeftButton);
    QCOMPARE(field()->text(), QString());
    QCOMPARE(field()->placeholderText(), localized("input_placeholder"));
    QVERIFY(!controller->inputBar()->procCountLabel()->isVisible());
    QVERIFY(!controller->inputBar()->rightBrowseGroup()->isVisible());
    // Typing a name for the watch list is not a search.
    QTest::keyClicks(field(), QStringLiteral("cron"));
    field()->clear();

    // The rows of the last snapshot stay until the new one arrives.
    world->runner->setTable(
        FakeProcessRunner::tableOf({{50, 501, 100, QStringLiteral("newcomer")}}));
    QTest::mouseClick(header->browseTabBtn(), Qt::LeftButton);
    QCOMPARE(field()->text(), QStringLiteral("CUPS"));
    QCOMPARE(namesOf(controller->filteredProcesses()), QStringList{"cupsd"});
    QTRY_COMPARE(world->runner->tableRuns(), runsAfterFirstVisit + 1);
    QTRY_VERIFY(namesOf(controller->monitor().allProcesses()).contains(QStringLiteral("newcomer")));
    QVERIFY(controller->filteredProcesses().isEmpty());

    // Pressing the shown tab again takes another snapshot.
    QTest::mouseClick(header->browseTabBtn(), Qt::LeftButton);
    QTRY_COMPARE(world->runner->tableRuns(), runsAfterFirstVisit + 2);
}

QTEST_MAIN(TestProcessBrowser)
#include "test_process_browser.moc"
