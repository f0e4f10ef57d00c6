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

    void format() {
        const QList<std::tuple<qint64, const char*, const char*>> cases = {
            {0, "0 KB", ""},
            {-5, "-5 KB", ""},
            {1023, "1023 KB", " (1023 KB)"},
            {1024, "1.0 MB", " (1.0 MB)"},
            {1536, "1.5 MB", " (1.5 MB)"},
            {1048575, "1024.0 MB", " (1024.0 MB)"},
            {1048576, "1.0 GB", " (1.0 GB)"}};
        for (const auto& [kilobytes, text, suffix] : cases) {
            QCOMPARE(formatMemoryKB(kilobytes), QString::fromLatin1(text));
            QCOMPARE(memorySuffix(kilobytes), QString::fromLatin1(suffix));
        }
    }
};

QTEST_APPLESS_MAIN(TestMemoryFormat)
#include "test_memory_format.moc"
