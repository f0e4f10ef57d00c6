#include "accessible_tree.h"
#include "active_window.h"
#include "fake_monitor_world.h"
#include "localized_text.h"
#include "main_view_controller.h"
#include "memory_format.h"
#include "test_child.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
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
    template <typename T = QWidget> T* named(const QString& name) const {
        return controlNamed<T>(controller.get(), name);
    }
    QLineEdit* field() const {
        return controller->findChild<QLineEdit*>(QStringLiteral("inputField"));
    }
    QString countText() const {
        return controller->findChild<QLabel*>(QStringLiteral("procCountLabel"))->text();
    }
    // The browser's rows as the add buttons name them, top to bottom.
    QStringList rows() const {
        QStringList names;
        for (QAccessibleInterface* node : showingNodes(controller.get())) {
            const QString name = node->text(QAccessible::Name);
            for (const QString& mark : {QStringLiteral("+"), QStringLiteral("✓")}) {
                const QStringList parts = localized(mark == u"+" ? "a11y_watch" : "a11y_watched")
                                              .split(QStringLiteral("%s"));
                if (node->role() == QAccessible::Button && name.startsWith(parts[0]) &&
                    name.endsWith(parts[1]))
                    names.append(mark + name.sliced(parts[0].size(), name.size() - parts[0].size() -
                                                                         parts[1].size()));
            }
        }
        return names;
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
    QTest::mouseClick(named(localized("browse_all_tab")), Qt::LeftButton);
    QTRY_VERIFY(rows().join(u' ').contains(name));
}

void TestProcessBrowser::findsAndAddsARealChild() {
    // sleep takes a hexadecimal time, which gives the command line a token with letters, drawn
    // anew so that the same test running elsewhere on the machine does not match it.
    const QString token =
        QString::number(QRandomGenerator::global()->bounded(0x100000, 0xffffff), 16) + "abc";
    TestChild child(QStringLiteral("zvb"), {"0x" + token});
    QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
    QVERIFY(!child.name().contains(token));
    showController(world->realProcessServices());
    // The window's own mode does not matter: the browser always adds in fuzzy mode.
    QTest::mouseClick(named(localized("a11y_fuzzy")), Qt::LeftButton);
    QTest::mouseClick(named(localized("browse_all_tab")), Qt::LeftButton);
    QTest::keyClicks(field(), token.toUpper());
    QTRY_COMPARE(rows(), QStringList{QStringLiteral("+") + child.name()});
    QCOMPARE(countText(), localizedCount("process_count", 1));
    QVERIFY(named(QStringLiteral("PID %1").arg(child.pid())));
    QVERIFY(named(localized("a11y_origin_own")));

    QTest::mouseClick(named(localized("a11y_filter_system")), Qt::LeftButton);
    QVERIFY(rows().isEmpty());
    QCOMPARE(countText(), localizedCount("process_count", 0));
    QTest::mouseClick(named(localized("a11y_filter_all")), Qt::LeftButton);
    QCOMPARE(rows().size(), 1);

    // Return in the search adds nothing; on the row, Return and "+" add once.
    QTest::keyClick(field(), Qt::Key_Return);
    QVERIFY(controller->monitor().targets().isEmpty());
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab})
        QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(QApplication::focusWidget()->accessibleName(),
             localizedText("a11y_watch", child.name()));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Plus}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(controller->monitor().targets().size(), 1);
        QCOMPARE(rows(), QStringList{QStringLiteral("✓") + child.name()});
    }
    const TargetProcess added = controller->monitor().targets().first();
    QCOMPARE(added.name, child.name());
    QCOMPARE(added.matchMode, MatchMode::fuzzy);
    QCOMPARE(field()->text(), token.toUpper());
}

void TestProcessBrowser::filtersAndMarksOfTheFakeTable() {
    showController(world->services());
    controller->monitor().addTarget(QStringLiteral("editor"), MatchMode::exact);
    controller->monitor().addTarget(QStringLiteral("cron"), MatchMode::fuzzy);
    controller->monitor().toggleTarget(controller->monitor().targets().last().id);
    browseAndWaitFor(QStringLiteral("cupsd"));
    // Entries mark rows of their exact name, switched off or not; case counts.
    const QStringList all = {"✓editor", "+cupsd", "+Editor", "✓cron"};
    QCOMPARE(rows(), all);
    QTest::mouseClick(named(localized("a11y_filter_system")), Qt::LeftButton);
    QCOMPARE(rows(), (QStringList{"+cupsd", "✓cron"}));
    QTest::mouseClick(named(localized("a11y_filter_own")), Qt::LeftButton);
    QCOMPARE(rows(), (QStringList{"✓editor", "+Editor"}));
    QVERIFY(accessibleNamed(controller.get(), localized("a11y_filter_own"))->state().checked);
    QVERIFY(!accessibleNamed(controller.get(), localized("a11y_filter_all"))->state().checked);

    QTest::mouseClick(named(localizedText("a11y_watch", "Editor")), Qt::LeftButton);
    QCOMPARE(controller->monitor().targets().last().name, QStringLiteral("Editor"));
    QCOMPARE(rows(), (QStringList{"✓editor", "✓Editor"}));
}

void TestProcessBrowser::tabsKeepTheSearchAndTakeAFreshList() {
    showController(world->services());
    browseAndWaitFor(QStringLiteral("cupsd"));
    const int runsAfterFirstVisit = world->runner->tableRuns();
    QCOMPARE(field()->accessibleName(), localized("search_placeholder"));
    QTest::keyClicks(field(), QStringLiteral("C"));
    QCOMPARE(rows(), (QStringList{"+cupsd", "+cron"}));
    QTest::keyClicks(field(), QStringLiteral("UPS"));
    QCOMPARE(rows(), QStringList{"+cupsd"});

    QTest::mouseClick(named(localized("targets_tab")), Qt::LeftButton);
    QCOMPARE(field()->text(), QString());
    QCOMPARE(field()->accessibleName(), localized("input_placeholder"));
    QVERIFY(!named(localized("a11y_filter_all")));
    // Typing a name for the watch list is not a search.
    QTest::keyClicks(field(), QStringLiteral("cron"));
    field()->clear();

    // The rows of the last snapshot stay until the new one arrives.
    world->runner->setTable(
        FakeProcessRunner::tableOf({{50, 501, 100, QStringLiteral("newcomer")}}));
    QTest::mouseClick(named(localized("browse_all_tab")), Qt::LeftButton);
    QCOMPARE(field()->text(), QStringLiteral("CUPS"));
    QCOMPARE(rows(), QStringList{"+cupsd"});
    QTRY_COMPARE(world->runner->tableRuns(), runsAfterFirstVisit + 1);
    QTRY_VERIFY(rows().isEmpty());
    field()->clear();
    QTest::keyClicks(field(), QStringLiteral("new"));
    QCOMPARE(rows(), QStringList{"+newcomer"});
}

QTEST_MAIN(TestProcessBrowser)
#include "test_process_browser.moc"
