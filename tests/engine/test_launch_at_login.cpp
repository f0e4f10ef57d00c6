#include "launch_at_login.h"
#include "memory_settings_store.h"
#include "settings_keys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <cstdio>
#include <unistd.h>

namespace {
// Collects what is written to standard output while it lives.
class StdoutCapture {
public:
    StdoutCapture() {
        std::fflush(stdout);
        savedFd_ = ::dup(STDOUT_FILENO);
        file_.open();
        ::dup2(file_.handle(), STDOUT_FILENO);
    }
    ~StdoutCapture() { restore(); }
    QString text() {
        restore();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll());
    }

private:
    void restore() {
        if (savedFd_ < 0)
            return;
        std::fflush(stdout);
        ::dup2(savedFd_, STDOUT_FILENO);
        ::close(savedFd_);
        savedFd_ = -1;
    }
    QTemporaryFile file_;
    int savedFd_ = -1;
};

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString valueOf(const QString& entry, const QString& key) {
    for (const QString& line : entry.split(u'\n')) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// What a session manager makes of an Exec value that holds one argument: string escapes,
// then field-code "%%", then the quoting rule.
QString programOfExec(const QString& exec) {
    QString value;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) {
            const QChar c = exec[++i];
            value += c == u's' ? QChar(u' ') : c == u'n' ? QChar(u'\n') : c;
        } else {
            value += exec[i];
        }
    }
    value.replace(QStringLiteral("%%"), QStringLiteral("%"));
    if (!value.startsWith(u'"'))
        return value;
    QString program;
    for (qsizetype i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == u'\\' && i + 2 < value.size())
            ++i;
        program += value[i];
    }
    return program;
}

const QByteArray ownEntry = "[Desktop Entry]\nType=Application\nName=Zentrav\n"
                            "Exec=/usr/bin/zentrav\nX-GNOME-Autostart-enabled=true\n";
} // namespace

class TestLaunchAtLogin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void togglingTwiceReturnsToTheStart_data();
    void togglingTwiceReturnsToTheStart();
    void entryStartsThisProgram_data();
    void entryStartsThisProgram();
    void existingEntryIsRead_data();
    void existingEntryIsRead();
    void failureIsPrintedAndStateStaysOff_data();
    void failureIsPrintedAndStateStaysOff();
    void forThisUserUsesConfigFolderAndRunningProgram();

private:
    std::unique_ptr<QTemporaryDir> home_;
    QString autostartDir() const { return home_->filePath(QStringLiteral("autostart")); }
    QString entryPath() const { return autostartDir() + QStringLiteral("/zentrav.desktop"); }
};

void TestLaunchAtLogin::init() {
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
}

void TestLaunchAtLogin::togglingTwiceReturnsToTheStart_data() {
    QTest::addColumn<QByteArray>("existingEntry"); // empty: none
    QTest::addColumn<bool>("isOnAtStart");
    QTest::newRow("no entry") << QByteArray() << false;
    QTest::newRow("own entry") << ownEntry << true;
    QTest::newRow("hidden entry") << ownEntry + "Hidden=true\n" << false;
}

void TestLaunchAtLogin::togglingTwiceReturnsToTheStart() {
    QFETCH(QByteArray, existingEntry);
    QFETCH(bool, isOnAtStart);
    if (!existingEntry.isEmpty()) {
        QVERIFY(QDir().mkpath(autostartDir()));
        writeFile(entryPath(), existingEntry);
    }
    MemorySettingsStore settings;
    LaunchAtLogin launch(autostartDir(), QStringLiteral("/usr/bin/zentrav"), settings);
    QCOMPARE(launch.isLaunchAtLoginEnabled(), isOnAtStart);

    StdoutCapture output;
    launch.toggleLaunchAtLogin();
    QCOMPARE(launch.isLaunchAtLoginEnabled(), !isOnAtStart);
    QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(!isOnAtStart));
    QCOMPARE(QFile::exists(entryPath()), !isOnAtStart);
    // Written atomically: nothing but the entry is left behind.
    if (!isOnAtStart)
        QCOMPARE(
            QDir(autostartDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"zentrav.desktop"});

    launch.toggleLaunchAtLogin();
    QCOMPARE(launch.isLaunchAtLoginEnabled(), isOnAtStart);
    QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(isOnAtStart));
    QCOMPARE(output.text(), QString());
}

void TestLaunchAtLogin::entryStartsThisProgram_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec"); // as written in the file
    QTest::newRow("plain") << "/usr/bin/zentrav"
                           << "/usr/bin/zentrav";
    QTest::newRow("space") << "/opt/My Apps/zentrav"
                           << "\"/opt/My Apps/zentrav\"";
    QTest::newRow("quote and dollar") << "/opt/a$b/\"q\"/zentrav"
                                      << "\"/opt/a\\\\$b/\\\\\"q\\\\\"/zentrav\"";
    QTest::newRow("backslash") << "/opt/back\\slash/zentrav"
                               << "\"/opt/back\\\\\\\\slash/zentrav\"";
    QTest::newRow("percent") << "/opt/100%/zentrav"
                             << "/opt/100%%/zentrav";
    QTest::newRow("space and percent") << "/opt/100 %/zentrav"
                                       << "\"/opt/100 %%/zentrav\"";
    QTest::newRow("non-Latin") << "/opt/ツール/zentrav"
                               << "/opt/ツール/zentrav";
}

