#include "engine/storage/file_system.h"
#include "engine/storage/kill_log_store.h"
#include "engine/storage/record_json.h"
#include "memory_file_system.h"
#include "record_lines.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {
const QString logsDir = QStringLiteral("/logs");
const QString dayFile = QStringLiteral("/logs/2024-03-01.json");
const QDate day(2024, 3, 1);
constexpr int parallelRounds = 200;

// Whole-second timestamps on the given local day, so they come back from a file unchanged.
QList<KillLogEntry> batch(const char* label, int count, QTime time = QTime(10, 0),
                          QDate date = day) {
    QList<KillLogEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.append({QUuid::createUuid(), QDateTime(date, time).addSecs(i).toUTC(),
                        QString::fromLatin1(label), i, i % 2 == 0, QStringLiteral("#%1").arg(i)});
    return entries;
}

QStringList sorted(QStringList lines) {
    lines.sort();
    return lines;
}

QStringList namesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// What each writer of the parallel test does: batches of three.
int appendRounds(const QString& dir, const char* label) {
    LocalFileSystem disk;
    KillLogStore store(disk, dir);
    for (int round = 0; round < parallelRounds; ++round) {
        if (!store.append(batch(label, 3)).unwritten.isEmpty())
            return 1;
    }
    return 0;
}
} // namespace

class TestKillLogStore : public QObject {
    Q_OBJECT

    MemoryFileSystem files_;

private Q_SLOTS:
    void init() {
        files_ = MemoryFileSystem();
        files_.makePath(logsDir);
    }

    void cleanup() { QLoggingCategory::setFilterRules({}); }

    void entriesGoToTheFileOfTheirLocalDateAndAreAppended() {
        KillLogStore store(files_, logsDir);
        QVERIFY(store.append({}).unwritten.isEmpty());
        QVERIFY(files_.files.isEmpty());
        const auto first = batch("a", 3);
        const auto late = batch("late", 1, QTime(23, 59, 59));
        const auto early = batch("early", 1, QTime(0, 0), day.addDays(1));
        // Entries without a time have no form on disk: dropped, and said so.
        auto withoutTime = batch("x", 1);
        withoutTime[0].timestamp = QDateTime();
        QTest::ignoreMessage(QtWarningMsg,
                             "Could not write 1 kill-log entries: no valid time stamp");
        QVERIFY(store.append(first + early + withoutTime + late).unwritten.isEmpty());
        QCOMPARE(files_.files.value(QStringLiteral("/logs/2024-03-02.json")), pretty(early));

        // A file this store wrote last is extended without reading it whole, to the same bytes.
        const auto second = batch("b", 2);
        files_.wholeReads.clear();
        QVERIFY(store.append(second.first(1)).unwritten.isEmpty());
        QVERIFY(store.append(second.sliced(1)).unwritten.isEmpty());
        QVERIFY(!files_.wholeReads.contains(dayFile));
        QCOMPARE(files_.files.value(dayFile), pretty(first + late + second));
        QCOMPARE(recordLines(store.loadAllLogs().valueOr({})),
                 recordLines(first + late + second + early));
        // An export is the whole array or nothing.
        const QString exported = QStringLiteral("/logs/export");
        QVERIFY(store.exportTo(exported, second));
        QCOMPARE(files_.files.value(exported), pretty(second));
        QVERIFY(!store.exportTo(exported + u'2', second + withoutTime));
        QVERIFY(!files_.exists(exported + u'2'));
        // Without a listing nothing is read or deleted.
        files_.failListing = true;
        QVERIFY(!store.loadAllLogs());
        store.clearAll();
        QVERIFY(files_.files.contains(dayFile));
    }

