#include "accessible_tree.h"
#include "browse_cell_view.h"
#include "eliding_label.h"
#include "fake_monitor_world.h"
#include "localized_text.h"
#include "log_cell_view.h"
#include "target_cell_view.h"

#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>

namespace {
void showRow(QWidget& row) {
    row.resize(480, 40);
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
}

// The tooltip a pause of the pointer over the widget brings up.
QString toolTipOf(QWidget* widget) {
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}
} // namespace

class TestRowViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logRowReadsAsOneLineOnTheLocalClock() {
        KillLogEntry entry = killLogEntry(QStringLiteral("Web Content"), 1234);
        entry.timestamp = QDateTime(QDate(2024, 3, 5), QTime(21, 5, 9), Qt::LocalTime).toUTC();
        entry.success = false;
        entry.message = QStringLiteral("No permission");
        LogCellView row(QStringLiteral("Log"));
        row.configure(entry);
        QCOMPARE(row.accessibleName(),
                 QStringLiteral("21:05:09 %1 No permission Web Content PID 1234")
                     .arg(localizedText("a11y_kill_failed")));
    }

    // "Name (name)" when a desktop entry names it otherwise.
    void browseRowShowsItsName() {
        UserProcess process;
        process.name = QStringLiteral("Xorg");
        process.memoryKB = 2048;
        BrowseCellView row(QStringLiteral("Browse"));
        showRow(row);
        const QList<std::pair<std::optional<QString>, QString>> names = {
            {std::nullopt, "Xorg"}, {"X.Org", "X.Org (Xorg)"}, {"Xorg", "Xorg"}};
        for (const auto& [displayName, shown] : names) {
            process.localizedName = displayName;
            row.configure(process, false);
            QVERIFY2(accessibleNamed(&row, shown), qPrintable(shown));
        }
        QVERIFY(accessibleNamed(&row, localizedText("a11y_memory", "2.0 MB")));
        QVERIFY(accessibleNamed(&row, localizedText("a11y_origin_unknown")));
    }

    void cutNamesShowTheirWholeTextOnHover() {
        const QString longName(200, u'W');
        TargetCellView target(QStringLiteral("Target"));
        target.configure({QUuid::createUuid(), longName, MatchMode::fuzzy, true});
        showRow(target);
        auto* name = target.findChild<ElidingLabel*>();
        QWidget* badge = controlNamed(&target, localizedText("a11y_fuzzy"));
        QVERIFY(name->isElided() && name->x() + name->width() <= badge->x());
        QCOMPARE(toolTipOf(name), longName);
        QCOMPARE(toolTipOf(badge), localizedText("tip_fuzzy"));
        // A reused row with a short name gives the room back.
        target.configure({QUuid::createUuid(), QStringLiteral("short"), MatchMode::fuzzy, true});
        QVERIFY(!name->isElided());
    }
};

QTEST_MAIN(TestRowViews)
#include "test_row_views.moc"
