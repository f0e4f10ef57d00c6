#include "ui/widgets/configure_table.h"
#include "ui/widgets/row_table.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>

// A table of labels that show their index.
class TestRowTable : public QObject {
    Q_OBJECT

    static constexpr int rowHeight = 40;
    static constexpr int pitch = rowHeight + RowTable::rowSpacing;
    int count = 5000;
    RowTable table{rowHeight};

    QString textOf(int index) const {
        auto* row = qobject_cast<QLabel*>(table.rowWidget(index));
        return row ? row->text() : QString();
    }
    QList<QWidget*> rowWidgets(bool visibleOnly = false) const {
        QList<QWidget*> rows = table.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        if (visibleOnly)
            rows.removeIf([](QWidget* row) { return !row->isVisible(); });
        return rows;
    }

private Q_SLOTS:
    void showsTheRowsInViewWithFewWidgets() {
        configureTable(table);
        table.resize(300, 430);
        table.setRowSource([this] { return count; },
                           [](QWidget* viewport) { return new QLabel(viewport); },
                           [](QWidget* row, int index) {
                               static_cast<QLabel*>(row)->setText(QString::number(index));
                           });
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QScrollBar* bar = table.verticalScrollBar();
        const int viewHeight = table.viewport()->height();
        QCOMPARE(bar->maximum(), 5000 * pitch - viewHeight);
        // Walk the whole list: the widgets scrolled out are the ones used again.
        for (int value = 0; value <= bar->maximum(); value += 97)
            bar->setValue(value);
        const qsizetype made = rowWidgets().size();
        QVERIFY(made <= viewHeight / pitch + 2);

        // Part-way down a row: the rows in view show their own index at their own place.
        bar->setValue(100 * pitch + 10);
        const int last = (100 * pitch + 10 + viewHeight - 1) / pitch;
        QVERIFY(!table.rowWidget(99) && !table.rowWidget(last + 1));
        for (int index = 100; index <= last; ++index)
            QCOMPARE(textOf(index), QString::number(index));
        QCOMPARE(rowWidgets(true).size(), last - 100 + 1);
        QCOMPARE(table.rowWidget(101)->geometry(),
                 QRect(0, pitch - 10, table.viewport()->width(), rowHeight));

        // Shrunk while scrolled far down: no stale row stays on screen.
        count = 3;
        table.reset();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(textOf(2), QStringLiteral("2"));
        QCOMPARE(table.rowWidget(3), nullptr);
        QCOMPARE(rowWidgets(true).size(), 3);
        QCOMPARE(rowWidgets().size(), made);

        // A taller table, as when the divider is dragged, shows more rows.
        count = 100;
        table.reset();
        table.resize(300, 20 * pitch);
        QCOMPARE(textOf(19), QStringLiteral("19"));
        QCOMPARE(table.rowWidget(20), nullptr);

        count = 0;
        table.reset();
        QVERIFY(rowWidgets(true).isEmpty());
        QCOMPARE(bar->maximum(), 0);
    }
};

QTEST_MAIN(TestRowTable)
#include "test_row_table.moc"
