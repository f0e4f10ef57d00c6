#include "memory_format.h"

#include <QLocale>
#include <QTest>

class TestMemoryFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        // A locale that writes "1,5": the figures must still use ".".
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void format_data() {
        QTest::addColumn<qint64>("kilobytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("suffix");

        QTest::newRow("zero") << qint64(0) << "0 KB"
                              << "";
        QTest::newRow("negative") << qint64(-5) << "-5 KB"
                                  << "";
        QTest::newRow("kilobytes") << qint64(512) << "512 KB"
                                   << " (512 KB)";
        QTest::newRow("last kilobyte figure") << qint64(1023) << "1023 KB"
                                              << " (1023 KB)";
        QTest::newRow("one megabyte") << qint64(1024) << "1.0 MB"
                                      << " (1.0 MB)";
        QTest::newRow("fraction") << qint64(1536) << "1.5 MB"
                                  << " (1.5 MB)";
        QTest::newRow("rounds up, stays MB") << qint64(1048575) << "1024.0 MB"
                                             << " (1024.0 MB)";
        QTest::newRow("one gigabyte") << qint64(1048576) << "1.0 GB"
                                      << " (1.0 GB)";
        QTest::newRow("gigabytes") << qint64(3145728) << "3.0 GB"
                                   << " (3.0 GB)";
    }

    void format() {
        QFETCH(qint64, kilobytes);
        QFETCH(QString, text);
        QFETCH(QString, suffix);
        QCOMPARE(formatMemoryKB(kilobytes), text);
        QCOMPARE(memorySuffix(kilobytes), suffix);
    }
};

QTEST_APPLESS_MAIN(TestMemoryFormat)
#include "test_memory_format.moc"
