#include "browse_cell_view.h"
#include "eliding_label.h"
#include "log_cell_view.h"
#include "row_table.h"
#include "target_cell_view.h"
#include "theme.h"
#include "toggle_switch.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

TargetProcess makeTarget(const QString& name, MatchMode mode, bool enabled) {
    return TargetProcess{QUuid::createUuid(), name, mode, enabled};
}

UserProcess makeProcess(const QString& name, ProcessOrigin origin) {
    UserProcess process;
    process.pid = 4321;
    process.name = name;
    process.memoryKB = 2048;
    process.origin = origin;
    return process;
}

template <typename Row> void showRow(Row& row, int width, int height) {
    row.resize(width, height);
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
}

// The colour a label really draws its text in.
QColor textColor(const QWidget* widget) {
    return widget->palette().color(widget->foregroundRole());
}
QColor plateColor(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}
QColor buttonColor(const QPushButton* button) {
    return button->palette().color(QPalette::ButtonText);
}

bool isElided(const QLabel* label) {
    auto* eliding = qobject_cast<const ElidingLabel*>(label);
    return eliding && eliding->isElided();
}

int rightEdge(const QWidget* widget) {
    return widget->x() + widget->width();
}

} // namespace

class TestRowViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void targetShowsItsRecord_data();
    void targetShowsItsRecord();
    void targetControlsReportThroughCallbacks();
    void targetPressesWithoutCallbacksDoNothing();
    void reusedTargetRowShowsAndReportsTheNewRecord();
    void longTargetNameElidesBeforeTheBadge();

    void logShowsItsEntry_data();
    void logShowsItsEntry();
    void logNameShrinksBeforeTheMessage();

    void browseShowsItsProcess_data();
    void browseShowsItsProcess();
    void browseNameShowsTheDisplayNameOnlyWhenDifferent_data();
    void browseNameShowsTheDisplayNameOnlyWhenDifferent();
    void browseMemoryUsesTheSharedSizeText_data();
    void browseMemoryUsesTheSharedSizeText();
    void browseAddButtonShowsWhetherAdded();
    void browseAddReportsThroughItsCallback();
    void browseRowKeepsItsColumns();
    void browseShowsSevenDigitPidsWhole();

    void rowsKeepTheirColoursInsideATable();
};

void TestRowViews::targetShowsItsRecord_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("badge");
    QTest::addColumn<QColor>("color");

    QTest::newRow("fuzzy, on") << int(MatchMode::fuzzy) << true << "~Fuzzy" << Theme::orange();
    QTest::newRow("exact, off") << int(MatchMode::exact) << false << "=Exact" << Theme::accent();
}

void TestRowViews::targetShowsItsRecord() {
    QFETCH(int, mode);
    QFETCH(bool, enabled);
    QFETCH(QString, badge);
    QFETCH(QColor, color);

    TargetCellView row(QStringLiteral("TargetCell"));
    row.configure(makeTarget(QStringLiteral("Slack Helper"), MatchMode(mode), enabled));

    QCOMPARE(row.objectName(), QStringLiteral("TargetCell"));
    QCOMPARE(row.iconLabel()->text(), QStringLiteral("\u2699\uFE0F"));
    QCOMPARE(row.nameLabel()->text(), QStringLiteral("Slack Helper"));
    QCOMPARE(textColor(row.nameLabel()), Theme::textPrimary());
    QCOMPARE(row.toggle()->isChecked(), enabled);
    QCOMPARE(row.modeLabel()->text(), badge);
    QCOMPARE(textColor(row.modeLabel()), color);
    QCOMPARE(plateColor(row.modeLabel()), Theme::withAlpha(color, 0.15));
    QCOMPARE(row.deleteBtn()->text(), QStringLiteral("\u2715"));
    QCOMPARE(buttonColor(row.deleteBtn()), Theme::textTertiary());
}

