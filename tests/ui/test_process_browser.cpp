#include "browse_cell_view.h"
#include "fake_monitor_world.h"
#include "flat_button.h"
#include "header_bar.h"
#include "input_bar.h"
#include "lang.h"
#include "main_view_controller.h"
#include "memory_format.h"
#include "row_table.h"
#include "tables_pane.h"
#include "test_child.h"
#include "text_format.h"
#include "theme.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {
QString text(const char* key) {
    return Lang::shared().localized(QString::fromLatin1(key));
}

QStringList names(const QList<UserProcess>& processes) {
    QStringList result;
    for (const UserProcess& process : processes)
        result.append(process.name);
    return result;
}

// A process table of the current user (uid 501 in the fake world) and of root.
QByteArray fakeTable() {
    return FakeProcessRunner::tableOf({
        {10, 0, 4000, QStringLiteral("cupsd")},
        {20, 501, 9000, QStringLiteral("editor")},
        {30, 0, 300, QStringLiteral("cron")},
        {40, 501, 500, QStringLiteral("Editor")},
    });
}
} // namespace

class TestProcessBrowser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listsARealChildWithItsMemoryAndBadge();
    void filterButtonsChooseTheOrigin();
    void capitalSearchFindsTheCommandLine();
    void searchFollowsEveryKeystroke();
    void addButtonAddsOnceInFuzzyMode();
    void sameNameInOtherCaseIsNotMarked();
    void tabsKeepTheSearchAndTakeAFreshList();
    void oldRowsStayUntilTheNewSnapshotArrives();
    void returnWhileBrowsingAddsNothing();

private:
    void showController(MonitorServices services);
    void browseAndWaitFor(const QString& name);
    MonitorServices realServices() const;
    QLineEdit* field() const { return controller->inputBar()->inputField(); }
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
    world->runner->setTable(fakeTable());
}

void TestProcessBrowser::cleanup() {
    controller.reset();
    world.reset();
}

void TestProcessBrowser::showController(MonitorServices services) {
    controller = std::make_unique<MainViewController>(std::move(services));
    controller->show();
    QVERIFY(QTest::qWaitForWindowExposed(controller.get()));
    controller->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(controller.get()));
}

// The real process table, read by /bin/ps, as this test's own user.
MonitorServices TestProcessBrowser::realServices() const {
    MonitorServices services = world->services();
    services.runner = std::make_shared<PosixProcessRunner>();
    services.currentUid = ::getuid();
    services.ownPid = QCoreApplication::applicationPid();
    return services;
}

void TestProcessBrowser::browseAndWaitFor(const QString& name) {
    QTest::mouseClick(controller->headerBar()->browseTabBtn(), Qt::LeftButton);
    QVERIFY(controller->isBrowseMode());
    QTRY_VERIFY(names(controller->monitor().allProcesses()).contains(name));
}

void TestProcessBrowser::listsARealChildWithItsMemoryAndBadge() {
    TestChild child(QStringLiteral("zvb"), {QStringLiteral("987654")});
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    showController(realServices());
    browseAndWaitFor(child.name());
    QVERIFY(names(controller->filteredProcesses()).contains(child.name()));

    QTest::keyClicks(field(), child.name());
    QCOMPARE(names(controller->filteredProcesses()), QStringList{child.name()});
    const UserProcess process = controller->filteredProcesses().first();
    QCOMPARE(process.pid, child.pid());
    QVERIFY(process.memoryKB > 0);
    QCOMPARE(process.origin, ProcessOrigin::thirdParty);

    BrowseCellView* row = browseRow(0);
    QVERIFY(row && row->isVisible());
    QCOMPARE(row->nameLabel()->text(), child.name());
    QCOMPARE(row->memLabel()->text(), formatMemoryKB(process.memoryKB));
    QCOMPARE(row->pidLabel()->text(), QStringLiteral("PID %1").arg(child.pid()));
    QCOMPARE(row->originBadge()->text(), QStringLiteral("3RD"));
    QCOMPARE(row->addBtn()->text(), QStringLiteral("+"));
    QCOMPARE(controller->inputBar()->procCountLabel()->text(), formatted(text("process_count"), 1));

    QTest::mouseClick(filterBtn(1), Qt::LeftButton);
    QVERIFY(controller->filteredProcesses().isEmpty());
    QCOMPARE(controller->inputBar()->procCountLabel()->text(), formatted(text("process_count"), 0));
}

