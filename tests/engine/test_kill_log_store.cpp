#include "file_system.h"
#include "kill_log_store.h"
#include "memory_file_system.h"
#include "record_json.h"
#include "record_lines.h"
#include "stdout_capture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {
const QString logsDir = QStringLiteral("/data/Quorvane/logs");
const QDate day(2024, 3, 1);
constexpr int parallelRounds = 200;

// Whole-second timestamps on the given local day, so they come back from a file unchanged.
QList<KillLogEntry> batch(const char* label, int count, int firstPid = 100,
                          QTime time = QTime(10, 0), QDate date = day) {
    QList<KillLogEntry> entries;
    for (int i = 0; i < count; ++i) {
        const QDateTime when = QDateTime(date, time).addSecs(i).toUTC();
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

QStringList sorted(QStringList lines) {
    lines.sort();
    return lines;
}

QString inLogs(const char* name) {
    return logsDir + u'/' + QLatin1String(name);
}

QStringList sortedNames(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// This test program run again as a writer; ended and reaped however the test goes.
class Writer {
public:
    Writer(const QString& dir, const char* writer) {
        QByteArray program =
            QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
        QByteArray mode = "--append-rounds";
        QByteArray path = QFile::encodeName(dir);
        QByteArray label = writer;
        char* argv[] = {program.data(), mode.data(), path.data(), label.data(), nullptr};
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv, environ) != 0)
            pid_ = -1;
    }
    ~Writer() {
        if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0)
            ::waitpid(pid_, nullptr, 0);
    }
    // True when it wrote all its rounds.
    bool succeeded() {
        int status = 0;
        const bool ended = pid_ > 0 && ::waitpid(std::exchange(pid_, -1), &status, 0) > 0;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
};

// What each writer of the parallel test does: batches of three.
int appendRounds(const QString& dir, const char* label) {
    LocalFileSystem disk;
    KillLogStore store(disk, dir);
    for (int round = 0; round < parallelRounds; ++round) {
        if (!store.append(batch(label, 3, round * 3)).isEmpty())
            return 1;
    }
    return 0;
}
} // namespace

class TestKillLogStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fileNamesUseAsciiDigits();
    void entriesGoToTheFileOfTheirLocalDateAndLaterOnesAreAppended();
    void entriesWithoutATimeAreDroppedAndSaidSo();
    void badDayFileKeepsItsBytesAndTheDayGoesOn_data();
    void badDayFileKeepsItsBytesAndTheDayGoesOn();
    void anAppendCutShortAtAnyByteLosesNothingWrittenBefore_data();
    void anAppendCutShortAtAnyByteLosesNothingWrittenBefore();
    void withoutAListingNothingIsReadOrDeleted();
    void onDiskAFileChangedBehindOurBackIsCheckedWhole();
    void onDiskTwoProcessesAppendingAtOnceLoseNothing();
    void onDiskDayFilesAreReadInOrderAndClearedByExtension();
    void onDiskExportAndFailures();

private:
    MemoryFileSystem files_;
};

void TestKillLogStore::init() {
    files_ = MemoryFileSystem();
    files_.makePath(logsDir);
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

void TestKillLogStore::entriesGoToTheFileOfTheirLocalDateAndLaterOnesAreAppended() {
    KillLogStore store(files_, logsDir);
    QVERIFY(store.append({}).isEmpty());
    QCOMPARE(files_.writes, 0);
    const QList<KillLogEntry> first = batch("a", 3);
    const QList<KillLogEntry> beforeMidnight = batch("late", 1, 1, QTime(23, 59, 59));
    const QList<KillLogEntry> afterMidnight = batch("early", 1, 2, QTime(0, 0), day.addDays(1));
    QVERIFY(store.append(first + afterMidnight + beforeMidnight).isEmpty());
    QCOMPARE(files_.files.value(inLogs("2024-03-02.json")), pretty(afterMidnight));

    // A file this store wrote last is extended without reading it whole, to the same bytes.
    const QList<KillLogEntry> second = batch("b", 2);
    files_.wholeReads.clear();
    QVERIFY(store.append(second.first(1)).isEmpty());
    QVERIFY(store.append(second.sliced(1)).isEmpty());
    QVERIFY(!files_.wholeReads.contains(inLogs("2024-03-01.json")));
    QCOMPARE(files_.files.value(inLogs("2024-03-01.json")),
             pretty(first + beforeMidnight + second));
    QCOMPARE(recordLines(store.loadAllLogs()),
             recordLines(first + beforeMidnight + second + afterMidnight));
}

// They have no form on disk: they are dropped, and said so; the others are written.
void TestKillLogStore::entriesWithoutATimeAreDroppedAndSaidSo() {
    KillLogStore store(files_, logsDir);
    QList<KillLogEntry> entries = batch("b", 2);
    entries[1].timestamp = QDateTime();
    StdoutCapture output;
    QVERIFY(store.append(entries).isEmpty());
    QCOMPARE(output.text(),
             QStringLiteral("Could not write 1 kill-log entries: no valid time stamp\n"));
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(entries.first(1)));
}

