#include "file_system.h"
#include "kill_log_store.h"
#include "memory_file_system.h"
#include "record_json.h"
#include "record_lines.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString logsDir = QStringLiteral("/data/Quorvane/logs");
const QDate day(2024, 3, 1);

// Entries with whole-second timestamps, so they come back from a file unchanged.
QList<KillLogEntry> batch(const char* label, int count, int firstPid = 100) {
    QList<KillLogEntry> entries;
    for (int i = 0; i < count; ++i) {
        const QDateTime when = QDateTime(day, QTime(10, 0), Qt::UTC).addSecs(firstPid + i);
        entries.append({QUuid::createUuid(), when, QString::fromLatin1(label), firstPid + i,
                        i % 2 == 0, QStringLiteral("%1 #%2").arg(QLatin1String(label)).arg(i)});
    }
    return entries;
}

QByteArray pretty(const QList<KillLogEntry>& entries) {
    return encodeLogEntries(entries, JsonStyle::prettySorted);
}

QStringList linesOfFile(const QByteArray& bytes) {
    const auto decoded = decodeLogEntries(bytes);
    return decoded ? recordLines(*decoded) : QStringList{QStringLiteral("<does not decode>")};
}

QString inLogs(const char* name) {
    return logsDir + u'/' + QLatin1String(name);
}

QByteArray readDiskFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeDiskFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList sortedNames(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

class TestKillLogStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void batchGoesInFrontUpToTheCap();
    void fileNamesUseAsciiDigits();
    void flushesOfADayShareItsFile();
    void failedWritesReportFailureAndChangeNothing();
    void badDayFileKeepsItsBytesAndTheDayGoesOn_data();
    void badDayFileKeepsItsBytesAndTheDayGoesOn();
    void overflowSkipsEveryBadFile();
    void withoutAListingNothingIsReadOrDeleted();
    void onDiskDayFilesAreReadInOrderAndClearedByExtension();
    void onDiskExportAndFailures();

private:
    MemoryFileSystem files_;
};

void TestKillLogStore::init() {
    files_ = MemoryFileSystem();
    files_.makePath(logsDir);
}

void TestKillLogStore::batchGoesInFrontUpToTheCap() {
    // Sizes of the log and the batch, and how many of each are kept.
    for (const auto& [logSize, batchSize, batchKept, logKept] :
         QList<std::array<int, 4>>{{5, 0, 0, 5}, {150, 60, 60, 140}, {10, 250, 200, 0}}) {
        const QList<KillLogEntry> log = batch("old", logSize, 1000);
        const QList<KillLogEntry> added = batch("new", batchSize, 5000);
        QCOMPARE(recordLines(withBatchInFront(log, added)),
                 recordLines(added.first(batchKept) + log.first(logKept)));
    }
}

void TestKillLogStore::fileNamesUseAsciiDigits() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const QString dayName = KillLogStore::dayFileName(QDate(987, 2, 5));
    const QString exportName =
        KillLogStore::exportFileName(QDateTime(QDate(2024, 3, 1), QTime(7, 5, 9)));
    QLocale::setDefault(previous);
    QCOMPARE(dayName, QStringLiteral("0987-02-05.json"));
    QCOMPARE(exportName, QStringLiteral("kill-log-all-2024-03-01_070509.json"));
}

void TestKillLogStore::flushesOfADayShareItsFile() {
    KillLogStore store(files_, logsDir);
    QVERIFY(store.appendToDay(day, {}));
    QCOMPARE(files_.writes, 0);
    const QList<KillLogEntry> first = batch("a", 3);
    const QList<KillLogEntry> second = batch("b", 2);
    QVERIFY(store.appendToDay(day, first));
    QCOMPARE(files_.files.value(inLogs("2024-03-01.json")), pretty(first));
    QVERIFY(store.appendToDay(day, second));
    QVERIFY(store.appendToDay(day.addDays(1), second));
    QCOMPARE(files_.files.size(), 2);
    // Same bytes as writing both batches at once: still pretty-printed with sorted keys.
    QCOMPARE(files_.files.value(inLogs("2024-03-01.json")), pretty(first + second));
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(first + second + second));
}

void TestKillLogStore::failedWritesReportFailureAndChangeNothing() {
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> first = batch("a", 3);
    QVERIFY(store.appendToDay(day, first));
    const QMap<QString, QByteArray> before = files_.files;

    QList<KillLogEntry> withoutTime = batch("b", 2);
    withoutTime[1].timestamp = QDateTime();
    QVERIFY(!store.appendToDay(day.addDays(1), withoutTime));
    files_.failWrites = true;
    const QList<KillLogEntry> kept = batch("b", 2);
    QVERIFY(!store.appendToDay(day, kept));
    QVERIFY(!store.appendToDay(day.addDays(1), kept));
    QCOMPARE(files_.files, before);

    // Nothing was lost: the caller kept the entries and the next flush writes them.
    files_.failWrites = false;
    QVERIFY(store.appendToDay(day, kept));
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(first + kept));
}

void TestKillLogStore::badDayFileKeepsItsBytesAndTheDayGoesOn_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isReadable");
    const QByteArray good = pretty(batch("x", 2));
    QTest::newRow("cut off") << good.chopped(10) << true;
    QTest::newRow("an entry without pid") << QByteArray(good).replace("\"pid\"", "\"PID\"") << true;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("unreadable") << good << false;
}

