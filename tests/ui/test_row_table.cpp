#include "row_table.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr int rowHeight = 40;
constexpr int pitch = rowHeight + RowTable::rowSpacing;

// A table whose rows are labels showing "<prefix><index>".
struct Fixture {
    int count = 0;
    QString prefix;
    QList<int> configured;
    RowTable table{rowHeight};

    explicit Fixture(int rows) : count(rows) {
        table.resize(300, 430);
        table.setDataSource([this] { return count; },
                            [](QWidget* viewport) { return new QLabel(viewport); },
                            [this](QWidget* row, int index) {
                                configured.append(index);
                                static_cast<QLabel*>(row)->setText(prefix + QString::number(index));
                            });
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
    }

    int viewHeight() const { return table.viewport()->height(); }
    int maxRowWidgets() const { return viewHeight() / pitch + 2; }

    QString textOf(int index) const {
        auto* row = qobject_cast<QLabel*>(table.viewForRow(index));
        return row ? row->text() : QString();
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
    void scrollingReconfiguresTheRowsInView();
    void rowsArePlacedAtTheirPitchAcrossTheWidth();
    void reloadAfterShrinkHidesExtraRows();
    void reloadReconfiguresRowsInView();
    void growingTheTableShowsMoreRows();
    void emptyAndUnsetSourcesShowNothing();
};

void TestRowTable::manyRowsMakeOnlyAFewWidgets() {
    Fixture f(5000);
    QCOMPARE(f.table.numberOfRows(), 5000);
    QCOMPARE(f.table.rowHeight(), rowHeight);
    QVERIFY(f.table.createdRowViewCount() <= f.maxRowWidgets());
    QCOMPARE(f.textOf(0), QStringLiteral("0"));
    QCOMPARE(f.table.viewForRow(200), nullptr);

    // Walk the whole list: the widgets scrolled out are the ones used again.
    QScrollBar* bar = f.table.verticalScrollBar();
    QCOMPARE(bar->maximum(), 5000 * pitch - f.viewHeight());
    for (int value = 0; value <= bar->maximum(); value += 97)
        bar->setValue(value);
    bar->setValue(bar->maximum());
    QVERIFY2(f.table.createdRowViewCount() <= f.maxRowWidgets(),
             qPrintable(QString::number(f.table.createdRowViewCount())));
    QCOMPARE(f.textOf(4999), QStringLiteral("4999"));
    QCOMPARE(f.table.viewForRow(0), nullptr);
    QCOMPARE(f.table.horizontalScrollBar()->isVisible(), false);
}

void TestRowTable::scrollingReconfiguresTheRowsInView() {
    Fixture f(5000);
    f.configured.clear();
    f.table.verticalScrollBar()->setValue(100 * pitch + 10);

    const int last = (100 * pitch + 10 + f.viewHeight() - 1) / pitch;
    QCOMPARE(f.table.viewForRow(99), nullptr);
    QCOMPARE(f.table.viewForRow(last + 1), nullptr);
    for (int index = 100; index <= last; ++index) {
        QVERIFY(f.configured.contains(index));
        QCOMPARE(f.textOf(index), QString::number(index));
    }
    for (int index : std::as_const(f.configured))
        QVERIFY2(index >= 100 && index <= last, qPrintable(QString::number(index)));
    QCOMPARE(f.visibleRowWidgets(), last - 100 + 1);
}

void TestRowTable::rowsArePlacedAtTheirPitchAcrossTheWidth() {
    Fixture f(50);
    f.table.verticalScrollBar()->setValue(2 * pitch + 5);
    QWidget* row = f.table.viewForRow(3);
    QVERIFY(row);
    QCOMPARE(row->geometry(), QRect(0, pitch - 5, f.table.viewport()->width(), rowHeight));
    QCOMPARE(f.table.viewForRow(2)->y(), -5);
}

void TestRowTable::reloadAfterShrinkHidesExtraRows() {
    Fixture f(5000);
    f.table.verticalScrollBar()->setValue(2000 * pitch);
    const int made = f.table.createdRowViewCount();

    f.count = 3;
    f.table.reloadData();
    QCOMPARE(f.table.numberOfRows(), 3);
    QCOMPARE(f.table.verticalScrollBar()->value(), 0);
    QCOMPARE(f.table.verticalScrollBar()->maximum(), 0);
    for (int index = 0; index < 3; ++index)
        QCOMPARE(f.textOf(index), QString::number(index));
    QCOMPARE(f.table.viewForRow(3), nullptr);
    QCOMPARE(f.table.viewForRow(2000), nullptr);
    QCOMPARE(f.visibleRowWidgets(), 3);
    QCOMPARE(f.table.createdRowViewCount(), made);

    f.count = 0;
    f.table.reloadData();
    QCOMPARE(f.table.viewForRow(0), nullptr);
    QCOMPARE(f.visibleRowWidgets(), 0);
}

void TestRowTable::reloadReconfiguresRowsInView() {
    Fixture f(20);
    f.prefix = QStringLiteral("new ");
    f.table.reloadData();
    QCOMPARE(f.textOf(0), QStringLiteral("new 0"));
    QCOMPARE(f.textOf(5), QStringLiteral("new 5"));
}

void TestRowTable::growingTheTableShowsMoreRows() {
    Fixture f(100);
    QCOMPARE(f.table.viewForRow(15), nullptr);
    f.table.resize(300, 20 * pitch);
    QVERIFY(f.table.viewForRow(15));
    QCOMPARE(f.textOf(19), QStringLiteral("19"));
    QCOMPARE(f.table.viewForRow(20), nullptr);
    QCOMPARE(f.table.viewForRow(0)->width(), f.table.viewport()->width());
}

void TestRowTable::emptyAndUnsetSourcesShowNothing() {
    RowTable bare(30);
    bare.resize(200, 200);
    bare.show();
    bare.reloadData();
    QCOMPARE(bare.numberOfRows(), 0);
    QCOMPARE(bare.createdRowViewCount(), 0);

    Fixture f(0);
    QCOMPARE(f.table.createdRowViewCount(), 0);
    QCOMPARE(f.table.verticalScrollBar()->maximum(), 0);
}

QTEST_MAIN(TestRowTable)
#include "test_row_table.moc"
