#include "file_system.h"
#include "kill_log_store.h"
#include "memory_file_system.h"
#include "record_json.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString logsDir = QStringLiteral("/data/Quorvane/logs");
const QDate day(2024, 3, 1);

// Entries with whole-second timestamps, so they come back from a file unchanged.
QList<KillLogEntry> batch(const QString& label, int count, int firstPid = 100) {
    QList<KillLogEntry> entries;
    for (int i = 0; i < count; ++i) {
        const QDateTime when = QDateTime(day, QTime(10, 0), Qt::UTC).addSecs(firstPid + i);
        entries.append({QUuid::createUuid(), when, label, firstPid + i, i % 2 == 0,
                        QStringLiteral("%1 #%2").arg(label).arg(i)});
    }
    return entries;
}

QStringList describe(const QList<KillLogEntry>& entries) {
    QStringList lines;
    for (const KillLogEntry& e : entries)
        lines << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(e.id.toString(), e.timestamp.toString(Qt::ISODate), e.processName)
                     .arg(e.pid)
                     .arg(e.success)
                     .arg(e.message);
    return lines;
}

QStringList describeFile(const QByteArray& bytes) {
    const auto decoded = decodeLogEntries(bytes);
    return decoded ? describe(*decoded) : QStringList{QStringLiteral("<does not decode>")};
}

QString inLogs(const QString& name) {
    return logsDir + u'/' + name;
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

    void batchGoesInFront_data();
    void batchGoesInFront();
    void fileNamesUseAsciiDigits();

    void firstFlushCreatesTheDayFile();
    void flushesOfOneDayShareOneFile();
    void emptyFlushTouchesNothing();
    void failedWriteReportsFailureAndKeepsTheFile();
    void badDayFileKeepsItsBytesAndTheDayGoesOn_data();
    void badDayFileKeepsItsBytesAndTheDayGoesOn();
    void overflowSkipsEveryBadFile();
    void failedOverflowWriteReportsFailure();
    void unwritableTimestampReportsFailure();
    void loadAllLogsReadsJsonFilesByName();
    void loadAllLogsWithoutListingIsEmpty();
    void clearAllDeletesOnlyJsonFiles();
    void clearAllWithoutListingDeletesNothing();
    void exportWritesOrReportsWhy();

    void onDiskTwoFlushesOneFile();
    void onDiskCorruptDayFile();
    void onDiskUnreadableDayFile();
    void onDiskExtensionsAreCaseSensitive();
    void onDiskExport();
    void onDiskFileSystemFailures();

private:
    MemoryFileSystem files_;
};

void TestKillLogStore::init() {
    files_ = MemoryFileSystem();
    files_.makePath(logsDir);
}

void TestKillLogStore::batchGoesInFront_data() {
    QTest::addColumn<int>("logSize");
    QTest::addColumn<int>("batchSize");
    QTest::addColumn<int>("batchKept");
    QTest::addColumn<int>("logKept");
    QTest::newRow("empty batch changes nothing") << 5 << 0 << 0 << 5;
    QTest::newRow("into an empty log") << 0 << 3 << 3 << 0;
    QTest::newRow("room for all") << 150 << 50 << 50 << 150;
    QTest::newRow("oldest entries fall off") << 150 << 60 << 60 << 140;
    QTest::newRow("full batch pushes the log out") << 120 << 200 << 200 << 0;
    QTest::newRow("oversized batch keeps its first 200") << 10 << 250 << 200 << 0;
}

