#include "configure_table.h"
#include "row_table.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace {
constexpr int rowHeight = 40;
constexpr int pitch = rowHeight + RowTable::rowSpacing;
} // namespace

// A table of 5000 rows, labels that show their index.
class TestRowTable : public QObject {
    Q_OBJECT

    int count = 5000;
    RowTable table{rowHeight};

    QScrollBar* bar() const { return table.verticalScrollBar(); }
    int viewHeight() const { return table.viewport()->height(); }
    QString textOf(int index) const {
        auto* row = qobject_cast<QLabel*>(table.viewForRow(index));
        return row ? row->text() : QString();
    }
    QList<QWidget*> rowWidgets() const {
        return table.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }
    qsizetype visibleRowWidgets() const {
        const QList<QWidget*> rows = rowWidgets();
        return std::count_if(rows.begin(), rows.end(),
                             [](QWidget* row) { return row->isVisible(); });
    }

private Q_SLOTS:
    void initTestCase() {
        // Unset, the table has nothing to show.
        table.reloadData();
        QCOMPARE(table.numberOfRows(), 0);
        configureTable(table);
        table.resize(300, 430);
        table.setDataSource([this] { return count; },
                            [](QWidget* viewport) { return new QLabel(viewport); },
                            [](QWidget* row, int index) {
                                static_cast<QLabel*>(row)->setText(QString::number(index));
                            });
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
    }

    void manyRowsMakeOnlyAFewWidgets() {
        QCOMPARE(bar()->maximum(), 5000 * pitch - viewHeight());
        // Walk the whole list: the widgets scrolled out are the ones used again.
        for (int value = 0; value <= bar()->maximum(); value += 97)
            bar()->setValue(value);
        QVERIFY(rowWidgets().size() <= viewHeight() / pitch + 2);

        // Part-way down a row: the rows in view show their own index at their own place.
        bar()->setValue(100 * pitch + 10);
        const int last = (100 * pitch + 10 + viewHeight() - 1) / pitch;
        QCOMPARE(table.viewForRow(99), nullptr);
        QCOMPARE(table.viewForRow(last + 1), nullptr);
        for (int index = 100; index <= last; ++index)
            QCOMPARE(textOf(index), QString::number(index));
        QCOMPARE(visibleRowWidgets(), last - 100 + 1);
        QCOMPARE(table.viewForRow(101)->geometry(),
                 QRect(0, pitch - 10, table.viewport()->width(), rowHeight));
        bar()->setValue(bar()->maximum());
        QCOMPARE(textOf(4999), QStringLiteral("4999"));
    }

    void reloadAndResizeShowTheRightRows() {
        bar()->setValue(2000 * pitch);
        const qsizetype made = rowWidgets().size();
        // Shrunk while scrolled far down: no stale row stays on screen.
        count = 3;
        table.reloadData();
        QCOMPARE(bar()->value(), 0);
        QCOMPARE(textOf(2), QStringLiteral("2"));
        QCOMPARE(table.viewForRow(3), nullptr);
        QCOMPARE(visibleRowWidgets(), 3);
        QCOMPARE(rowWidgets().size(), made);

        // A taller table, as when the divider is dragged, shows more rows.
        count = 100;
        table.reloadData();
        QCOMPARE(table.viewForRow(15), nullptr);
        table.resize(300, 20 * pitch);
        QCOMPARE(textOf(19), QStringLiteral("19"));
        QCOMPARE(table.viewForRow(20), nullptr);

        count = 0;
        table.reloadData();
        QCOMPARE(visibleRowWidgets(), 0);
        QCOMPARE(bar()->maximum(), 0);
    }
};

QTEST_MAIN(TestRowTable)
#include "test_row_table.moc"
