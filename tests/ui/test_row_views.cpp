#include "accessible_tree.h"
#include "browse_cell_view.h"
#include "eliding_label.h"
#include "fake_monitor_world.h"
#include "localized_text.h"
#include "log_cell_view.h"
#include "target_cell_view.h"

#include <QHelpEvent>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace {
void showRow(QWidget& row, int height) {
    row.resize(480, height);
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
}

// The tooltip a pause of the pointer over the widget brings up.
QString toolTipOf(QWidget* widget) {
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

int rightEdge(const QWidget* widget) {
    return widget->x() + widget->width();
}
} // namespace

class TestRowViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reusedTargetRowNamesAndReportsItsNewRecord();
    void logRowReadsAsOneLine();
    void browseRowShowsItsName_data();
    void browseRowShowsItsName();
    void cutNamesShowTheirWholeTextOnHover();
};

void TestRowViews::reusedTargetRowNamesAndReportsItsNewRecord() {
    TargetCellView row(QStringLiteral("Target"));
    const TargetProcess first{QUuid::createUuid(), QStringLiteral("first"), MatchMode::exact, true};
    const TargetProcess second{QUuid::createUuid(), QStringLiteral("second"), MatchMode::fuzzy,
                               false};
    row.configure(first);
    showRow(row, 40);
    // Presses before the owner sets its callbacks do nothing.
    QTest::mouseClick(controlNamed(&row, localizedText("a11y_remove", "first")), Qt::LeftButton);

    // The way a table hands the same row out again. Showing the record's state is no flip.
    QList<QUuid> toggled;
    QList<QUuid> deleted;
    for (const TargetProcess& target : {first, second}) {
        row.onToggle = [&toggled, id = target.id] { toggled.append(id); };
        row.onDelete = [&deleted, id = target.id] { deleted.append(id); };
        row.configure(target);
    }
    QVERIFY(toggled.isEmpty());
    QVERIFY(!accessibleNamed(&row, localizedText("a11y_enabled", "first")));
    QAccessibleInterface* toggle = accessibleNamed(&row, localizedText("a11y_enabled", "second"));
    QVERIFY(toggle && !toggle->state().checked);
    QVERIFY(accessibleNamed(&row, localized("a11y_fuzzy")));

    QTest::mouseClick(qobject_cast<QWidget*>(toggle->object()), Qt::LeftButton);
    QCOMPARE(toggled, QList<QUuid>{second.id});
    QTest::keyClick(&row, Qt::Key_Delete);
    QCOMPARE(deleted, QList<QUuid>{second.id});
}

void TestRowViews::logRowReadsAsOneLine() {
    KillLogEntry entry = killLogEntry(QStringLiteral("Web Content"), 1234);
    // Stored in UTC, shown on the local 24-hour clock.
    entry.timestamp = QDateTime(QDate(2024, 3, 5), QTime(21, 5, 9), Qt::LocalTime).toUTC();
    entry.success = false;
    entry.message = QStringLiteral("No permission");
    LogCellView row(QStringLiteral("Log"));
    row.configure(entry);
    showRow(row, 30);
    QCOMPARE(row.accessibleName(), QStringLiteral("21:05:09 %1 No permission Web Content PID 1234")
                                       .arg(localized("a11y_kill_failed")));
    QVERIFY(accessibleNamed(&row, QStringLiteral("21:05:09")));
}

void TestRowViews::browseRowShowsItsName_data() {
    QTest::addColumn<std::optional<QString>>("displayName");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no display name") << std::optional<QString>() << "Xorg";
    QTest::newRow("other display name") << std::optional<QString>("X.Org") << "X.Org (Xorg)";
    QTest::newRow("same display name") << std::optional<QString>("Xorg") << "Xorg";
}

void TestRowViews::browseRowShowsItsName() {
    QFETCH(std::optional<QString>, displayName);
    QFETCH(QString, shown);
    UserProcess process;
    process.pid = 4321;
    process.name = QStringLiteral("Xorg");
    process.localizedName = displayName;
    process.memoryKB = 2048;
    BrowseCellView row(QStringLiteral("Browse"));
    row.configure(process, false);
    showRow(row, 34);
    QVERIFY(accessibleNamed(&row, shown));
    QVERIFY(accessibleNamed(&row, localizedText("a11y_memory", "2.0 MB")));
    QVERIFY(accessibleNamed(&row, localized("a11y_origin_unknown")));

    int adds = 0;
    row.onAdd = [&] { ++adds; };
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Plus, Qt::Key_A})
        QTest::keyClick(&row, key);
    QCOMPARE(adds, 3);
    row.configure(process, true);
    QVERIFY(accessibleNamed(&row, localizedText("a11y_watched", "Xorg")));
}

void TestRowViews::cutNamesShowTheirWholeTextOnHover() {
    const QString longName(200, u'W');
    TargetCellView target(QStringLiteral("Target"));
    target.configure({QUuid::createUuid(), longName, MatchMode::fuzzy, true});
    showRow(target, 40);
    auto* name = target.findChild<ElidingLabel*>();
    QVERIFY(name->isElided());
    QWidget* badge = controlNamed(&target, localized("a11y_fuzzy"));
    QVERIFY(rightEdge(name) <= badge->x());
    QCOMPARE(toolTipOf(name), longName);
    QCOMPARE(toolTipOf(badge), localized("tip_fuzzy"));
    // A reused row with a short name gives the room back.
    target.configure({QUuid::createUuid(), QStringLiteral("short"), MatchMode::fuzzy, true});
    QVERIFY(!name->isElided());

    UserProcess process;
    process.name = QString(120, u'x');
    process.pid = 4194304;
    BrowseCellView browse(QStringLiteral("Browse"));
    browse.configure(process, false);
    showRow(browse, 34);
    QVERIFY(browse.findChild<ElidingLabel*>()->isElided());
    // The largest PIDs stay whole.
    const auto* pid = controlNamed<QLabel>(&browse, QStringLiteral("PID 4194304"));
    QVERIFY(pid->fontMetrics().horizontalAdvance(pid->text()) <= pid->contentsRect().width());
}

QTEST_MAIN(TestRowViews)
#include "test_row_views.moc"
