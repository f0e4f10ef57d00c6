#include "engine/i18n/memory_format.h"

#include <QLocale>
#include <QTest>

class TestMemoryFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each unit's bounds, in a locale that would write "1,5".
    void format() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QList<std::pair<qint64, QString>> cases = {{-5, "-5 KB"},      {0, "0 KB"},
                                                         {1023, "1023 KB"},  {1024, "1.0 MB"},
                                                         {1536, "1.5 MB"},   {1048575, "1024.0 MB"},
                                                         {1048576, "1.0 GB"}};
        for (const auto& [kilobytes, text] : cases) {
            QCOMPARE(formatMemoryKB(kilobytes), text);
            QCOMPARE(memorySuffix(kilobytes), kilobytes > 0 ? " (" + text + ')' : QString());
            QCOMPARE(memorySuffixStart(QStringLiteral("Terminated") + memorySuffix(kilobytes)), 10);
        }
        // Brackets of another kind are part of the text.
        for (const char* text : {"Failed (error 3)", "x (1.5 KB)", "x (15 MB)", "x (.5 GB)",
                                 "x (1.5 MB", "x (1.5MB)", "x (1.x MB)"})
            QCOMPARE(memorySuffixStart(QString::fromLatin1(text)), qsizetype(qstrlen(text)));
    }
};

QTEST_APPLESS_MAIN(TestMemoryFormat)
#include "test_memory_format.moc"