void TestRowViews::targetControlsReportThroughCallbacks() {
    TargetCellView row(QStringLiteral("TargetCell"));
    int toggles = 0;
    int deletes = 0;
    row.onToggle = [&] { ++toggles; };
    row.onDelete = [&] { ++deletes; };
    row.configure(makeTarget(QStringLiteral("a"), MatchMode::fuzzy, true));
    // Setting the state from the record is not a flip by the user.
    row.configure(makeTarget(QStringLiteral("a"), MatchMode::fuzzy, false));
    QCOMPARE(toggles, 0);
    showRow(row, 480, 40);

    QTest::mouseClick(row.toggle(), Qt::LeftButton);
    QCOMPARE(toggles, 1);
    QCOMPARE(row.toggle()->isChecked(), true);
    QCOMPARE(deletes, 0);

    QTest::mouseClick(row.deleteBtn(), Qt::LeftButton);
    QCOMPARE(deletes, 1);
    QCOMPARE(toggles, 1);
}

void TestRowViews::targetPressesWithoutCallbacksDoNothing() {
    TargetCellView row(QStringLiteral("TargetCell"));
    row.configure(makeTarget(QStringLiteral("a"), MatchMode::exact, true));
    showRow(row, 480, 40);
    QTest::mouseClick(row.toggle(), Qt::LeftButton);
    QTest::mouseClick(row.deleteBtn(), Qt::LeftButton);
    row.didToggle();
    row.didDelete();
    QCOMPARE(row.nameLabel()->text(), QStringLiteral("a"));
}

void TestRowViews::reusedTargetRowShowsAndReportsTheNewRecord() {
    TargetCellView row(QStringLiteral("TargetCell"));
    const TargetProcess first = makeTarget(QStringLiteral("first"), MatchMode::exact, false);
    const TargetProcess second = makeTarget(QStringLiteral("second"), MatchMode::fuzzy, true);
    QList<QUuid> deleted;

    // The way a table hands the same row out twice.
    for (const TargetProcess& target : {first, second}) {
        row.configure(target);
        row.onDelete = [&deleted, id = target.id] { deleted.append(id); };
    }
    showRow(row, 480, 40);

    QCOMPARE(row.nameLabel()->text(), QStringLiteral("second"));
    QCOMPARE(row.modeLabel()->text(), QStringLiteral("~Fuzzy"));
    QCOMPARE(textColor(row.modeLabel()), Theme::orange());
    QCOMPARE(row.toggle()->isChecked(), true);
    QTest::mouseClick(row.deleteBtn(), Qt::LeftButton);
    QCOMPARE(deleted, QList<QUuid>{second.id});
}

void TestRowViews::longTargetNameElidesBeforeTheBadge() {
    TargetCellView row(QStringLiteral("TargetCell"));
    row.configure(makeTarget(QString(200, u'W'), MatchMode::fuzzy, true));
    showRow(row, 480, 40);

    QVERIFY(rightEdge(row.nameLabel()) <= row.modeLabel()->x() - 8);
    QVERIFY(isElided(row.nameLabel()));
    QCOMPARE(row.nameLabel()->text(), QString(200, u'W'));

    QCOMPARE(row.iconLabel()->geometry().left(), 12);
    QCOMPARE(row.iconLabel()->width(), 20);
    QCOMPARE(row.nameLabel()->x(), 12 + 20 + 6);
    QCOMPARE(row.modeLabel()->width(), 50);
    QCOMPARE(rightEdge(row.modeLabel()), row.toggle()->x() - 8);
    QCOMPARE(row.toggle()->size(), QSize(26, 15));
    QCOMPARE(rightEdge(row.toggle()), row.deleteBtn()->x() - 8);
    QCOMPARE(row.deleteBtn()->width(), 24);
    QCOMPARE(rightEdge(row.deleteBtn()), 480 - 12);
    const QList<QWidget*> centred{row.modeLabel(), row.toggle(), row.deleteBtn()};
    for (QWidget* child : centred)
        QCOMPARE(child->geometry().center().y(), row.rect().center().y());

    row.configure(makeTarget(QStringLiteral("short"), MatchMode::fuzzy, true));
    QVERIFY(!isElided(row.nameLabel()));
}