void TestKillLogStore::badDayFileKeepsItsBytesAndTheDayGoesOn() {
    QFETCH(QByteArray, content);
    QFETCH(bool, isReadable);
    const QString dayFile = inLogs("2024-03-01.json");
    files_.files.insert(dayFile, content);
    if (!isReadable)
        files_.unreadable.insert(dayFile);
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> first = batch("a", 3);
    const QList<KillLogEntry> second = batch("b", 2);

    files_.failWrites = true;
    QVERIFY(!store.appendToDay(day, first));
    QCOMPARE(files_.files.size(), 1);
    files_.failWrites = false;
    QVERIFY(store.appendToDay(day, first));
    QVERIFY(store.appendToDay(day, second));

    QCOMPARE(files_.files.value(dayFile), content);
    QCOMPARE(linesOfFile(files_.files.value(inLogs("2024-03-01.1.json"))),
             recordLines(first + second));
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(first + second));
}

void TestKillLogStore::overflowSkipsEveryBadFile() {
    const QByteArray earlier = pretty(batch("earlier", 1));
    files_.files.insert(inLogs("2024-03-01.json"), "[");
    files_.files.insert(inLogs("2024-03-01.1.json"), "[1]");
    files_.files.insert(inLogs("2024-03-01.2.json"), earlier);
    const QList<KillLogEntry> added = batch("a", 2);
    QVERIFY(KillLogStore(files_, logsDir).appendToDay(day, added));
    QCOMPARE(files_.files.value(inLogs("2024-03-01.json")), QByteArray("["));
    QCOMPARE(files_.files.value(inLogs("2024-03-01.1.json")), QByteArray("[1]"));
    QCOMPARE(linesOfFile(files_.files.value(inLogs("2024-03-01.2.json"))),
             linesOfFile(earlier) + recordLines(added));
    QCOMPARE(files_.files.size(), 3);
}

void TestKillLogStore::withoutAListingNothingIsReadOrDeleted() {
    KillLogStore store(files_, logsDir);
    QVERIFY(store.appendToDay(day, batch("a", 1)));
    files_.failListing = true;
    QVERIFY(store.loadAllLogs().isEmpty());
    store.clearAll();
    QCOMPARE(files_.files.size(), 1);
}

void TestKillLogStore::onDiskDayFilesAreReadInOrderAndClearedByExtension() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    LocalFileSystem disk;
    KillLogStore store(disk, home.filePath(QStringLiteral("Quorvane/logs")));
    store.createDirectory();
    store.createDirectory();
    const QDir logs(store.logsDir());
    const QByteArray corrupt("[{\"id\": \"half a line");
    const QList<KillLogEntry> hidden = batch("hidden", 1);
    QVERIFY(writeDiskFile(logs.filePath(QStringLiteral("2024-03-01.json")), corrupt));
    QVERIFY(writeDiskFile(logs.filePath(QStringLiteral(".hidden.json")), pretty(hidden)));
    for (const char* other : {"2024-03-01.JSON", "2024-03-01.json.bak", "json"})
        QVERIFY(writeDiskFile(logs.filePath(QLatin1String(other)), pretty(batch("other", 1))));
    // Root reads any file whatever its mode; a directory in the file's place cannot be read.
    QVERIFY(logs.mkdir(QStringLiteral("2024-03-02.json")));

    const QList<KillLogEntry> first = batch("a", 3);
    const QList<KillLogEntry> second = batch("b", 2);
    QVERIFY(store.appendToDay(day, first));
    QVERIFY(store.appendToDay(day, second));
    QVERIFY(store.appendToDay(day.addDays(1), second));

    QCOMPARE(readDiskFile(logs.filePath(QStringLiteral("2024-03-01.json"))), corrupt);
    // No temporary files are left beside the day files.
    const QStringList others = {"2024-03-01.JSON", "2024-03-01.json.bak", "2024-03-02.json",
                                "json"};
    QStringList all = others + QStringList{".hidden.json", "2024-03-01.1.json", "2024-03-01.json",
                                           "2024-03-02.1.json"};
    all.sort();
    QCOMPARE(sortedNames(logs.path()), all);
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(hidden + first + second + second));
    store.clearAll();
    QCOMPARE(sortedNames(logs.path()), others);
}

void TestKillLogStore::onDiskExportAndFailures() {
    QTemporaryDir dir;
    LocalFileSystem disk;
    KillLogStore store(disk, dir.filePath(QStringLiteral("logs")));
    const QString target = dir.filePath(QStringLiteral("export.json"));
    QVERIFY(writeDiskFile(target, "older content that is longer than the new one"));
    const QList<KillLogEntry> entries = batch("a", 2);
    QCOMPARE(store.exportTo(target, entries), QString());
    QCOMPARE(readDiskFile(target), pretty(entries));
    QList<KillLogEntry> withoutTime = batch("b", 1);
    withoutTime[0].timestamp = QDateTime();
    QVERIFY(!store.exportTo(target, withoutTime).isEmpty());
    QVERIFY(
        !store.exportTo(dir.filePath(QStringLiteral("missing/export.json")), entries).isEmpty());
    // A write that cannot happen leaves the old file and nothing beside it.
    QVERIFY(!disk.writeAtomically(target + QStringLiteral("/inside.json"), "new").isEmpty());
    QCOMPARE(readDiskFile(target), pretty(entries));
    QCOMPARE(disk.list(dir.path()).value_or(QStringList()), QStringList{"export.json"});
}

QTEST_APPLESS_MAIN(TestKillLogStore)
#include "test_kill_log_store.moc"
