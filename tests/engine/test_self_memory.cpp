#include "engine/process/self_memory.h"
#include "fake_proc_tree.h"

#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestSelfMemory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<qint64>("kilobytes");
        const QByteArray head = "Name:\tzentrav\nVmRSS:\t   90000 kB\nRssAnon:\t   50000 kB\n";
        QTest::newRow("resident and swapped") << head + "VmSwap:\t     100 kB\n" << qint64(50100);
        QTest::newRow("no swap line") << head << qint64(50000);
        QTest::newRow("last line without line feed") << "VmSwap:\t 2 kB\nRssAnon:\t 1 kB"_ba << 3ll;
        QTest::newRow("swap only") << "VmSwap:\t 100 kB\n"_ba << 0ll;
        QTest::newRow("not a number") << "RssAnon:\t abc kB\n"_ba << 0ll;
        QTest::newRow("bad swap") << "RssAnon:\t 1 kB\nVmSwap:\t x kB\n"_ba << 0ll;
        // The largest that cannot overflow when resident and swapped are added, and one more.
        QTest::newRow("largest") << "RssAnon:\t 4503599627370495 kB\n"_ba << 4503599627370495ll;
        QTest::newRow("too large") << "RssAnon:\t 4503599627370496 kB\n"_ba << 0ll;
        QTest::newRow("longer key is another field")
            << "RssAnonymous:\t 7 kB\nRssAnon:\t 1 kB\n"_ba << 1ll;
    }

    void parse() {
        QFETCH(QByteArray, status);
        QFETCH(qint64, kilobytes);
        QCOMPARE(parseFootprintBytes(status), kilobytes * 1024);
    }

    // From its own status file, wherever /proc is.
    void measuresItself() {
        QVERIFY(SystemSelfMemory().footprintBytes() > 0);
        auto proc = std::make_shared<FakeProcTree>();
        proc->put(getpid(), "status", "RssAnon:\t 3 kB\n");
        QCOMPARE(SystemSelfMemory(proc).footprintBytes(), 3 * 1024);
    }
};

QTEST_APPLESS_MAIN(TestSelfMemory)
#include "test_self_memory.moc"