void TestLaunchAtLogin::entryStartsThisProgram() {
    QFETCH(QString, program);
    QFETCH(QString, exec);
    MemorySettingsStore settings;
    LaunchAtLogin launch(autostartDir(), program, settings);
    launch.toggleLaunchAtLogin();
    QVERIFY(launch.isLaunchAtLoginEnabled());

    const QString entry = readFile(entryPath());
    QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QCOMPARE(valueOf(entry, "Type"), QStringLiteral("Application"));
    QCOMPARE(valueOf(entry, "Name"), QStringLiteral("Zentrav"));
    QCOMPARE(valueOf(entry, "X-GNOME-Autostart-enabled"), QStringLiteral("true"));
    QCOMPARE(valueOf(entry, "Hidden"), QString());
    QCOMPARE(valueOf(entry, "Exec"), exec);
    QCOMPARE(programOfExec(valueOf(entry, "Exec")), program);
}

void TestLaunchAtLogin::existingEntryIsRead_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<bool>("isOn");
    QTest::newRow("own") << ownEntry << true;
    QTest::newRow("Hidden=true") << ownEntry + "Hidden=true\n" << false;
    QTest::newRow("Hidden = true") << ownEntry + "Hidden = true\n" << false;
    QTest::newRow("Hidden=false") << ownEntry + "Hidden=false\n" << true;
    QTest::newRow("GNOME switch off") << QByteArray("[Desktop Entry]\nType=Application\nExec=/x\n"
                                                    "X-GNOME-Autostart-enabled=false\n")
                                      << false;
    QTest::newRow("Hidden in another group") << ownEntry + "\n[Desktop Action quit]\nHidden=true\n"
                                             << true;
    QTest::newRow("commented out") << ownEntry + "# Hidden=true\n" << true;
}

void TestLaunchAtLogin::existingEntryIsRead() {
    QFETCH(QByteArray, entry);
    QFETCH(bool, isOn);
    QVERIFY(QDir().mkpath(autostartDir()));
    writeFile(entryPath(), entry);
    MemorySettingsStore settings;
    LaunchAtLogin launch(autostartDir(), QStringLiteral("/opt/zentrav/zentrav"), settings);
    QCOMPARE(launch.isLaunchAtLoginEnabled(), isOn);

    // One toggle turns a switched-off entry into this program's own, or removes it.
    launch.toggleLaunchAtLogin();
    QCOMPARE(launch.isLaunchAtLoginEnabled(), !isOn);
    if (isOn)
        QVERIFY(!QFile::exists(entryPath()));
    else
        QCOMPARE(valueOf(readFile(entryPath()), "Exec"), QStringLiteral("/opt/zentrav/zentrav"));
}

void TestLaunchAtLogin::failureIsPrintedAndStateStaysOff_data() {
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("program");
    QTest::newRow("autostart path is a file") << "dirIsFile"
                                              << "/usr/bin/zentrav";
    QTest::newRow("entry path is a folder") << "entryIsDir"
                                            << "/usr/bin/zentrav";
    QTest::newRow("relative program path") << ""
                                           << "zentrav";
    QTest::newRow("unknown program path") << ""
                                          << "";
    QTest::newRow("line break in program path") << ""
                                                << "/opt/a\nb/zentrav";
    QTest::newRow("no config folder") << "noDir"
                                      << "/usr/bin/zentrav";
}

void TestLaunchAtLogin::failureIsPrintedAndStateStaysOff() {
    QFETCH(QString, setUp);
    QFETCH(QString, program);
    QString dir = autostartDir();
    if (setUp == u"dirIsFile")
        writeFile(dir, "keep me");
    else if (setUp == u"entryIsDir")
        QVERIFY(QDir().mkpath(entryPath()));
    else if (setUp == u"noDir")
        dir.clear();

    MemorySettingsStore settings;
    LaunchAtLogin launch(dir, program, settings);
    QVERIFY(!launch.isLaunchAtLoginEnabled());
    StdoutCapture output;
    launch.toggleLaunchAtLogin();
    const QString printed = output.text();

    QVERIFY2(printed.startsWith(QStringLiteral("LaunchAtLogin error: ")), qPrintable(printed));
    QVERIFY(printed.size() > QStringLiteral("LaunchAtLogin error: \n").size());
    QVERIFY(printed.endsWith(u'\n'));
    QCOMPARE(printed.count(u'\n'), 1);
    QVERIFY(!launch.isLaunchAtLoginEnabled());
    QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(false));
    if (setUp == u"dirIsFile")
        QCOMPARE(readFile(dir), QStringLiteral("keep me"));
    if (setUp == u"entryIsDir")
        QVERIFY(QFileInfo(entryPath()).isDir());
    else
        QVERIFY(!QFileInfo::exists(entryPath()));
}

void TestLaunchAtLogin::forThisUserUsesConfigFolderAndRunningProgram() {
    const bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_->path()));
    MemorySettingsStore settings;
    LaunchAtLogin launch = LaunchAtLogin::forThisUser(settings);
    if (hadConfigHome)
        qputenv("XDG_CONFIG_HOME", savedConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");

    QCOMPARE(launch.entryPath(), entryPath());
    launch.toggleLaunchAtLogin();
    QVERIFY(launch.isLaunchAtLoginEnabled());
    QCOMPARE(programOfExec(valueOf(readFile(entryPath()), "Exec")),
             QCoreApplication::applicationFilePath());
}

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "test_launch_at_login.moc"
