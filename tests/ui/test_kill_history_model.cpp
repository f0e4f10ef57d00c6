#include "engine/storage/file_system.h"
#include "engine/storage/kill_history_reader.h"
#include "fake_services.h"
#include "record_lines.h"
#include "ui/kill_history_model.h"
#include "ui/kill_history_window.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QDate today = QDate::currentDate();

// The files of the disk, but the one named waits to be read until the test lets it.
class HeldFileSystem : public LocalFileSystem {
public:
    explicit HeldFileSystem(QString held) : held_(std::move(held)) {}
    Result<QByteArray> read(const QString& path, qint64 sizeLimit) const override {
        if (path.endsWith(held_))
            go.acquire();
        return LocalFileSystem::read(path, sizeLimit);
    }
    mutable QSemaphore go;

private:
    QString held_;
};

// An entry at noon of the local day that many days back, a number of seconds on.
KillLogEntry entryAt(int daysBack, int seconds, const QString& name, bool success = true,
                     const QString& message = QStringLiteral("Terminated (12.3 MB)")) {
    return {QUuid::createUuid(),
            QDateTime(today.addDays(-daysBack), QTime(12, 0)).addSecs(seconds).toUTC(),
            name,
            1000 + seconds,
            success,
            message};
}
} // namespace

class TestKillHistoryModel : public QObject {
    Q_OBJECT

    QTemporaryDir logs;
    std::unique_ptr<KillHistoryModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;

