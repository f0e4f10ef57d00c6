#include "configure_table.h"
#include "row_table.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr int rowHeight = 40;
constexpr int pitch = rowHeight + RowTable::rowSpacing;

// A table whose rows are labels showing their index.
struct Fixture {
    int count = 0;
    RowTable table{rowHeight};

    explicit Fixture(int rows) : count(rows) {
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

    int viewHeight() const { return table.viewport()->height(); }
    int maxRowWidgets() const { return viewHeight() / pitch + 2; }
    QScrollBar* bar() const { return table.verticalScrollBar(); }

    QString textOf(int index) const {
        auto* row = qobject_cast<QLabel*>(table.viewForRow(index));
        return row ? row->text() : QString();
    }

    int rowWidgets() const {
        return int(table.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size());
    }

    int visibleRowWidgets() const {
        int visible = 0;
        for (QWidget* child : table.viewport()->findChildren<QWidget*>())
            visible += child->isVisible() ? 1 : 0;
        return visible;
    }
};

} // namespace

class TestRowTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void manyRowsMakeOnlyAFewWidgets();
    void reloadAndResizeShowTheRightRows();
    void emptyAndUnsetSourcesShowNothing();
};

void TestRowTable::manyRowsMakeOnlyAFewWidgets() {
    Fixture f(5000);
    QCOMPARE(f.bar()->maximum(), 5000 * pitch - f.viewHeight());
    // Walk the whole list: the widgets scrolled out are the ones used again.
    for (int value = 0; value <= f.bar()->maximum(); value += 97)
        f.bar()->setValue(value);
    QVERIFY2(f.rowWidgets() <= f.maxRowWidgets(), qPrintable(QString::number(f.rowWidgets())));

    // Part-way down a row: the rows in view show their own index at their own place.
    f.bar()->setValue(100 * pitch + 10);
    const int last = (100 * pitch + 10 + f.viewHeight() - 1) / pitch;
    QCOMPARE(f.table.viewForRow(99), nullptr);
    QCOMPARE(f.table.viewForRow(last + 1), nullptr);
    for (int index = 100; index <= last; ++index)
        QCOMPARE(f.textOf(index), QString::number(index));
    QCOMPARE(f.visibleRowWidgets(), last - 100 + 1);
    QCOMPARE(f.table.viewForRow(101)->geometry(),
             QRect(0, pitch - 10, f.table.viewport()->width(), rowHeight));

    f.bar()->setValue(f.bar()->maximum());
    QCOMPARE(f.textOf(4999), QStringLiteral("4999"));
}

void TestRowTable::reloadAndResizeShowTheRightRows() {
    Fixture f(5000);
    f.bar()->setValue(2000 * pitch);
    const int made = f.rowWidgets();

    // Shrunk while scrolled far down: no stale row stays on screen.
    f.count = 3;
    f.table.reloadData();
    QCOMPARE(f.bar()->value(), 0);
    QCOMPARE(f.textOf(2), QStringLiteral("2"));
    QCOMPARE(f.table.viewForRow(3), nullptr);
    QCOMPARE(f.visibleRowWidgets(), 3);
    QCOMPARE(f.rowWidgets(), made);

    // A taller table, as when the divider is dragged, shows more rows.
    f.count = 100;
    f.table.reloadData();
    QCOMPARE(f.table.viewForRow(15), nullptr);
    f.table.resize(300, 20 * pitch);
    QCOMPARE(f.textOf(19), QStringLiteral("19"));
    QCOMPARE(f.table.viewForRow(20), nullptr);
}

void TestRowTable::emptyAndUnsetSourcesShowNothing() {
    RowTable bare(30);
    bare.resize(200, 200);
    bare.show();
    bare.reloadData();
    QCOMPARE(bare.numberOfRows(), 0);

    Fixture f(0);
    QCOMPARE(f.rowWidgets(), 0);
    QCOMPARE(f.bar()->maximum(), 0);
}

QTEST_MAIN(TestRowTable)
#include "test_row_table.moc"