void TestKillLogStore::badDayFileKeepsItsBytesAndTheDayGoesOn_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isReadable");
    QTest::addColumn<bool>("isWritable");
    const QByteArray good = pretty(batch("x", 2));
    QTest::newRow("cut off") << good.chopped(10) << true << true;
    QTest::newRow("an entry without pid")
        << QByteArray(good).replace("\"pid\"", "\"PID\"") << true << true;
    QTest::newRow("empty file") << QByteArray() << true << true;
    QTest::newRow("unreadable") << good << false << true;
    QTest::newRow("unwritable") << good << true << false;
}

// Two bad files in a row: the day goes on in the third, which later flushes find again.
void TestKillLogStore::badDayFileKeepsItsBytesAndTheDayGoesOn() {
    QFETCH(QByteArray, content);
    QFETCH(bool, isReadable);
    QFETCH(bool, isWritable);
    const QString dayFile = inLogs("2024-03-01.json");
    files_.files.insert(dayFile, content);
    files_.files.insert(inLogs("2024-03-01.1.json"), "[1]");
    if (!isReadable)
        files_.unreadable.insert(dayFile);
    if (!isWritable)
        files_.unwritable.insert(dayFile);
    KillLogStore store(files_, logsDir);
    const QList<KillLogEntry> first = batch("a", 3);
    const QList<KillLogEntry> second = batch("b", 2);

    StdoutCapture output;
    QVERIFY(store.append(first).isEmpty());
    QVERIFY(store.append(second).isEmpty());
    // One line for a file that could not be written, not one per flush.
    QCOMPARE(output.text(),
             isWritable ? QString()
                        : QStringLiteral("Could not write %1: Permission denied\n").arg(dayFile));

    QCOMPARE(files_.files.value(dayFile), content);
    QCOMPARE(files_.files.value(inLogs("2024-03-01.1.json")), QByteArray("[1]"));
    QCOMPARE(linesOfFile(files_.files.value(inLogs("2024-03-01.2.json"))),
             recordLines(first + second));
    const auto readable = isReadable ? decodeLogEntries(content) : std::nullopt;
    QCOMPARE(recordLines(store.loadAllLogs()),
             recordLines(first + second + readable.value_or(QList<KillLogEntry>())));
}

void TestKillLogStore::anAppendCutShortAtAnyByteLosesNothingWrittenBefore_data() {
    QTest::addColumn<bool>("crashes");
    QTest::newRow("the program ends there") << true;
    QTest::newRow("the write fails there") << false;
}

// Each round cuts the second append one byte later, until it goes through whole.
void TestKillLogStore::anAppendCutShortAtAnyByteLosesNothingWrittenBefore() {
    QFETCH(bool, crashes);
    const QList<KillLogEntry> before = batch("before", 2);
    const QList<KillLogEntry> cut = batch("cut", 2, 200);
    const QList<KillLogEntry> after = batch("after", 1, 300);
    const StdoutCapture failureLines;
    for (qint64 budget = 0;; ++budget) {
        init();
        auto store = std::make_unique<KillLogStore>(files_, logsDir);
        QVERIFY(store->append(before).isEmpty());
        files_.bytesBeforeStop = budget;
        files_.crashes = crashes;
        store->append(cut);
        const bool wasCut = files_.bytesBeforeStop < 0;
        files_.bytesBeforeStop = -1;
        if (std::exchange(files_.crashed, false))
            store = std::make_unique<KillLogStore>(files_, logsDir);

        QVERIFY(store->append(after).isEmpty());
        const QStringList all = sorted(recordLines(store->loadAllLogs()));
        const bool isCutWritten = all.size() == 5;
        QVERIFY2(all == sorted(recordLines(before + after +
                                           (isCutWritten ? cut : QList<KillLogEntry>()))),
                 qPrintable(QStringLiteral("cut after %1 bytes").arg(budget)));
        QVERIFY(isCutWritten || crashes);
        for (auto file = files_.files.cbegin(); file != files_.files.cend(); ++file)
            QVERIFY(!file.key().endsWith(u".json") || decodeLogEntries(file.value()));
        if (!wasCut)
            break;
    }
}

void TestKillLogStore::withoutAListingNothingIsReadOrDeleted() {
    KillLogStore store(files_, logsDir);
    QVERIFY(store.append(batch("a", 1)).isEmpty());
    files_.failListing = true;
    QVERIFY(store.loadAllLogs().isEmpty());
    store.clearAll();
    QVERIFY(files_.files.contains(inLogs("2024-03-01.json")));
}