void TestRowViews::logShowsItsEntry_data() {
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("status");

    QTest::newRow("killed") << true << QStringLiteral("\u2705");
    QTest::newRow("failed") << false << QStringLiteral("\u26A0\uFE0F");
}

void TestRowViews::logShowsItsEntry() {
    QFETCH(bool, success);
    QFETCH(QString, status);

    KillLogEntry entry;
    entry.id = QUuid::createUuid();
    // Stored in UTC, shown on the local 24-hour clock.
    entry.timestamp = QDateTime(QDate(2024, 3, 5), QTime(21, 5, 9), Qt::LocalTime).toUTC();
    entry.processName = QStringLiteral("Web Content");
    entry.pid = 1234;
    entry.success = success;
    entry.message = QStringLiteral("Killed (12.0 MB)");

    LogCellView row(QStringLiteral("LogCell"));
    row.configure(entry);
    QCOMPARE(row.objectName(), QStringLiteral("LogCell"));
    QCOMPARE(row.timeLabel()->text(), QStringLiteral("21:05:09"));
    QCOMPARE(row.statusLabel()->text(), status);
    QCOMPARE(row.msgLabel()->text(), entry.message);
    QCOMPARE(row.nameLabel()->text(), QStringLiteral("Web Content"));
    QCOMPARE(row.pidLabel()->text(), QStringLiteral("PID 1234"));
    QCOMPARE(textColor(row.msgLabel()), Theme::color(u"#aaaaaa"));
    QCOMPARE(textColor(row.timeLabel()), Theme::textTertiary());
    QCOMPARE(textColor(row.pidLabel()), Theme::textTertiary());
    QCOMPARE(textColor(row.nameLabel()), Theme::textPrimary());
}

void TestRowViews::logNameShrinksBeforeTheMessage() {
    KillLogEntry entry;
    entry.timestamp = QDateTime::currentDateTimeUtc();
    entry.processName = QString(80, u'n');
    entry.pid = 99999;
    entry.message = QStringLiteral("Killed");

    LogCellView row(QStringLiteral("LogCell"));
    row.configure(entry);
    showRow(row, 480, 30);

    QVERIFY(isElided(row.nameLabel()));
    QVERIFY(!isElided(row.msgLabel()));
    QCOMPARE(row.timeLabel()->x(), 12);
    QCOMPARE(row.statusLabel()->x(), rightEdge(row.timeLabel()) + 6);
    QCOMPARE(row.msgLabel()->x(), rightEdge(row.statusLabel()) + 6);
    QCOMPARE(row.nameLabel()->x(), rightEdge(row.msgLabel()) + 4);
    QVERIFY(rightEdge(row.nameLabel()) <= row.pidLabel()->x() - 8);
    QCOMPARE(rightEdge(row.pidLabel()), 480 - 12);

    // A reused row with a short name gives the room back.
    entry.processName = QStringLiteral("ps");
    row.configure(entry);
    QVERIFY(!isElided(row.nameLabel()));
}

void TestRowViews::browseShowsItsProcess_data() {
    QTest::addColumn<int>("origin");
    QTest::addColumn<QString>("badge");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("plate");

    QTest::newRow("system") << int(ProcessOrigin::system) << "SYS" << Theme::textSecondary()
                            << Theme::withAlpha(Theme::color(u"#888888"), 0.2);
    QTest::newRow("third party") << int(ProcessOrigin::thirdParty) << "3RD" << Theme::accent()
                                 << Theme::withAlpha(Theme::accent(), 0.15);
    QTest::newRow("unknown") << int(ProcessOrigin::unknown) << "?" << Theme::textTertiary()
                             << Theme::withAlpha(Theme::textTertiary(), 0.15);
}