void TestKillLogStore::batchGoesInFront() {
    QFETCH(int, logSize);
    QFETCH(int, batchSize);
    QFETCH(int, batchKept);
    QFETCH(int, logKept);
    const QList<KillLogEntry> log = batch(QStringLiteral("old"), logSize, 1000);
    const QList<KillLogEntry> added = batch(QStringLiteral("new"), batchSize, 5000);
    QCOMPARE(describe(withBatchInFront(log, added)),
             describe(added.first(batchKept) + log.first(logKept)));
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

void TestKillLogStore::firstFlushCreatesTheDayFile() {
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> first = batch(QStringLiteral("a"), 3);
    QVERIFY(store.appendToDay(day, first));
    QCOMPARE(files_.files.keys(), QStringList{inLogs(QStringLiteral("2024-03-01.json"))});
    QCOMPARE(files_.files.first(), encodeLogEntries(first, JsonStyle::prettySorted));
}

void TestKillLogStore::flushesOfOneDayShareOneFile() {
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> first = batch(QStringLiteral("a"), 3);
    const QList<KillLogEntry> second = batch(QStringLiteral("b"), 2);
    QVERIFY(store.appendToDay(day, first));
    QVERIFY(store.appendToDay(day, second));
    QVERIFY(store.appendToDay(day.addDays(1), second));
    QCOMPARE(files_.files.size(), 2);
    // Same bytes as writing both batches at once: still pretty-printed with sorted keys.
    QCOMPARE(files_.files.value(inLogs(QStringLiteral("2024-03-01.json"))),
             encodeLogEntries(first + second, JsonStyle::prettySorted));
    QCOMPARE(describe(store.loadAllLogs()), describe(first + second + second));
}

void TestKillLogStore::emptyFlushTouchesNothing() {
    KillLogStore store(files_, logsDir);
    QVERIFY(store.appendToDay(day, {}));
    QCOMPARE(files_.writes, 0);
    QVERIFY(files_.files.isEmpty());
}

void TestKillLogStore::failedWriteReportsFailureAndKeepsTheFile() {
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> first = batch(QStringLiteral("a"), 3);
    QVERIFY(store.appendToDay(day, first));
    const QMap<QString, QByteArray> before = files_.files;

    files_.failWrites = true;
    QVERIFY(!store.appendToDay(day, batch(QStringLiteral("b"), 2)));
    QVERIFY(!store.appendToDay(day.addDays(1), batch(QStringLiteral("b"), 2)));
    QCOMPARE(files_.files, before);

    // Nothing was lost: the caller kept the entries and the next flush writes them.
    files_.failWrites = false;
    const QList<KillLogEntry> kept = batch(QStringLiteral("b"), 2);
    QVERIFY(store.appendToDay(day, kept));
    QCOMPARE(describe(store.loadAllLogs()), describe(first + kept));
}

void TestKillLogStore::badDayFileKeepsItsBytesAndTheDayGoesOn_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isReadable");
    const QByteArray good =
        encodeLogEntries(batch(QStringLiteral("x"), 2), JsonStyle::prettySorted);
    QTest::newRow("not JSON") << QByteArray("garbage\x00\xff", 9) << true;
    QTest::newRow("cut off") << good.chopped(10) << true;
    QTest::newRow("an entry without pid") << QByteArray(good).replace("\"pid\"", "\"PID\"") << true;
    QTest::newRow("an object") << QByteArray("{}") << true;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("unreadable") << good << false;
}

void TestKillLogStore::badDayFileKeepsItsBytesAndTheDayGoesOn() {
    QFETCH(QByteArray, content);
    QFETCH(bool, isReadable);
    const QString dayFile = inLogs(QStringLiteral("2024-03-01.json"));
    const QString overflow = inLogs(QStringLiteral("2024-03-01.1.json"));
    files_.files.insert(dayFile, content);
    if (!isReadable)
        files_.unreadable.insert(dayFile);
    KillLogStore store(files_, logsDir);

    const QList<KillLogEntry> first = batch(QStringLiteral("a"), 3);
    const QList<KillLogEntry> second = batch(QStringLiteral("b"), 2);
    QVERIFY(store.appendToDay(day, first));
    QVERIFY(store.appendToDay(day, second));

    QCOMPARE(files_.files.value(dayFile), content);
    QCOMPARE(describeFile(files_.files.value(overflow)), describe(first + second));
    QCOMPARE(describe(store.loadAllLogs()), describe(first + second));
}

