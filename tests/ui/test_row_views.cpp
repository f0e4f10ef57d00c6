#include "accessible_tree.h"
#include "fake_monitor_world.h"
#include "ui/browse_row.h"
#include "ui/localized_text.h"
#include "ui/log_row.h"

#include <QTest>

class TestRowViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logRowReadsAsOneLineOnTheLocalClock() {
        KillLogEntry entry = killLogEntry(QStringLiteral("Web Content"), 1234);
        entry.timestamp = QDateTime(QDate(2024, 3, 5), QTime(21, 5, 9), Qt::LocalTime).toUTC();
        entry.success = false;
        entry.message = QStringLiteral("No permission");
        LogRow row(QStringLiteral("Log"));
        row.setEntry(entry);
        QCOMPARE(row.accessibleName(),
                 QStringLiteral("21:05:09 %1 No permission Web Content PID 1234")
                     .arg(localizedText("a11y_kill_failed")));
    }

    // "Name (name)" when a desktop entry names it otherwise; the session's mark.
    void browseRowShowsItsName() {
        UserProcess process;
        process.name = QStringLiteral("Xorg");
        process.memoryKB = 2048;
        BrowseRow row(QStringLiteral("Browse"));
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        const QList<std::pair<std::optional<QString>, QString>> names = {
            {std::nullopt, "Xorg"}, {"X.Org", "X.Org (Xorg)"}, {"Xorg", "Xorg"}};
        for (const auto& [displayName, shown] : names) {
            process.localizedName = displayName;
            row.setProcess(process, false);
            QVERIFY2(accessibleNamed(&row, shown), qPrintable(shown));
        }
        QVERIFY(accessibleNamed(&row, localizedText("a11y_memory", "2.0 MB")));
        QVERIFY(accessibleNamed(&row, localizedText("a11y_origin_unknown")));

        // The session's own processes say that they are left alone, and only they.
        const QString leftAlone = localizedText("tip_session_process");
        QVERIFY(!accessibleNamed(&row, leftAlone));
        process.isSessionProcess = true;
        row.setProcess(process, false);
        QVERIFY(accessibleNamed(&row, leftAlone));
        QCOMPARE(row.focusProxy()->accessibleDescription(), leftAlone);
    }
};

QTEST_MAIN(TestRowViews)
#include "test_row_views.moc"
