#include "accessible_tree.h"
#include "engine/i18n/lang.h"
#include "engine/i18n/text_format.h"
#include "fake_monitor_world.h"
#include "test_child.h"
#include "ui/browse_row.h"
#include "ui/localized_text.h"
#include "ui/main_view.h"
#include "ui/widgets/row_table.h"

#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
void press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

// The text of the notice line, which screen readers hear as an alert.
QString alertOf(QObject* root) {
    for (QAccessibleInterface* node : showingNodes(root)) {
        if (node->role() == QAccessible::AlertMessage)
            return node->text(QAccessible::Name);
    }
    return {};
}

QString focusedName() {
    return QAccessible::queryAccessibleInterface(QApplication::focusWidget())
        ->text(QAccessible::Name);
}

// The add buttons' names of browser rows written "+name" (to add) or "✓name" (watched).
QStringList addButtons(const QString& rows) {
    QStringList names;
    for (const QString& row : rows.split(u' '))
        names.append(localizedText(row[0] == u'+' ? "a11y_watch" : "a11y_watched", row.sliced(1)));
    return names;
}
} // namespace

class TestMainView : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeMonitorWorld> world;
    std::shared_ptr<FakeFileChooser> chooser = std::make_shared<FakeFileChooser>();
    std::unique_ptr<MainView> controller;
    QTemporaryDir files;

    void show(MonitorServices services) {
        controller = std::make_unique<MainView>(std::move(services), chooser);
        controller->show();
        controller->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(controller.get()));
    }
    ProcessMonitor& monitor() const { return controller->monitor(); }
    bool isChecked(const QString& name) const {
        return accessibleNamed(controller.get(), name)->state().checked;
    }
    void click(const QString& name) {
        QWidget* control = controlNamed(controller.get(), name);
        QVERIFY2(control, qPrintable(name));
        QTest::mouseClick(control, Qt::LeftButton);
    }
    QLineEdit* field() const { return controller->findChild<QLineEdit*>("inputField"); }
    void type(const QString& name) {
        QTest::keyClicks(field(), name);
        QTest::keyClick(field(), Qt::Key_Return);
    }
    QStringList logRows() const {
        QStringList rows;
        const auto* table = controller->findChild<RowTable*>(QStringLiteral("logTable"));
        for (int row = 0; row < table->rowCount(); ++row)
            rows.append(table->rowWidget(row)->accessibleName());
        return rows;
    }
    QStringList browserRows() const {
        QStringList names;
        for (QAccessibleInterface* node : showingNodes(controller.get())) {
            if (qobject_cast<BrowseRow*>(node->object()->parent()) &&
                node->role() == QAccessible::Button)
                names.append(node->text(QAccessible::Name));
        }
        return names;
    }