void TestKillLogStore::overflowSkipsEveryBadFile() {
    const QByteArray earlier =
        encodeLogEntries(batch(QStringLiteral("earlier"), 1), JsonStyle::prettySorted);
    files_.files.insert(inLogs(QStringLiteral("2024-03-01.json")), "[");
    files_.files.insert(inLogs(QStringLiteral("2024-03-01.1.json")), "[1]");
    files_.files.insert(inLogs(QStringLiteral("2024-03-01.2.json")), earlier);
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> added = batch(QStringLiteral("a"), 2);
    QVERIFY(store.appendToDay(day, added));
    QCOMPARE(files_.files.value(inLogs(QStringLiteral("2024-03-01.json"))), QByteArray("["));
    QCOMPARE(files_.files.value(inLogs(QStringLiteral("2024-03-01.1.json"))), QByteArray("[1]"));
    QCOMPARE(describeFile(files_.files.value(inLogs(QStringLiteral("2024-03-01.2.json")))),
             describeFile(earlier) + describe(added));
    QCOMPARE(files_.files.size(), 3);
}

void TestKillLogStore::failedOverflowWriteReportsFailure() {
    files_.files.insert(inLogs(QStringLiteral("2024-03-01.json")), "not json");
    files_.failWrites = true;
    KillLogStore store(files_, logsDir);
    QVERIFY(!store.appendToDay(day, batch(QStringLiteral("a"), 1)));
    QCOMPARE(files_.files.size(), 1);
}

void TestKillLogStore::unwritableTimestampReportsFailure() {
    KillLogStore store(files_, logsDir);
    QList<KillLogEntry> entries = batch(QStringLiteral("a"), 2);
    entries[1].timestamp = QDateTime();
    QVERIFY(!store.appendToDay(day, entries));
    QVERIFY(files_.files.isEmpty());
}

void TestKillLogStore::loadAllLogsReadsJsonFilesByName() {
    const QList<KillLogEntry> hidden = batch(QStringLiteral("hidden"), 1);
    const QList<KillLogEntry> first = batch(QStringLiteral("first"), 2);
    const QList<KillLogEntry> second = batch(QStringLiteral("second"), 2);
    const QList<KillLogEntry> ignored = batch(QStringLiteral("ignored"), 1);
    const auto put = [&](const char* name, const QList<KillLogEntry>& entries) {
        files_.files.insert(inLogs(QLatin1String(name)),
                            encodeLogEntries(entries, JsonStyle::prettySorted));
    };
    put("2024-03-02.json", second);
    put("2024-03-01.json", first);
    put(".hidden.json", hidden);
    put("2024-02-28.JSON", ignored);
    put("2024-02-28.json.bak", ignored);
    put("2024-02-28.txt", ignored);
    put("json", ignored);
    put("unreadable.json", ignored);
    files_.unreadable.insert(inLogs(QStringLiteral("unreadable.json")));
    files_.files.insert(inLogs(QStringLiteral("2024-03-01.1.json")), "[{]");
    files_.files.insert(logsDir + QStringLiteral("/elsewhere/2024-01-01.json"),
                        encodeLogEntries(ignored, JsonStyle::prettySorted));

    KillLogStore store(files_, logsDir);
    QCOMPARE(describe(store.loadAllLogs()), describe(hidden + first + second));
}

void TestKillLogStore::loadAllLogsWithoutListingIsEmpty() {
    KillLogStore store(files_, logsDir);
    QVERIFY(store.appendToDay(day, batch(QStringLiteral("a"), 1)));
    files_.failListing = true;
    QVERIFY(store.loadAllLogs().isEmpty());
    QVERIFY(KillLogStore(files_, QStringLiteral("/nowhere")).loadAllLogs().isEmpty());
}