    void badDayFileKeepsItsBytesAndTheDayGoesOn_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("fault");
        const QByteArray good = pretty(batch("x", 2));
        QTest::newRow("cut off") << good.chopped(10) << QString();
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("unreadable") << good << "unreadable";
        QTest::newRow("unwritable") << good << "unwritable";
    }

    // Two bad files in a row: the day goes on in the third, which later flushes find again.
    void badDayFileKeepsItsBytesAndTheDayGoesOn() {
        QFETCH(QByteArray, content);
        QFETCH(QString, fault);
        const QString firstOverflow = QStringLiteral("/logs/2024-03-01.1.json");
        files_.files.insert(dayFile, content);
        files_.files.insert(firstOverflow, "[1]");
        if (fault == u"unreadable")
            files_.unreadable.insert(dayFile);
        if (fault == u"unwritable")
            files_.unwritable.insert(dayFile);
        KillLogStore store(files_, logsDir);
        const auto first = batch("a", 3);
        const auto second = batch("b", 2);
        // One line for a file that could not be written, not one per flush.
        if (fault == u"unwritable")
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("Could not write " + dayFile + ": Permission denied"));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QVERIFY(store.append(first).unwritten.isEmpty());
        QVERIFY(store.append(second).unwritten.isEmpty());
        QCOMPARE(files_.files.value(dayFile), content);
        QCOMPARE(files_.files.value(firstOverflow), "[1]");
        QCOMPARE(files_.files.value(QStringLiteral("/logs/2024-03-01.2.json")),
                 pretty(first + second));
        const auto kept = fault == u"unreadable" ? std::nullopt : decodeLogEntries(content);
        QCOMPARE(recordLines(store.loadAllLogs().valueOr({})),
                 recordLines(first + second + kept.value_or(QList<KillLogEntry>())));
    }

    // Each round cuts the second append one byte later, until it goes through whole; the
    // program either ends there or sees the write fail.
    void anAppendCutShortAtAnyByteLosesNothingWrittenBefore() {
        const auto before = batch("before", 2);
        const auto cut = batch("cut", 2);
        const auto after = batch("after", 1);
        // Every round's failed write is said; that is not what is tested here.
        QLoggingCategory::setFilterRules(QStringLiteral("zentrav.engine.warning=false"));
        for (const bool crashes : {true, false}) {
            for (qint64 budget = 0;; ++budget) {
                init();
                auto store = std::make_unique<KillLogStore>(files_, logsDir);
                QVERIFY(store->append(before).unwritten.isEmpty());
                files_.bytesBeforeStop = budget;
                files_.crashes = crashes;
                store->append(cut);
                const bool wasCut = std::exchange(files_.bytesBeforeStop, -1) < 0;
                if (std::exchange(files_.crashed, false))
                    store = std::make_unique<KillLogStore>(files_, logsDir);

                QVERIFY(store->append(after).unwritten.isEmpty());
                const QStringList all = sorted(recordLines(store->loadAllLogs().valueOr({})));
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
    }

    // The power goes before any step of an append, into a new day file or at the end of one:
    // every day file then reads whole, with the entries from before, and with those of the
    // append once it returned.
    void aPowerCutAtAnyStepLeavesEveryDayFileOldOrNew() {
        const auto cut = batch("cut", 2);
        for (const auto& before : {QList<KillLogEntry>(), batch("before", 2)}) {
            for (int changes = 0;; ++changes) {
                init();
                files_.settle();
                KillLogStore store(files_, logsDir);
                QVERIFY(store.append(before).unwritten.isEmpty());
                files_.changesBeforeCut = changes;
                const bool isWritten = store.append(cut).unwritten.isEmpty();
                const bool wasCut = files_.crashed;
                files_.cutPower();
                const QStringList all =
                    sorted(recordLines(KillLogStore(files_, logsDir).loadAllLogs().valueOr({})));
                QVERIFY2(all == sorted(recordLines(before + cut)) ||
                             (!isWritten && all == sorted(recordLines(before))),
                         qPrintable(QStringLiteral("cut before change %1").arg(changes)));
                if (!wasCut)
                    break;
            }
        }
    }

    // A note is followed only for a regular day file of the folder, only when it reads whole,
    // and only to put back the end of an array; any other note is cleared, and the files it
    // names keep their bytes (a note followed would make each of them a good array).
    void onDiskOnlyANoteOnOneOfOurDayFilesIsFollowed() {
        QTemporaryDir dir;
        LocalFileSystem disk;
        KillLogStore store(disk, dir.filePath(QStringLiteral("logs")));
        store.createDirectory();
        const QDir logs(store.logsDir());
        const QByteArray whole = pretty(batch("t", 1));
        const QByteArray kept = whole.left(whole.lastIndexOf('}') + 1);
        const QByteArray torn = kept + ",\n  {";
        const QString outside = dir.filePath(QStringLiteral("2024-03-05.json"));
        const QString link = logs.filePath(QStringLiteral("2024-03-06.json"));
        const QString fifo = logs.filePath(QStringLiteral("2024-03-07.json"));
        const QString ours = logs.filePath(QStringLiteral("2024-03-08.json"));
        for (const QString& path : {outside, ours})
            QVERIFY(disk.writeAtomically(path, torn));
        QVERIFY(QFile::link(outside, link));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(store.append(batch("a", 1)).unwritten.isEmpty());
        const QByteArray end = "\n]\n";
        const QByteArray anotherEntry = ',' + kept.sliced(1) + end;
        const QList<std::tuple<QString, QByteArray, qsizetype>> notes = {
            {outside, end, 3},
            {link, end, 3},
            {fifo, end, 3},
            {ours, end, 2},
            {ours, anotherEntry, anotherEntry.size()}};
        for (const auto& [path, replaced, replacedSize] : notes) {
            const QByteArray name = QFile::encodeName(path);
            QVERIFY(disk.writeAt(logs.filePath(QStringLiteral(".lock")), 0,
                                 QByteArray::number(kept.size()) + ' ' +
                                     QByteArray::number(name.size()) + ' ' +
                                     QByteArray::number(replacedSize) + '\n' + name + replaced));
            QVERIFY(store.append(batch("a", 1)).unwritten.isEmpty());
            QCOMPARE(disk.read(logs.filePath(QStringLiteral(".lock"))).valueOr("-"), QByteArray());
        }
        QCOMPARE(disk.read(outside).valueOr({}), torn);
        QCOMPARE(disk.read(ours).valueOr({}), torn);
        QVERIFY(QFileInfo(link).isSymLink() && QFileInfo(fifo).exists());
    }

    // Damaged in the middle, same size and a good end: the damage is seen and kept.
    void onDiskAFileChangedBehindOurBackIsCheckedWhole() {
        QTemporaryDir dir;
        LocalFileSystem disk;
        KillLogStore store(disk, dir.path());
        const QString path = dir.filePath(KillLogStore::dayFileName(day));
        QVERIFY(store.append(batch("a", 2)).unwritten.isEmpty());
        const QByteArray damaged = disk.read(path).valueOr({}).replace("\"pid\"", "\"PID\"");
        QVERIFY(disk.writeAtomically(path, damaged));
        const auto later = batch("b", 1);
        QVERIFY(store.append(later).unwritten.isEmpty());
        QCOMPARE(disk.read(path).valueOr({}), damaged);
        QCOMPARE(recordLines(store.loadAllLogs().valueOr({})), recordLines(later));
    }

    void onDiskTwoProcessesAppendingAtOnceLoseNothing() {
        QTemporaryDir dir;
        const QStringList labels = {"first", "second"};
        QProcess writers[2];
        for (int i = 0; i < 2; ++i)
            writers[i].start(QStringLiteral("/proc/self/exe"),
                             {QStringLiteral("--append-rounds"), dir.path(), labels[i]});
        for (QProcess& writer : writers)
            QVERIFY(writer.waitForFinished(-1) && writer.exitCode() == 0);

        LocalFileSystem disk;
        const QStringList all =
            recordLines(KillLogStore(disk, dir.path()).loadAllLogs().valueOr({}));
        QCOMPARE(all.size(), 2 * 3 * parallelRounds);
        for (const QString& label : labels)
            QCOMPARE(all.filter(u'|' + label + u'|').size(), 3 * parallelRounds);
        QCOMPARE(namesIn(dir.path()), QStringList({".lock", "2024-03-01.json"}));
    }

    // Day files are read in date order; only names ending in ".json" are read or cleared.
    void onDiskOnlyJsonFilesAreReadAndCleared() {
        QTemporaryDir dir;
        LocalFileSystem disk;
        KillLogStore store(disk, dir.filePath(QStringLiteral("logs")));
        store.createDirectory();
        const QDir logs(store.logsDir());
        const QStringList others = {".lock", "2024-03-01.JSON", "2024-03-01.json.bak", "json"};
        const auto hidden = batch("hidden", 1);
        for (const QString& name : others.mid(1) + QStringList{".hidden.json"})
            QVERIFY(disk.writeAtomically(logs.filePath(name), pretty(hidden)));
        const auto first = batch("a", 3);
        const auto second = batch("b", 2, QTime(9, 0), day.addDays(1));
        QVERIFY(store.append(second + first).unwritten.isEmpty());
        QCOMPARE(recordLines(store.loadAllLogs().valueOr({})),
                 recordLines(hidden + first + second));
        store.clearAll();
        QCOMPARE(namesIn(logs.path()), others);
    }

    // Last: the locale stays changed.
    void fileNamesUseAsciiDigits() {
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        QCOMPARE(KillLogStore::dayFileName(QDate(987, 2, 5)), "0987-02-05.json");
        QCOMPARE(KillLogStore::exportFileName(QDateTime(day, QTime(7, 5, 9))),
                 "kill-log-all-2024-03-01_070509.json");
    }
};

// Run with "--append-rounds <dir> <label>", the program is a writer of the parallel test.
int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], "--append-rounds") == 0)
        return appendRounds(QFile::decodeName(argv[2]), argv[3]);
    QCoreApplication app(argc, argv);
    TestKillLogStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kill_log_store.moc"