void TestRowViews::browseShowsItsProcess() {
    QFETCH(int, origin);
    QFETCH(QString, badge);
    QFETCH(QColor, color);
    QFETCH(QColor, plate);

    BrowseCellView row(QStringLiteral("BrowseCell"));
    row.configure(makeProcess(QStringLiteral("sshd"), ProcessOrigin(origin)), false);
    QCOMPARE(row.objectName(), QStringLiteral("BrowseCell"));
    QCOMPARE(row.originBadge()->text(), badge);
    QCOMPARE(textColor(row.originBadge()), color);
    QCOMPARE(plateColor(row.badgeContainer()), plate);
    QCOMPARE(row.originBadge()->parentWidget(), row.badgeContainer());
    QCOMPARE(row.pidLabel()->text(), QStringLiteral("PID 4321"));
    QCOMPARE(textColor(row.pidLabel()), Theme::textMuted());
    QCOMPARE(textColor(row.memLabel()), Theme::textTertiary());
}

void TestRowViews::browseNameShowsTheDisplayNameOnlyWhenDifferent_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("localizedName");
    QTest::addColumn<bool>("hasLocalizedName");
    QTest::addColumn<QString>("shown");

    QTest::newRow("none") << "firefox-esr" << QString() << false << "firefox-esr";
    QTest::newRow("same") << "firefox-esr"
                          << "firefox-esr" << true << "firefox-esr";
    QTest::newRow("different") << "firefox-esr"
                               << "Firefox" << true << "Firefox (firefox-esr)";
    QTest::newRow("empty display name") << "Xorg"
                                        << "" << true << " (Xorg)";
}

void TestRowViews::browseNameShowsTheDisplayNameOnlyWhenDifferent() {
    QFETCH(QString, name);
    QFETCH(QString, localizedName);
    QFETCH(bool, hasLocalizedName);
    QFETCH(QString, shown);

    UserProcess process = makeProcess(name, ProcessOrigin::thirdParty);
    if (hasLocalizedName)
        process.localizedName = localizedName;
    BrowseCellView row(QStringLiteral("BrowseCell"));
    row.configure(process, false);
    QCOMPARE(row.nameLabel()->text(), shown);
}