void TestProcessBrowser::filterButtonsChooseTheOrigin() {
    showController(world->services());
    browseAndWaitFor(QStringLiteral("cupsd"));
    InputBar* bar = controller->inputBar();
    QVERIFY(bar->rightBrowseGroup()->isVisible());
    QCOMPARE(bar->filterBtns().size(), 3);

    const QStringList titles = {QStringLiteral("ALL"), QStringLiteral("SYS"),
                                QStringLiteral("3RD")};
    const QList<QStringList> rows = {
        {"editor", "cupsd", "Editor", "cron"},
        {"cupsd", "cron"},
        {"editor", "Editor"},
    };
    // Choose each, then ALL again: the last choice alone is marked.
    for (int chosen : {1, 2, 0}) {
        QTest::mouseClick(filterBtn(chosen), Qt::LeftButton);
        QCOMPARE(names(controller->filteredProcesses()), rows[chosen]);
        for (int i = 0; i < 3; ++i) {
            FlatButton* button = filterBtn(i);
            QCOMPARE(button->text(), titles[i]);
            QCOMPARE(button->size(), QSize(38, 26));
            QCOMPARE(button->font().pixelSize(), 10);
            QCOMPARE(button->look().background, i == chosen ? Theme::accent() : Theme::surface());
            QCOMPARE(button->look().text, i == chosen ? QColor(Qt::white) : Theme::textSecondary());
        }
    }
}

void TestProcessBrowser::capitalSearchFindsTheCommandLine() {
    // sleep takes a hexadecimal time, which gives the command line a token with letters.
    TestChild child(QStringLiteral("zvb"), {QStringLiteral("0x987654abc")});
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    showController(realServices());
    browseAndWaitFor(child.name());

    QTest::keyClicks(field(), QStringLiteral("987654ABC"));
    QCOMPARE(names(controller->filteredProcesses()), QStringList{child.name()});
    QVERIFY(!child.name().contains(QStringLiteral("987654abc")));

    QTest::mouseClick(filterBtn(1), Qt::LeftButton);
    QVERIFY(controller->filteredProcesses().isEmpty());
    QTest::mouseClick(filterBtn(0), Qt::LeftButton);
    QCOMPARE(names(controller->filteredProcesses()), QStringList{child.name()});
}

void TestProcessBrowser::searchFollowsEveryKeystroke() {
    showController(world->services());
    browseAndWaitFor(QStringLiteral("cupsd"));
    QTest::keyClick(field(), Qt::Key_C);
    QCOMPARE(names(controller->filteredProcesses()), (QStringList{"cupsd", "cron"}));
    QTest::keyClick(field(), Qt::Key_R);
    QCOMPARE(names(controller->filteredProcesses()), QStringList{"cron"});
    QCOMPARE(controller->inputBar()->procCountLabel()->text(), formatted(text("process_count"), 1));
    QTest::keyClick(field(), Qt::Key_Backspace);
    QTest::keyClick(field(), Qt::Key_Backspace);
    QCOMPARE(controller->filteredProcesses().size(), 4);
    // A single blank: none of these names has one.
    QTest::keyClick(field(), Qt::Key_Space);
    QCOMPARE(controller->browseSearch(), QStringLiteral(" "));
    QVERIFY(controller->filteredProcesses().isEmpty());
}

void TestProcessBrowser::addButtonAddsOnceInFuzzyMode() {
    TestChild child(QStringLiteral("zvb"), {QStringLiteral("987654")});
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    showController(realServices());
    // The window's own mode does not matter: the browser always adds in fuzzy mode.
    controller->toggleMatchMode();
    browseAndWaitFor(child.name());
    QTest::keyClicks(field(), child.name());

    QTest::mouseClick(browseRow(0)->addBtn(), Qt::LeftButton);
    QCOMPARE(controller->monitor().targets().size(), 1);
    const TargetProcess added = controller->monitor().targets().first();
    QCOMPARE(added.name, child.name());
    QCOMPARE(added.matchMode, MatchMode::fuzzy);
    QVERIFY(added.isEnabled);
    QCOMPARE(browseRow(0)->addBtn()->text(), QStringLiteral("\u2713"));

    QTest::mouseClick(browseRow(0)->addBtn(), Qt::LeftButton);
    QCOMPARE(controller->monitor().targets().size(), 1);
    QCOMPARE(field()->text(), child.name());
}

