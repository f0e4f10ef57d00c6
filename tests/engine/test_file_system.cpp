#include "engine/i18n/console_line.h"
#include "engine/process/process_runner.h"
#include "engine/storage/file_system.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"
#include "engine/storage/watch_list_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
const char* const fullDiskRun = "--with-a-full-disk";

QList<TargetProcess> targets(int count) {
    QList<TargetProcess> list;
    for (int i = 0; i < count; ++i)
        list.append(
            {QUuid::createUuid(), QStringLiteral("name %1").arg(i), MatchMode::fuzzy, true});
    return list;
}

// The largest file this process may write; it can be raised again up to the hard limit.
void setFileSizeLimit(rlim_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

qsizetype storedCount() {
    QSettingsStore fresh(std::make_shared<LocalFileSystem>());
    return WatchListStore(fresh).load().size();
}

// The steps that put a change on disk, in order.
class RecordingFileSystem final : public LocalFileSystem {
public:
    Result<void> sync(const QString& path) override {
        steps.append(QStringLiteral("sync ") + path);
        return LocalFileSystem::sync(path);
    }
    Result<void> syncFolder(const QString& dir) override {
        steps.append(QStringLiteral("syncFolder ") + dir);
        return LocalFileSystem::syncFolder(dir);
    }
    Result<void> rename(const QString& from, const QString& to) override {
        steps.append(QStringLiteral("rename %1 %2").arg(from, to));
        return LocalFileSystem::rename(from, to);
    }
    QStringList steps;
};

// Runs in a child of the test: the file size limit stands in for a full disk and binds root
// too. It prints what it sees; the test checks that and what is left on disk.
int writeWithAFullDisk(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { printLine(message); });
    const QString dir = QFile::decodeName(argv[2]);
    std::signal(SIGXFSZ, SIG_IGN);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
    auto files = std::make_shared<LocalFileSystem>();
    QSettingsStore settings(files, std::chrono::milliseconds(20));
    WatchListStore store(settings);
    const QString exported = dir + QStringLiteral("/export.json");
    store.save(targets(3));
    files->writeAtomically(exported, "old");

    setFileSizeLimit(1024);
    printLine(QStringLiteral("export: ") +
              files->writeAtomically(exported, QByteArray(4096, 'x')).error().reason);
    store.save(targets(40));
    printLine(QStringLiteral("kept %1, stored %2").arg(store.load().size()).arg(storedCount()));

    // Tried again without a change of its own, and at the end of the store.
    setFileSizeLimit(RLIM_INFINITY);
    (void)QTest::qWaitFor([] { return storedCount() == 40; }, 5000);
    printLine(QStringLiteral("stored %1").arg(storedCount()));
    setFileSizeLimit(1024);
    settings.setValue(SettingsKeys::launchAtLogin, true);
    setFileSizeLimit(RLIM_INFINITY);
    return 0;
}
} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFullDiskKeepsTheOldFiles() {
        QTemporaryDir dir;
        const auto run = PosixProcessRunner().run(QStringLiteral("/proc/self/exe"),
                                                  {QLatin1String(fullDiskRun), dir.path()});
        QVERIFY(run);
        const QStringList lines =
            QString::fromUtf8(run->standardOutput).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("export: File too large"));
        for (int failure : {1, 4})
            QVERIFY2(lines[failure].startsWith(QStringLiteral("Settings not saved: ")),
                     qPrintable(lines[failure]));
        QCOMPARE(lines.mid(2, 2), QStringList({"kept 40, stored 3", "stored 40"}));

        QCOMPARE(LocalFileSystem().read(dir.filePath(QStringLiteral("export.json"))).valueOr({}),
                 "old");
        const QSettings stored(dir.filePath(QStringLiteral("Zentrav/Zentrav.conf")),
                               QSettings::IniFormat);
        QCOMPARE(stored.value(SettingsKeys::targets).typeId(), QMetaType::QByteArray);
        QCOMPARE(stored.value(SettingsKeys::launchAtLogin).toBool(), true);
        // Nothing half written is left beside the files.
        const auto names = [](const QString& path) {
            return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                        QDir::Name | QDir::IgnoreCase);
        };
        QCOMPARE(names(dir.path()), QStringList({"export.json", "Zentrav"}));
        QCOMPARE(names(dir.filePath(QStringLiteral("Zentrav"))), QStringList{"Zentrav.conf"});
    }

    // The new file is on disk before it takes the old one's name, and the name before the
    // change returns.
    void aSavedChangeIsOnDiskWhenItReturns() {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        auto files = std::make_shared<RecordingFileSystem>();
        QSettingsStore(files).setValue(SettingsKeys::appLanguage, QStringLiteral("ja"));
        const QString folder = dir.filePath(QStringLiteral("Zentrav"));
        QCOMPARE(files->steps.size(), 4);
        const QString checked = files->steps[1].section(u' ', 1);
        QCOMPARE(
            files->steps.mid(1),
            QStringList({"sync " + checked, "rename " + checked + ' ' + folder + "/Zentrav.conf",
                         "syncFolder " + folder}));
    }

    // The settings file would read the key back as "a/b".
    void aSaveThatDoesNotReadBackLeavesNoFileBehind() {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^Settings not saved: ")));
        QVERIFY(!QSettingsStore(std::make_shared<LocalFileSystem>())
                     .setValue(QStringLiteral("a//b"), 1));
        QCOMPARE(
            QDir(dir.filePath(QStringLiteral("Zentrav"))).entryList(QDir::Files | QDir::Hidden),
            QStringList());
    }

    void onlyRegularFilesWithinTheLimitAreRead() {
        QTemporaryDir dir;
        LocalFileSystem files;
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : {fifo, QStringLiteral("/dev/zero"), dir.path()})
            QVERIFY2(!files.read(path), qPrintable(path));
        const QString small = dir.filePath(QStringLiteral("small.json"));
        QVERIFY(files.writeAtomically(small, "0123456789"));
        QCOMPARE(files.read(small, 10).valueOr({}), QByteArray("0123456789"));
        QVERIFY(!files.read(small, 9));
        // A piece of it, as an append reads the end of a day file; shorter at the file's end.
        QCOMPARE(files.readAt(small, 2, 3).valueOr({}), QByteArray("234"));
        QCOMPARE(files.readAt(small, 8, 5).valueOr({}), QByteArray("89"));
        // Files in /proc say they are empty, as a file that grows after the look at its size.
        QVERIFY(files.read(QStringLiteral("/proc/self/status")).valueOr({}).startsWith("Name:"));
        QVERIFY(!files.read(QStringLiteral("/proc/self/status"), 10));

        // A write never puts a regular file in the place of a special one.
        QVERIFY(!files.writeAtomically(fifo, "[]"));
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(fifo).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], fullDiskRun) == 0)
        return writeWithAFullDisk(argc, argv);
    TestFileSystem test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_file_system.moc"