void TestKillLogStore::onDiskAFileChangedBehindOurBackIsCheckedWhole() {
    QTemporaryDir dir;
    LocalFileSystem disk;
    KillLogStore store(disk, dir.path());
    const QString dayFile = dir.filePath(KillLogStore::dayFileName(day));
    const QList<KillLogEntry> first = batch("a", 2);
    QVERIFY(store.append(first).isEmpty());

    // Another writer added an entry: ours go after it.
    const QList<KillLogEntry> foreign = batch("foreign", 1, 7);
    QVERIFY(KillLogStore(disk, dir.path()).append(foreign).isEmpty());
    const QList<KillLogEntry> second = batch("b", 1, 8);
    QVERIFY(store.append(second).isEmpty());
    QCOMPARE(disk.read(dayFile).value_or(""), pretty(first + foreign + second));

    // Damaged in the middle, same size and a good end: the damage is seen and kept.
    const QByteArray damaged = disk.read(dayFile).value_or("").replace("\"pid\"", "\"PID\"");
    QVERIFY(disk.writeAtomically(dayFile, damaged).isEmpty());
    const QList<KillLogEntry> third = batch("c", 1, 9);
    QVERIFY(store.append(third).isEmpty());
    QCOMPARE(disk.read(dayFile).value_or(""), damaged);
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(third));
}

void TestKillLogStore::onDiskTwoProcessesAppendingAtOnceLoseNothing() {
    QTemporaryDir dir;
    Writer first(dir.path(), "first");
    Writer second(dir.path(), "second");
    QVERIFY(first.succeeded());
    QVERIFY(second.succeeded());

    LocalFileSystem disk;
    const QStringList all = recordLines(KillLogStore(disk, dir.path()).loadAllLogs());
    QCOMPARE(all.size(), 2 * 3 * parallelRounds);
    for (const char* label : {"first", "second"})
        QCOMPARE(all.filter(QStringLiteral("|%1|").arg(QLatin1String(label))).size(),
                 3 * parallelRounds);
    QCOMPARE(sortedNames(dir.path()), QStringList({".lock", "2024-03-01.json"}));
}

void TestKillLogStore::onDiskDayFilesAreReadInOrderAndClearedByExtension() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    LocalFileSystem disk;
    KillLogStore store(disk, home.filePath(QStringLiteral("Quorvane/logs")));
    store.createDirectory();
    const QDir logs(store.logsDir());
    const QByteArray corrupt("[{\"id\": \"half a line");
    const QList<KillLogEntry> hidden = batch("hidden", 1);
    for (const char* name : {".hidden.json", "2024-03-01.JSON", "2024-03-01.json.bak", "json"})
        QVERIFY(disk.writeAtomically(logs.filePath(QLatin1String(name)), pretty(hidden)).isEmpty());
    QVERIFY(
        disk.writeAtomically(logs.filePath(QLatin1String("2024-03-01.json")), corrupt).isEmpty());
    // Root reads any file whatever its mode; a directory in the file's place cannot be read.
    QVERIFY(logs.mkdir(QStringLiteral("2024-03-02.json")));

    const QList<KillLogEntry> first = batch("a", 3);
    const QList<KillLogEntry> second = batch("b", 2, 100, QTime(9, 0), day.addDays(1));
    QVERIFY(store.append(first + second).isEmpty());
    QVERIFY(store.append(first).isEmpty());

    QCOMPARE(disk.read(logs.filePath(QStringLiteral("2024-03-01.json"))).value_or(""), corrupt);
    // No temporary files are left beside the day files.
    const QStringList others = {".lock", "2024-03-01.JSON", "2024-03-01.json.bak",
                                "2024-03-02.json", "json"};
    QCOMPARE(sortedNames(logs.path()),
             sorted(others + QStringList{".hidden.json", "2024-03-01.1.json", "2024-03-01.json",
                                         "2024-03-02.1.json"}));
    QCOMPARE(recordLines(store.loadAllLogs()), recordLines(hidden + first + first + second));
    store.clearAll();
    QCOMPARE(sortedNames(logs.path()), others);
}

void TestKillLogStore::onDiskExportAndFailures() {
    QTemporaryDir dir;
    LocalFileSystem disk;
    KillLogStore store(disk, dir.filePath(QStringLiteral("logs")));
    const QString target = dir.filePath(QStringLiteral("export.json"));
    const QList<KillLogEntry> entries = batch("a", 2);
    QCOMPARE(store.exportTo(target, entries), QString());
    QCOMPARE(disk.read(target).value_or(""), pretty(entries));
    QList<KillLogEntry> withoutTime = batch("b", 1);
    withoutTime[0].timestamp = QDateTime();
    QVERIFY(!store.exportTo(target, withoutTime).isEmpty());
    QVERIFY(
        !store.exportTo(dir.filePath(QStringLiteral("missing/export.json")), entries).isEmpty());
}

// Run with "--append-rounds <dir> <label>", the program is a writer of the parallel test.
int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], "--append-rounds") == 0)
        return appendRounds(QFile::decodeName(argv[2]), argv[3]);
    TestKillLogStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kill_log_store.moc"
