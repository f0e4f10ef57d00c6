#include "browse_cell_view.h"
#include "eliding_label.h"
#include "log_cell_view.h"
#include "target_cell_view.h"
#include "toggle_switch.h"

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

void showRow(QWidget& row, int height) {
    row.resize(480, height);
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
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
    void reusedTargetRowShowsAndReportsItsNewRecord();
    void logRowShowsItsEntry_data();
    void logRowShowsItsEntry();
    void browseRowShowsItsProcess_data();
    void browseRowShowsItsProcess();
    void longTextsElideBeforeTheNextColumn();
};

void TestRowViews::reusedTargetRowShowsAndReportsItsNewRecord() {
    TargetCellView row(QStringLiteral("TargetCell"));
    const TargetProcess first = makeTarget(QStringLiteral("first"), MatchMode::exact, true);
    const TargetProcess second = makeTarget(QStringLiteral("second"), MatchMode::fuzzy, false);
    row.configure(first);
    QCOMPARE(row.nameLabel()->text(), QStringLiteral("first"));
    QCOMPARE(row.modeLabel()->text(), QStringLiteral("=Exact"));
    QVERIFY(row.toggle()->isChecked());
    // Presses before the owner sets its callbacks do nothing.
    showRow(row, 40);
    QTest::mouseClick(row.toggle(), Qt::LeftButton);
    QTest::mouseClick(row.deleteBtn(), Qt::LeftButton);

    // The way a table hands the same row out again. Showing the record's state is no flip.
    QList<QUuid> toggled;
    QList<QUuid> deleted;
    for (const TargetProcess& target : {first, second}) {
        row.onToggle = [&toggled, id = target.id] { toggled.append(id); };
        row.onDelete = [&deleted, id = target.id] { deleted.append(id); };
        row.configure(target);
    }
    QVERIFY(toggled.isEmpty());
    QCOMPARE(row.nameLabel()->text(), QStringLiteral("second"));
    QCOMPARE(row.modeLabel()->text(), QStringLiteral("~Fuzzy"));
    QVERIFY(!row.toggle()->isChecked());

    QTest::mouseClick(row.toggle(), Qt::LeftButton);
    QCOMPARE(toggled, QList<QUuid>{second.id});
    QTest::mouseClick(row.deleteBtn(), Qt::LeftButton);
    QCOMPARE(deleted, QList<QUuid>{second.id});
}

void TestRowViews::logRowShowsItsEntry_data() {
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("status");
    QTest::newRow("killed") << true << QStringLiteral("\u2705");
    QTest::newRow("failed") << false << QStringLiteral("\u26A0\uFE0F");
}

void TestRowViews::logRowShowsItsEntry() {
    QFETCH(bool, success);
    QFETCH(QString, status);
    KillLogEntry entry;
    // Stored in UTC, shown on the local 24-hour clock.
    entry.timestamp = QDateTime(QDate(2024, 3, 5), QTime(21, 5, 9), Qt::LocalTime).toUTC();
    entry.processName = QStringLiteral("Web Content");
    entry.pid = 1234;
    entry.success = success;
    entry.message = QStringLiteral("Killed (12.0 MB)");

    LogCellView row(QStringLiteral("LogCell"));
    row.configure(entry);
    QCOMPARE(row.timeLabel()->text(), QStringLiteral("21:05:09"));
    QCOMPARE(row.statusLabel()->text(), status);
    QCOMPARE(row.msgLabel()->text(), entry.message);
    QCOMPARE(row.nameLabel()->text(), QStringLiteral("Web Content"));
    QCOMPARE(row.pidLabel()->text(), QStringLiteral("PID 1234"));
}

void TestRowViews::browseRowShowsItsProcess_data() {
    QTest::addColumn<int>("origin");
    QTest::addColumn<std::optional<QString>>("displayName");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("badge");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("addText");
    const auto row = [](const char* name, ProcessOrigin origin, std::optional<QString> displayName,
                        bool added, QString badge, QString shown, QString addText) {
        QTest::newRow(name) << int(origin) << displayName << added << badge << shown << addText;
    };
    using O = ProcessOrigin;
    row("system, no display name, added", O::system, {}, true, "SYS", "Xorg", "\u2713");
    row("third party, other display name", O::thirdParty, "X.Org", false, "3RD", "X.Org (Xorg)",
        "+");
    row("unknown, same display name", O::unknown, "Xorg", false, "?", "Xorg", "+");
    row("empty display name", O::system, "", false, "SYS", " (Xorg)", "+");
}

void TestRowViews::browseRowShowsItsProcess() {
    QFETCH(int, origin);
    QFETCH(std::optional<QString>, displayName);
    QFETCH(bool, added);
    QFETCH(QString, badge);
    QFETCH(QString, shown);
    QFETCH(QString, addText);

    UserProcess process = makeProcess(QStringLiteral("Xorg"), ProcessOrigin(origin));
    process.localizedName = displayName;
    BrowseCellView row(QStringLiteral("BrowseCell"));
    row.configure(process, added);
    QCOMPARE(row.originBadge()->text(), badge);
    QCOMPARE(row.nameLabel()->text(), shown);
    QCOMPARE(row.pidLabel()->text(), QStringLiteral("PID 4321"));
    QCOMPARE(row.addBtn()->text(), addText);

    showRow(row, 34);
    QTest::mouseClick(row.addBtn(), Qt::LeftButton);
    int adds = 0;
    row.onAdd = [&] { ++adds; };
    QTest::mouseClick(row.addBtn(), Qt::LeftButton);
    QCOMPARE(adds, 1);
}

void TestRowViews::longTextsElideBeforeTheNextColumn() {
    TargetCellView target(QStringLiteral("TargetCell"));
    target.configure(makeTarget(QString(200, u'W'), MatchMode::fuzzy, true));
    showRow(target, 40);
    QVERIFY(isElided(target.nameLabel()));
    QVERIFY(rightEdge(target.nameLabel()) <= target.modeLabel()->x());
    // A reused row with a short name gives the room back.
    target.configure(makeTarget(QStringLiteral("short"), MatchMode::fuzzy, true));
    QVERIFY(!isElided(target.nameLabel()));

    KillLogEntry entry;
    entry.processName = QString(80, u'n');
    entry.pid = 99999;
    entry.message = QStringLiteral("Killed");
    LogCellView log(QStringLiteral("LogCell"));
    log.configure(entry);
    showRow(log, 30);
    QVERIFY(isElided(log.nameLabel()));
    QVERIFY(!isElided(log.msgLabel()));
    QVERIFY(rightEdge(log.nameLabel()) <= log.pidLabel()->x());

    UserProcess process = makeProcess(QString(120, u'x'), ProcessOrigin::unknown);
    process.pid = 4194304;
    BrowseCellView browse(QStringLiteral("BrowseCell"));
    browse.configure(process, false);
    showRow(browse, 34);
    QVERIFY(isElided(browse.nameLabel()));
    QVERIFY(rightEdge(browse.nameLabel()) <= browse.memLabel()->x());
    // The largest PIDs stay whole.
    const QLabel* pid = browse.pidLabel();
    QVERIFY(pid->fontMetrics().horizontalAdvance(pid->text()) <= pid->contentsRect().width());
    QVERIFY(rightEdge(pid) <= browse.addBtn()->x());
}

QTEST_MAIN(TestRowViews)
#include "test_row_views.moc"