void TestProcessBrowser::sameNameInOtherCaseIsNotMarked() {
    showController(world->services());
    controller->monitor().addTarget(QStringLiteral("editor"), MatchMode::exact);
    controller->monitor().addTarget(QStringLiteral("cron"), MatchMode::fuzzy);
    controller->monitor().toggleTarget(controller->monitor().targets().last().id);
    browseAndWaitFor(QStringLiteral("Editor"));
    QTest::mouseClick(filterBtn(0), Qt::LeftButton);

    const QStringList rows = names(controller->filteredProcesses());
    QCOMPARE(rows, (QStringList{"editor", "cupsd", "Editor", "cron"}));
    const QStringList marks = {"\u2713", "+", "+", "\u2713"};
    for (int i = 0; i < rows.size(); ++i)
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
    QCOMPARE(field()->placeholderText(), text("search_placeholder"));
    QTest::keyClicks(field(), QStringLiteral("CUPS"));
    QCOMPARE(names(controller->filteredProcesses()), QStringList{"cupsd"});

    QTest::mouseClick(header->targetsTabBtn(), Qt::LeftButton);
    QCOMPARE(field()->text(), QString());
    QCOMPARE(field()->placeholderText(), text("input_placeholder"));
    QVERIFY(!controller->inputBar()->procCountLabel()->isVisible());
    QVERIFY(!controller->inputBar()->rightBrowseGroup()->isVisible());
    QCOMPARE(controller->browseSearch(), QStringLiteral("CUPS"));
    // Typing a name for the watch list is not a search.
    QTest::keyClicks(field(), QStringLiteral("cron"));
    QCOMPARE(controller->browseSearch(), QStringLiteral("CUPS"));
    field()->clear();

    QTest::mouseClick(header->browseTabBtn(), Qt::LeftButton);
    QCOMPARE(field()->text(), QStringLiteral("CUPS"));
    QCOMPARE(field()->placeholderText(), text("search_placeholder"));
    QTRY_COMPARE(world->runner->tableRuns(), runsAfterFirstVisit + 1);
    QCOMPARE(names(controller->filteredProcesses()), QStringList{"cupsd"});

    // Pressing the shown tab again takes another snapshot.
    QTest::mouseClick(header->browseTabBtn(), Qt::LeftButton);
    QTRY_COMPARE(world->runner->tableRuns(), runsAfterFirstVisit + 2);
}

void TestProcessBrowser::oldRowsStayUntilTheNewSnapshotArrives() {
    showController(world->services());
    browseAndWaitFor(QStringLiteral("cupsd"));
    world->runner->setTable(
        FakeProcessRunner::tableOf({{50, 501, 100, QStringLiteral("newcomer")}}));

    QTest::mouseClick(controller->headerBar()->targetsTabBtn(), Qt::LeftButton);
    QTest::mouseClick(controller->headerBar()->browseTabBtn(), Qt::LeftButton);
    QCOMPARE(controller->filteredProcesses().size(), 4);
    QCOMPARE(browseRow(0)->nameLabel()->text(), QStringLiteral("editor"));
    QTRY_COMPARE(names(controller->filteredProcesses()), QStringList{"newcomer"});
    QCOMPARE(browseRow(0)->nameLabel()->text(), QStringLiteral("newcomer"));
    QVERIFY(!browseRow(1));
}

void TestProcessBrowser::returnWhileBrowsingAddsNothing() {
    showController(world->services());
    browseAndWaitFor(QStringLiteral("cupsd"));
    QTest::keyClicks(field(), QStringLiteral("cron"));
    QTest::keyClick(field(), Qt::Key_Return);
    QVERIFY(controller->monitor().targets().isEmpty());
    QCOMPARE(field()->text(), QStringLiteral("cron"));
    QCOMPARE(names(controller->filteredProcesses()), QStringList{"cron"});
}

QTEST_MAIN(TestProcessBrowser)
#include "test_process_browser.moc"