void TestRowViews::browseMemoryUsesTheSharedSizeText_data() {
    QTest::addColumn<qint64>("kilobytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("below a megabyte") << qint64(1023) << "1023 KB";
    QTest::newRow("one megabyte") << qint64(1024) << "1.0 MB";
    QTest::newRow("one gigabyte") << qint64(1048576) << "1.0 GB";
}

void TestRowViews::browseMemoryUsesTheSharedSizeText() {
    QFETCH(qint64, kilobytes);
    QFETCH(QString, shown);

    UserProcess process = makeProcess(QStringLiteral("sshd"), ProcessOrigin::system);
    process.memoryKB = kilobytes;
    BrowseCellView row(QStringLiteral("BrowseCell"));
    row.configure(process, false);
    QCOMPARE(row.memLabel()->text(), shown);
    QVERIFY(row.memLabel()->alignment() & Qt::AlignRight);
}

void TestRowViews::browseAddButtonShowsWhetherAdded() {
    BrowseCellView row(QStringLiteral("BrowseCell"));
    const UserProcess process = makeProcess(QStringLiteral("sshd"), ProcessOrigin::system);

    row.configure(process, true);
    QCOMPARE(row.addBtn()->text(), QStringLiteral("\u2713"));
    QCOMPARE(buttonColor(row.addBtn()), Theme::green());
    QCOMPARE(row.addBtn()->font().pixelSize(), 14);
    QVERIFY(row.addBtn()->isEnabled());

    row.configure(process, false);
    QCOMPARE(row.addBtn()->text(), QStringLiteral("+"));
    QCOMPARE(buttonColor(row.addBtn()), Theme::textTertiary());
    QCOMPARE(row.addBtn()->font().pixelSize(), 16);
}

void TestRowViews::browseAddReportsThroughItsCallback() {
    BrowseCellView row(QStringLiteral("BrowseCell"));
    row.configure(makeProcess(QStringLiteral("sshd"), ProcessOrigin::system), true);
    showRow(row, 480, 34);

    QTest::mouseClick(row.addBtn(), Qt::LeftButton);
    int adds = 0;
    row.onAdd = [&] { ++adds; };
    QTest::mouseClick(row.addBtn(), Qt::LeftButton);
    QCOMPARE(adds, 1);
}

void TestRowViews::browseRowKeepsItsColumns() {
    BrowseCellView row(QStringLiteral("BrowseCell"));
    UserProcess process = makeProcess(QString(120, u'x'), ProcessOrigin::unknown);
    process.localizedName = QStringLiteral("A very long display name of an application");
    row.configure(process, false);
    showRow(row, 480, 34);

    QCOMPARE(row.badgeContainer()->geometry(), QRect(10, 8, 34, 18));
    QCOMPARE(row.originBadge()->width(), 34);
    QCOMPARE(row.nameLabel()->x(), 10 + 34 + 8);
    QVERIFY(isElided(row.nameLabel()));
    QVERIFY(rightEdge(row.nameLabel()) <= row.memLabel()->x() - 6);
    QCOMPARE(row.memLabel()->width(), 58);
    QCOMPARE(rightEdge(row.memLabel()), row.pidLabel()->x() - 8);
    QVERIFY(row.pidLabel()->width() >= 55);
    QCOMPARE(rightEdge(row.pidLabel()), row.addBtn()->x() - 8);
    QCOMPARE(row.addBtn()->geometry(), QRect(480 - 10 - 22, 6, 22, 22));
}

void TestRowViews::browseShowsSevenDigitPidsWhole() {
    BrowseCellView row(QStringLiteral("BrowseCell"));
    UserProcess process = makeProcess(QStringLiteral("sshd"), ProcessOrigin::system);
    process.pid = 4194304;
    row.configure(process, false);
    showRow(row, 480, 34);

    const QLabel* pid = row.pidLabel();
    QCOMPARE(pid->text(), QStringLiteral("PID 4194304"));
    QVERIFY(pid->fontMetrics().horizontalAdvance(pid->text()) <= pid->contentsRect().width());
    QCOMPARE(rightEdge(pid), row.addBtn()->x() - 8);
}

void TestRowViews::rowsKeepTheirColoursInsideATable() {
    // A scroll area's viewport has the Base role, which children would otherwise take up.
    RowTable targets(40);
    targets.setDataSource([] { return 1; },
                          [](QWidget* viewport) {
                              return new TargetCellView(QStringLiteral("TargetCell"), viewport);
                          },
                          [](QWidget* row, int) {
                              static_cast<TargetCellView*>(row)->configure(
                                  makeTarget(QStringLiteral("a"), MatchMode::fuzzy, true));
                          });
    RowTable log(30);
    log.setDataSource(
        [] { return 1; },
        [](QWidget* viewport) { return new LogCellView(QStringLiteral("LogCell"), viewport); },
        [](QWidget* row, int) { static_cast<LogCellView*>(row)->configure(KillLogEntry{}); });
    RowTable browse(34);
    browse.setDataSource([] { return 1; },
                         [](QWidget* viewport) {
                             return new BrowseCellView(QStringLiteral("BrowseCell"), viewport);
                         },
                         [](QWidget* row, int) {
                             static_cast<BrowseCellView*>(row)->configure(
                                 makeProcess(QStringLiteral("a"), ProcessOrigin::system), false);
                         });
    for (RowTable* table : {&targets, &log, &browse}) {
        table->resize(480, 200);
        table->show();
    }

    auto* target = qobject_cast<TargetCellView*>(targets.viewForRow(0));
    QVERIFY(target);
    QCOMPARE(textColor(target->nameLabel()), Theme::textPrimary());
    QCOMPARE(textColor(target->modeLabel()), Theme::orange());

    auto* entry = qobject_cast<LogCellView*>(log.viewForRow(0));
    QVERIFY(entry);
    QCOMPARE(textColor(entry->msgLabel()), Theme::color(u"#aaaaaa"));
    QCOMPARE(textColor(entry->pidLabel()), Theme::textTertiary());

    auto* process = qobject_cast<BrowseCellView*>(browse.viewForRow(0));
    QVERIFY(process);
    QCOMPARE(textColor(process->originBadge()), Theme::textSecondary());
    QCOMPARE(textColor(process->memLabel()), Theme::textTertiary());
}

QTEST_MAIN(TestRowViews)
#include "test_row_views.moc"