void TestKillLogStore::clearAllDeletesOnlyJsonFiles() {
    for (const char* name : {"2024-03-01.json", "2024-03-01.1.json", ".hidden.json", "broken.json",
                             "locked.json", "2024-03-01.JSON", "notes.txt", "json"})
        files_.files.insert(inLogs(QLatin1String(name)), "x");
    files_.undeletable.insert(inLogs(QStringLiteral("locked.json")));

    KillLogStore(files_, logsDir).clearAll();
    QCOMPARE(
        files_.files.keys(),
        QStringList({inLogs(QStringLiteral("2024-03-01.JSON")), inLogs(QStringLiteral("json")),
                     inLogs(QStringLiteral("locked.json")), inLogs(QStringLiteral("notes.txt"))}));
    QVERIFY(files_.dirs.contains(logsDir));
}

void TestKillLogStore::clearAllWithoutListingDeletesNothing() {
    files_.files.insert(inLogs(QStringLiteral("2024-03-01.json")), "x");
    files_.failListing = true;
    KillLogStore(files_, logsDir).clearAll();
    QCOMPARE(files_.files.size(), 1);
}

void TestKillLogStore::exportWritesOrReportsWhy() {
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> entries = batch(QStringLiteral("a"), 3);
    const QString target = QStringLiteral("/data/export.json");
    files_.makePath(QStringLiteral("/data"));
    QCOMPARE(store.exportTo(target, entries), QString());
    QCOMPARE(files_.files.value(target), encodeLogEntries(entries, JsonStyle::prettySorted));

    QList<KillLogEntry> unwritable = entries;
    unwritable[0].timestamp = QDateTime();
    QVERIFY(!store.exportTo(QStringLiteral("/data/other.json"), unwritable).isEmpty());
    QVERIFY(!files_.files.contains(QStringLiteral("/data/other.json")));

    files_.failWrites = true;
    QVERIFY(!store.exportTo(target, batch(QStringLiteral("b"), 1)).isEmpty());
    QCOMPARE(files_.files.value(target), encodeLogEntries(entries, JsonStyle::prettySorted));
}

void TestKillLogStore::onDiskTwoFlushesOneFile() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    LocalFileSystem disk;
    KillLogStore store(disk, home.filePath(QStringLiteral("Quorvane/logs")));
    store.createDirectory();
    store.createDirectory();
    const QList<KillLogEntry> first = batch(QStringLiteral("a"), 3);
    const QList<KillLogEntry> second = batch(QStringLiteral("b"), 2);
    QVERIFY(store.appendToDay(day, first));
    QVERIFY(store.appendToDay(day, second));
    // No temporary files are left beside the day file.
    QCOMPARE(sortedNames(store.logsDir()), QStringList{QStringLiteral("2024-03-01.json")});
    QCOMPARE(describeFile(readDiskFile(store.logsDir() + QStringLiteral("/2024-03-01.json"))),
             describe(first + second));
}

void TestKillLogStore::onDiskCorruptDayFile() {
    QTemporaryDir logs;
    LocalFileSystem disk;
    KillLogStore store(disk, logs.path());
    const QByteArray corrupt("[{\"id\": \"half a line", 21);
    QVERIFY(writeDiskFile(logs.filePath(QStringLiteral("2024-03-01.json")), corrupt));
    const QList<KillLogEntry> added = batch(QStringLiteral("a"), 2);
    QVERIFY(store.appendToDay(day, added));
    QCOMPARE(readDiskFile(logs.filePath(QStringLiteral("2024-03-01.json"))), corrupt);
    QCOMPARE(describe(store.loadAllLogs()), describe(added));

    // Clearing removes the corrupt file with the rest.
    store.clearAll();
    QVERIFY(sortedNames(logs.path()).isEmpty());
}