    void write(const QString& name, const QByteArray& content) {
        QFile file(logs.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    // Reads every day file into the model, as the window does, and waits for the last.
    void read() {
        bool isDone = false;
        KillHistoryReader reader(std::make_shared<LocalFileSystem>(), logs.path(),
                                 [&](std::vector<KillHistory::DayFile> files, bool done) {
                                     model->addDayFiles(std::move(files));
                                     isDone = done;
                                 });
        QTRY_VERIFY(isDone);
    }
    QStringList column(int column) const {
        QStringList cells;
        for (int row = 0; row < model->rowCount(); ++row)
            cells.append(model->index(row, column).data().toString());
        return cells;
    }
    QStringList processes() const { return column(KillHistoryModel::processColumn); }

private Q_SLOTS:
    void init() {
        QVERIFY(logs.isValid());
        model = std::make_unique<KillHistoryModel>();
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup() {
        tester.reset();
        model.reset();
        logs.remove();
        logs = QTemporaryDir();
    }

    // Newest first across files, whatever file holds an entry; a damaged file is named and kept
    // as it is, an empty one is no fault; the message is split into outcome and memory and
    // comes back whole in an export.
    void readsEveryDayFileNewestFirst() {
        const KillLogEntry late = entryAt(1, 60, "late");
        write(today.addDays(-1).toString(u"yyyy-MM-dd.json"),
              pretty({entryAt(1, 0, "b0", false, "Already exited"), late, entryAt(1, 30, "b30")}));
        // An older file that holds the newest entry, as one written at a flush after midnight.
        write(today.addDays(-2).toString(u"yyyy-MM-dd.json"),
              pretty({entryAt(2, 0, "a0"), entryAt(0, 5, "a-new")}));
        write(QStringLiteral("2020-01-01.json"), "[]");
        const QByteArray torn = pretty({entryAt(3, 0, "torn")}).chopped(3);
        write(QStringLiteral("2020-01-02.json"), torn);
        write(QStringLiteral("notes.txt"), "[");
        read();

        QCOMPARE(processes(), (QStringList{"a-new", "late", "b30", "b0", "a0"}));
        QCOMPARE(model->history().damagedFiles(), QStringList{"2020-01-02.json"});
        QCOMPARE(model->history().dayFileCount(), 4);
        QFile damaged(logs.filePath(QStringLiteral("2020-01-02.json")));
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        QCOMPARE(damaged.readAll(), torn);
        QCOMPARE(column(KillHistoryModel::memoryColumn),
                 (QStringList{"12.3 MB", "12.3 MB", "12.3 MB", "", "12.3 MB"}));
        QCOMPARE(column(KillHistoryModel::messageColumn).mid(2),
                 (QStringList{"Terminated", "Already exited", "Terminated"}));
        QCOMPARE(model->index(1, KillHistoryModel::timeColumn).data().toString(),
                 late.timestamp.toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"));
        // Oldest first, as a day file holds them.
        QCOMPARE(recordLines(model->shownEntries().mid(3, 1)), recordLines({late}));
    }

    // The newest days show while older ones are still being read.
    void newestDaysArriveBeforeTheRest() {
        write(today.toString(u"yyyy-MM-dd.json"), pretty({entryAt(0, 0, "new")}));
        write(QStringLiteral("2020-01-01.json"), pretty({entryAt(9, 0, "old")}));
        auto files = std::make_shared<HeldFileSystem>(QStringLiteral("2020-01-01.json"));
        bool isDone = false;
        KillHistoryReader reader(files, logs.path(),
                                 [&](std::vector<KillHistory::DayFile> read, bool done) {
                                     model->addDayFiles(std::move(read));
                                     isDone = done;
                                 });
        const auto letGo = qScopeGuard([&] { files->go.release(); });
        QTRY_COMPARE(processes(), QStringList{"new"});
        QVERIFY(!isDone);
        files->go.release();
        QTRY_VERIFY(isDone);
        QCOMPARE(processes(), (QStringList{"new", "old"}));
    }

    // A range is whole local days up to today; the search ignores case; totals and days count
    // the rows shown.
    void filtersByRangeAndSearchWithTotals() {
        write(QStringLiteral("a.json"),
              pretty({entryAt(0, 0, "Chat Helper"), entryAt(0, 9, "chat", false),
                      entryAt(1, 0, "Editor"), entryAt(10, 0, "chat"), entryAt(40, 0, "CHAT")}));
        read();
        model->setFromDay(today);
        QCOMPARE(processes(), (QStringList{"chat", "Chat Helper"}));
        model->setFromDay(today.addDays(-6));
        QCOMPARE(processes(), (QStringList{"chat", "Chat Helper", "Editor"}));
        model->setFromDay(QDate());
        model->setSearch(QStringLiteral("cHaT"));
        QCOMPARE(processes(), (QStringList{"chat", "Chat Helper", "chat", "CHAT"}));

        const KillHistory& history = model->history();
        const HistorySummary summary = history.summary(model->filter(), today);
        const QList<ProcessTotals>& totals = summary.totals;
        QCOMPARE(totals.size(), 3);
        QCOMPARE(totals[0].processName, QStringLiteral("chat"));
        QCOMPARE(std::tuple(totals[0].attempts, totals[0].ended, totals[0].failed),
                 std::tuple(2, 1, 1));
        QCOMPARE(totals[0].lastSeenSeconds, entryAt(0, 9, "").timestamp.toSecsSinceEpoch());
        const DailyAttempts& days = summary.days;
        QCOMPARE(days.first, today.addDays(-40));
        QCOMPARE(days.counts.size(), 41);
        QCOMPARE(std::tuple(days.counts.first(), days.counts[30], days.counts.last()),
                 std::tuple(1, 1, 2));
        model->setFromDay(today);
        QCOMPARE(history.summary(model->filter(), today).days.counts, QList<int>{2});
    }

    // A recorded entry is shown once, whether its day file is read before or after it arrives;
    // new entries go on top, and those the search leaves out come back when it is cleared.
    void followedEntriesAreShownOnce() {
        const KillLogEntry onDisk = entryAt(0, 0, "on-disk");
        const KillLogEntry later = entryAt(0, 1, "later");
        write(QStringLiteral("a.json"), pretty({onDisk, later}));
        model->follow({later});
        model->setSearch(QStringLiteral("o"));
        read();
        model->follow({onDisk, entryAt(0, 2, "other"), later, entryAt(0, 4, "own")});
        model->follow({entryAt(0, 3, "hidden")});
        QCOMPARE(processes(), (QStringList{"own", "other", "on-disk"}));
        model->setSearch(QString());
        QCOMPARE(processes(), (QStringList{"own", "hidden", "other", "later", "on-disk"}));
    }

    // The window's export writes what its range shows, oldest first, as a day file holds it.
    void windowExportsTheEntriesShown() {
        const QList<KillLogEntry> todays = {entryAt(0, 0, "a"), entryAt(0, 1, "b")};
        write(QStringLiteral("a.json"), pretty(QList{entryAt(3, 0, "old")} + todays));
        auto chooser = std::make_shared<FakeFileChooser>();
        chooser->savePath = logs.filePath(QStringLiteral("shown.export"));
        KillHistoryWindow window(std::make_shared<LocalFileSystem>(), logs.path(), chooser);
        const QAbstractItemModel* rows =
            window.findChild<QTableView*>(QStringLiteral("historyTable"))->model();
        QTRY_COMPARE(rows->rowCount(), 3);
        window.chooseRange(1);
        window.exportShown();
        QFile exported(*chooser->savePath);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), pretty(todays));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestKillHistoryModel test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_kill_history_model.moc"
