#include "accessible_tree.h"
#include "fake_monitor_world.h"
#include "ui/browse_row.h"
#include "ui/localized_text.h"
#include "ui/log_row.h"
#include "ui/widgets/text_cell_delegate.h"

#include <QStandardItemModel>
#include <QTableView>
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

    // The history's cells look as the style draws them: each alignment, a text too long for
    // its cell, a decoration, a selected row.
    void textCellsLookAsTheStyleDrawsThem() {
        QStandardItemModel model(3, 3);
        const QStringList texts = {"Web Content",
                                   "Terminated",
                                   "1.5 MB",
                                   "a name far too long for the narrow cell it has",
                                   "",
                                   "ストア"};
        for (int i = 0; i < texts.size(); ++i) {
            auto* item = new QStandardItem(texts[i]);
            item->setTextAlignment(QList<Qt::Alignment>{Qt::AlignLeft | Qt::AlignVCenter,
                                                        Qt::AlignCenter,
                                                        Qt::AlignRight | Qt::AlignVCenter}[i % 3]);
            model.setItem(i / 3, i % 3, item);
        }
        QPixmap mark(12, 12);
        mark.fill(Qt::red);
        model.item(1, 1)->setData(mark, Qt::DecorationRole);
        QTableView table;
        table.setModel(&model);
        table.setWordWrap(false);
        table.resize(400, 140);
        table.selectRow(0);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        const QImage byStyle = table.viewport()->grab().toImage();
        table.setItemDelegate(new TextCellDelegate(&table));
        QCOMPARE(table.viewport()->grab().toImage(), byStyle);
    }
};

QTEST_MAIN(TestRowViews)
#include "test_row_views.moc"