void TestKillLogStore::onDiskUnreadableDayFile() {
    // Root reads any file whatever its mode; a directory in the file's place cannot be read.
    QTemporaryDir logs;
    LocalFileSystem disk;
    KillLogStore store(disk, logs.path());
    QVERIFY(QDir(logs.path()).mkdir(QStringLiteral("2024-03-01.json")));
    const QList<KillLogEntry> added = batch(QStringLiteral("a"), 2);
    QVERIFY(store.appendToDay(day, added));
    QVERIFY(QFileInfo(logs.filePath(QStringLiteral("2024-03-01.json"))).isDir());
    QCOMPARE(describe(store.loadAllLogs()), describe(added));
    store.clearAll();
    QCOMPARE(sortedNames(logs.path()), QStringList{QStringLiteral("2024-03-01.json")});
}

void TestKillLogStore::onDiskExtensionsAreCaseSensitive() {
    QTemporaryDir logs;
    LocalFileSystem disk;
    KillLogStore store(disk, logs.path());
    const QList<KillLogEntry> hidden = batch(QStringLiteral("hidden"), 1);
    const QList<KillLogEntry> other = batch(QStringLiteral("other"), 1);
    const QByteArray otherBytes = encodeLogEntries(other, JsonStyle::prettySorted);
    QVERIFY(writeDiskFile(logs.filePath(QStringLiteral(".hidden.json")),
                          encodeLogEntries(hidden, JsonStyle::prettySorted)));
    QVERIFY(writeDiskFile(logs.filePath(QStringLiteral("2024-03-01.JSON")), otherBytes));
    QVERIFY(writeDiskFile(logs.filePath(QStringLiteral("2024-03-01.txt")), otherBytes));

    QCOMPARE(describe(store.loadAllLogs()), describe(hidden));
    store.clearAll();
    QCOMPARE(sortedNames(logs.path()),
             QStringList({QStringLiteral("2024-03-01.JSON"), QStringLiteral("2024-03-01.txt")}));
    QVERIFY(QFileInfo(logs.path()).isDir());
}

void TestKillLogStore::onDiskExport() {
    QTemporaryDir dir;
    LocalFileSystem disk;
    KillLogStore store(disk, dir.filePath(QStringLiteral("logs")));
    const QString target = dir.filePath(QStringLiteral("export.json"));
    QVERIFY(writeDiskFile(target, "older content that is longer than the new one"));
    const QList<KillLogEntry> entries = batch(QStringLiteral("a"), 2);
    QCOMPARE(store.exportTo(target, entries), QString());
    QCOMPARE(readDiskFile(target), encodeLogEntries(entries, JsonStyle::prettySorted));
    QVERIFY(
        !store.exportTo(dir.filePath(QStringLiteral("missing/export.json")), entries).isEmpty());
}

void TestKillLogStore::onDiskFileSystemFailures() {
    QTemporaryDir dir;
    LocalFileSystem disk;
    const QString missing = dir.filePath(QStringLiteral("missing"));
    QVERIFY(!disk.list(missing));
    QVERIFY(!disk.read(missing));
    QVERIFY(!disk.read(dir.path()));
    QVERIFY(!disk.exists(missing));
    QVERIFY(!disk.writeAtomically(missing + QStringLiteral("/file.json"), "[]").isEmpty());
    QVERIFY(!disk.remove(missing));

    // A write that cannot happen leaves nothing behind.
    const QString file = dir.filePath(QStringLiteral("file.json"));
    QVERIFY(writeDiskFile(file, "old"));
    QVERIFY(!disk.writeAtomically(file + QStringLiteral("/inside.json"), "new").isEmpty());
    QCOMPARE(readDiskFile(file), QByteArray("old"));
    QCOMPARE(disk.list(dir.path()).value_or(QStringList()),
             QStringList{QStringLiteral("file.json")});
}

QTEST_APPLESS_MAIN(TestKillLogStore)
#include "test_kill_log_store.moc"