private Q_SLOTS:
    void init() {
        world = std::make_unique<FakeMonitorWorld>();
        world->selfMemory->bytes = 64 * 1048576;
        world->runner->setTable(FakeProcessRunner::tableOf({{10, 0, 4000, "cupsd"},
                                                            {20, 501, 9000, "editor"},
                                                            {30, 0, 300, "cron"},
                                                            {40, 501, 500, "Editor"}}));
        show(world->services());
    }

    void cleanup() {
        controller.reset();
        world.reset();
        Lang::instance().setLanguage(QStringLiteral("system"));
    }

    // Names are added without the spaces and tabs around them, by Return or the button; only
    // blanks add nothing and stay in the field.
    void addsTrimmedNames() {
        // QTest::keyClicks cannot type a tab into a line edit; insert() is what typing does.
        field()->insert(QStringLiteral("  Web Content\t"));
        QTest::keyClick(field(), Qt::Key_Return);
        field()->insert(QStringLiteral(" Chat "));
        click(localized("add_button"));
        field()->insert(QStringLiteral(" \t "));
        click(localized("add_button"));
        QTest::keyClick(field(), Qt::Key_Return);
        QCOMPARE(field()->text(), QStringLiteral(" \t "));
        QCOMPARE(monitor().targets().size(), 2);
        QCOMPARE(monitor().targets()[0].name, QStringLiteral("Web Content"));
        QCOMPARE(monitor().targets()[1].name, QStringLiteral("Chat"));
        QCOMPARE(monitor().targets()[1].matchMode, MatchMode::fuzzy);
        QVERIFY(!accessibleNamed(controller.get(), localized("no_processes_added")));
    }

    // While an entry is typed, the field says what it would match in the badge's mode, from one
    // snapshot of the user's processes; a screen reader hears it with the field.
    void fieldShowsWhatTheEntryWouldMatch() {
        QTest::keyClicks(field(), QStringLiteral("edit"));
        QTRY_COMPARE(field()->accessibleDescription(),
                     formatted(Lang::instance().localized("preview_matches", 2), "editor, Editor"));
        QVERIFY(accessibleNamed(controller.get(), field()->accessibleDescription()));
        click(localized("a11y_fuzzy"));
        QCOMPARE(field()->accessibleDescription(), localized("preview_no_match"));
        QCOMPARE(world->runner->tableRuns(), 1);
        QTest::keyClick(field(), Qt::Key_Return);
        QVERIFY(field()->accessibleDescription().isEmpty());
        QVERIFY(!accessibleNamed(controller.get(), localized("preview_no_match")));
    }

    // Every control the keyboard reaches has a name in words, and Tab walks the window as it
    // reads; the arrow keys, Space and Delete work the watch list's rows.
    void keyboardWalksTheWindowAndWorksTheRows() {
        for (const char* name : {"alpha", "beta", "gamma"})
            type(QString::fromLatin1(name));
        monitor().appendLogEntries({killLogEntry(QStringLiteral("delta"), 77)});
        for (QAccessibleInterface* node : showingNodes(controller.get()))
            QVERIFY(!node->state().focusable || !node->text(QAccessible::Name).isEmpty());
        QStringList order = {localized("input_placeholder"), localized("a11y_fuzzy"),
                             localized("add_button"),        localizedText("a11y_enabled", "alpha"),
                             localized("clean_memory"),      logRows().value(0)};
        for (int seconds : {3, 5, 10, 30, 60})
            order.append(localizedCount("a11y_interval", seconds));
        for (const char* key : {"export_log", "clear_log", "settings_button", "targets_tab",
                                "browse_all_tab", "start", "input_placeholder"})
            order.append(localized(key));
        QStringList walked = {focusedName()};
        while (walked.size() < order.size()) {
            press(Qt::Key_Tab);
            walked.append(focusedName());
        }
        QCOMPARE(walked, order);

        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Right})
            press(key);
        QCOMPARE(focusedName(), localizedText("a11y_enabled", "beta"));
        press(Qt::Key_Space);
        QVERIFY(monitor().targets()[0].isEnabled && !monitor().targets()[1].isEnabled);
        press(Qt::Key_Delete);
        QCOMPARE(monitor().targets().size(), 2);
        QCOMPARE(monitor().targets()[1].name, QStringLiteral("gamma"));
    }

    // The count of enabled entries is taken when monitoring starts; the arrow keys move the
    // interval.
    void startStopAndIntervalShowTheMonitorsState() {
        type(QStringLiteral("one"));
        type(QStringLiteral("two"));
        const auto* status = controller->findChild<QLabel*>(QStringLiteral("statusLabel"));
        click(localized("start"));
        click(localizedText("a11y_enabled", "one"));
        QCOMPARE(status->text(), localizedCount("monitoring_count", 2));
        click(localized("stop"));
        QCOMPARE(status->text(), localized("stopped"));
        click(localizedCount("a11y_interval", 60));
        QCOMPARE(monitor().scanInterval(), 60.0);
        controlNamed(controller.get(), localizedCount("a11y_interval", 60))->setFocus();
        press(Qt::Key_Left);
        QCOMPARE(monitor().scanInterval(), 30.0);
    }

    // Newest first. Cleaning moves the log to its day file, frees memory and measures it again,
    // showing no figure when that fails; the empty pane then says the entries are saved. Export
    // gathers the day files and the entries still in memory; clear moves them all to the trash
    // unasked, and the notice line, an alert that the keyboard reaches, offers to undo that.
    void logRowsNewestFirstUntilCleaning() {
        const auto* figure = controller->findChild<QLabel*>(QStringLiteral("selfMemLabel"));
        QCOMPARE(figure->text(), QStringLiteral("64.0 MB"));
        monitor().appendLogEntries({killLogEntry("zvb-one", 1)});
        monitor().appendLogEntries({killLogEntry("zvb-two", 2), killLogEntry("zvb-three", 3)});
        QStringList pids;
        for (const QString& row : logRows())
            pids.append(row.section(u' ', -1));
        QCOMPARE(pids, (QStringList{"2", "3", "1"}));
        for (auto [bytes, shown] : {std::pair{qint64(123.456 * 1048576), "123.5 MB"}, {0, ""}}) {
            world->selfMemory->bytes = bytes;
            click(localized("clean_memory"));
            QTRY_COMPARE(figure->text(), QString::fromUtf8(shown));
        }
        QCOMPARE(world->selfMemory->releases, 2);
        QVERIFY(logRows().isEmpty());
        QVERIFY(accessibleNamed(controller.get(), localized("kill_log_saved")));

        monitor().appendLogEntries({killLogEntry(QStringLiteral("zvb-four"))});
        chooser->savePath = files.filePath(QStringLiteral("all-logs.json"));
        click(localized("export_log"));
        QFile exported(*chooser->savePath);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray content = exported.readAll();
        QVERIFY2(content.contains("zvb-one") && content.contains("zvb-four"), content);
        QCOMPARE(alertOf(controller.get()),
                 localizedCount("notice_logs_exported", 4, QStringLiteral("all-logs.json")));
        click(localized("clear_log"));
        QVERIFY(monitor().killLog().isEmpty() && monitor().loadAllLogs().isEmpty());
        QCOMPARE(alertOf(controller.get()), localizedCount("notice_logs_trashed", 1));
        controlNamed(controller.get(), localized("clean_memory"))->setFocus();
        press(Qt::Key_Tab); // the empty log's link to the history
        press(Qt::Key_Tab);
        QCOMPARE(focusedName(), localized("notice_undo"));
        press(Qt::Key_Space);
        QCOMPARE(monitor().loadAllLogs().size(), 4);
        QCOMPARE(alertOf(controller.get()), localizedCount("notice_logs_restored", 1));
        controlNamed(controller.get(), localized("a11y_dismiss"))->setFocus();
        press(Qt::Key_Escape);
        QCOMPARE(alertOf(controller.get()), QString());
        QCOMPARE(chooser->savePanels + chooser->openPanels + chooser->beeps, 1);
    }

    // Found by a token of its command line, in capitals; Return in the search adds nothing, on
    // the row Return and "+" add once, in fuzzy mode whatever the window's mode; then ended.
    void browserFindsAddsAndEndsARealChild() {
        // sleep takes a hexadecimal time; drawn anew so that a run elsewhere does not match it.
        const QString token =
            QString::number(QRandomGenerator::global()->bounded(0x100000, 0xffffff), 16) + "abc";
        TestChild child(QStringLiteral("zvb"), {"0x" + token});
        QVERIFY2(child.isStarted(), "could not start a copy of /bin/sleep");
        show(world->realProcessServices());
        click(localized("a11y_fuzzy"));
        click(localized("browse_all_tab"));
        QTest::keyClicks(field(), token.toUpper());
        QTRY_COMPARE_WITH_TIMEOUT(browserRows(), addButtons("+" + child.name()), 15000);
        QCOMPARE(controller->findChild<QLabel*>("procCountLabel")->text(),
                 localizedCount("process_count", 1));
        QVERIFY(accessibleNamed(controller.get(), QStringLiteral("PID %1").arg(child.pid())));
        QVERIFY(accessibleNamed(controller.get(), localized("a11y_origin_own")));
        QTest::keyClick(field(), Qt::Key_Return);
        QVERIFY(monitor().targets().isEmpty());
        for (Qt::Key key :
             {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Plus})
            press(key);
        QCOMPARE(browserRows(), addButtons("✓" + child.name()));
        QCOMPARE(monitor().targets().size(), 1);
        QCOMPARE(monitor().targets()[0].name, child.name());
        QCOMPARE(monitor().targets()[0].matchMode, MatchMode::fuzzy);
        click(localized("start"));
        QTRY_VERIFY_WITH_TIMEOUT(!logRows().isEmpty(), 15000);
        QVERIFY(logRows().first().contains(child.name()));
        QVERIFY(child.waitForEnd(5000) > 0);
    }

    // Entries mark rows of their exact name, switched off or not; case counts. The search stays
    // with the browser, and its rows stay until a fresh list arrives.
    void browserFiltersMarksAndSearches() {
        monitor().addTarget(QStringLiteral("editor"), MatchMode::exact);
        monitor().addTarget(QStringLiteral("cron"), MatchMode::fuzzy);
        monitor().toggleTarget(monitor().targets().last().id);
        click(localized("browse_all_tab"));
        QTRY_COMPARE(browserRows(), addButtons("✓editor +cupsd +Editor ✓cron"));
        click(localized("a11y_filter_system"));
        QCOMPARE(browserRows(), addButtons("+cupsd ✓cron"));
        click(localized("a11y_filter_own"));
        QCOMPARE(browserRows(), addButtons("✓editor +Editor"));
        QVERIFY(!isChecked(localized("a11y_filter_all")));
        click(localizedText("a11y_watch", "Editor"));
        QCOMPARE(browserRows(), addButtons("✓editor ✓Editor"));
        click(localized("a11y_filter_all"));
        QCOMPARE(field()->accessibleName(), localized("search_placeholder"));
        QTest::keyClicks(field(), QStringLiteral("CUPS"));
        QCOMPARE(browserRows(), addButtons("+cupsd"));

        const int runs = world->runner->tableRuns();
        click(localized("targets_tab"));
        QCOMPARE(field()->text(), QString());
        QCOMPARE(field()->accessibleName(), localized("input_placeholder"));
        QVERIFY(!accessibleNamed(controller.get(), localized("a11y_filter_all")));
        world->runner->setTable(FakeProcessRunner::tableOf({{50, 501, 100, "newcomer"}}));
        click(localized("browse_all_tab"));
        QCOMPARE(field()->text(), QStringLiteral("CUPS"));
        QCOMPARE(browserRows(), addButtons("+cupsd"));
        QTRY_COMPARE(world->runner->tableRuns(), runs + 1);
        QTRY_VERIFY(browserRows().isEmpty());
    }

    // The settings menu's items reach what they stand for.
    void settingsMenuItemsWork() {
        QWidget* settings = controller->findChild<QWidget*>("settingsBtn");
        chooseFromMenu(settings, localized("launch_at_login"));
        QVERIFY(
            QFile::exists(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          QStringLiteral("/autostart/zentrav.desktop")));
        chooser->savePath = chooser->openPath = files.filePath(QStringLiteral("targets.json"));
        monitor().addTarget(QStringLiteral("Chat Helper"), MatchMode::exact);
        chooseFromMenu(settings, localized("export_targets"));
        QVERIFY(QFile::exists(*chooser->savePath));
        chooseFromMenu(settings, localized("import_targets"));
        QCOMPARE(chooser->openPanels, 1);
    }
};

int main(int argc, char* argv[]) {
    // The login item and the language choice go to this run's own config folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestMainView test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_main_view.moc"
