#include "self_memory.h"

#include <QTest>

class TestSelfMemory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<qint64>("kilobytes");
        const QByteArray head = "Name:\tzentrav\nVmRSS:\t   90000 kB\nRssFile:\t   40000 kB\n";
        QTest::newRow("resident and swapped")
            << head + "RssAnon:\t   50000 kB\nRssShmem:\t       0 kB\nVmSwap:\t     100 kB\n"
            << qint64(50100);
        QTest::newRow("no swap line") << head + "RssAnon:\t   50000 kB\n" << qint64(50000);
        QTest::newRow("last line without line feed")
            << QByteArray("VmSwap:\t 2 kB\nRssAnon:\t 1 kB") << qint64(3);
        QTest::newRow("swap only") << head + "VmSwap:\t     100 kB\n" << qint64(0);
        QTest::newRow("not a number") << QByteArray("RssAnon:\t abc kB\n") << qint64(0);
        QTest::newRow("no unit") << QByteArray("RssAnon:\t 12\n") << qint64(0);
        QTest::newRow("negative") << QByteArray("RssAnon:\t -12 kB\n") << qint64(0);
        QTest::newRow("bad swap") << QByteArray("RssAnon:\t 1 kB\nVmSwap:\t x kB\n") << qint64(0);
        QTest::newRow("overflow") << QByteArray("RssAnon:\t 9223372036854775807 kB\n") << qint64(0);
        QTest::newRow("longer key is another field")
            << QByteArray("RssAnonymous:\t 7 kB\nRssAnon:\t 1 kB\n") << qint64(1);
    }

    void parse() {
        QFETCH(QByteArray, status);
        QFETCH(qint64, kilobytes);
        QCOMPARE(parseFootprintBytes(status), kilobytes * 1024);
    }

    void measuresItself() {
        SystemSelfMemory memory;
        QVERIFY(memory.footprintBytes() > 0);
        memory.releaseFreeMemory();
        QVERIFY(memory.footprintBytes() > 0);
    }
};

QTEST_APPLESS_MAIN(TestSelfMemory)
#include "test_self_memory.moc"
