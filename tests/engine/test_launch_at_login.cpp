#include "launch_at_login.h"
#include "memory_settings_store.h"
#include "settings_keys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
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

const QByteArray ownEntry = "[Desktop Entry]\nType=Application\nName=Zentrav\n"
                            "Exec=/usr/bin/zentrav\nX-GNOME-Autostart-enabled=true\n";
} // namespace

class TestLaunchAtLogin : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    QString autostartDir() const { return home_->filePath(QStringLiteral("autostart")); }
    QString entryPath() const { return autostartDir() + QStringLiteral("/zentrav.desktop"); }

private Q_SLOTS:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
    }

    void togglingTwiceReturnsToTheStart_data() {
        QTest::addColumn<QByteArray>("existingEntry"); // empty: none
        QTest::addColumn<bool>("isOnAtStart");
        QTest::newRow("no entry") << QByteArray() << false;
        QTest::newRow("own entry") << ownEntry << true;
        QTest::newRow("Hidden=true") << ownEntry + "Hidden=true\n" << false;
        QTest::newRow("Hidden = true") << ownEntry + "Hidden = true\n" << false;
        QTest::newRow("Hidden=false") << ownEntry + "Hidden=false\n" << true;
        QTest::newRow("GNOME switch off")
            << QByteArray("[Desktop Entry]\nExec=/x\nX-GNOME-Autostart-enabled=false\n") << false;
        QTest::newRow("Hidden in another group")
            << ownEntry + "\n[Desktop Action quit]\nHidden=true\n"
            << true;
        QTest::newRow("commented out") << ownEntry + "# Hidden=true\n" << true;
    }

    void togglingTwiceReturnsToTheStart() {
        QFETCH(QByteArray, existingEntry);
        QFETCH(bool, isOnAtStart);
        if (!existingEntry.isEmpty()) {
            QVERIFY(QDir().mkpath(autostartDir()));
            writeFile(entryPath(), existingEntry);
        }
        MemorySettingsStore settings;
        const QString program = QStringLiteral("/opt/zentrav/zentrav");
        LaunchAtLogin launch(autostartDir(), program, settings);
        QCOMPARE(launch.isLaunchAtLoginEnabled(), isOnAtStart);

        StdoutCapture output;
        for (const bool isOn : {!isOnAtStart, isOnAtStart}) {
            launch.toggleLaunchAtLogin();
            QCOMPARE(launch.isLaunchAtLoginEnabled(), isOn);
            QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(isOn));
            // On is this program's own entry, written atomically; off is no entry at all.
            QCOMPARE(valueOf(readFile(entryPath()), "Exec"), isOn ? program : QString());
            QCOMPARE(QDir(autostartDir()).entryList(QDir::Files | QDir::Hidden).size(),
                     isOn ? 1 : 0);
        }
        QCOMPARE(output.text(), QString());
    }

    void entryStartsThisProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec"); // as written in the file
        const auto row = [](const char* tag, const char* program, const char* exec) {
            QTest::newRow(tag) << QString::fromUtf8(program) << QString::fromUtf8(exec);
        };
        row("plain", "/usr/bin/zentrav", "/usr/bin/zentrav");
        row("space", "/opt/My Apps/zentrav", R"("/opt/My Apps/zentrav")");
        row("quote and dollar", R"(/opt/a$b/"q"/zentrav)", R"("/opt/a\\$b/\\"q\\"/zentrav")");
        row("backslash", R"(/opt/back\slash/zentrav)", R"("/opt/back\\\\slash/zentrav")");
        row("percent", "/opt/100%/zentrav", "/opt/100%%/zentrav");
        row("space and percent", "/opt/100 %/zentrav", R"("/opt/100 %%/zentrav")");
    }

    void entryStartsThisProgram() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        MemorySettingsStore settings;
        LaunchAtLogin launch(autostartDir(), program, settings);
        launch.toggleLaunchAtLogin();
        QVERIFY(launch.isLaunchAtLoginEnabled());
        QCOMPARE(valueOf(readFile(entryPath()), "Exec"), exec);
        QProcess validator;
        validator.setProcessChannelMode(QProcess::MergedChannels);
        validator.start(QStringLiteral("desktop-file-validate"), {entryPath()});
        QVERIFY(validator.waitForFinished());
        QCOMPARE(validator.readAll(), QByteArray());
        QCOMPARE(validator.exitCode(), 0);
    }

    void failureIsPrintedAndStateStaysOff_data() {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("program");
        const auto row = [](const char* tag, const char* setUp, const char* program) {
            QTest::newRow(tag) << QString::fromLatin1(setUp) << QString::fromLatin1(program);
        };
        row("autostart path is a file", "dirIsFile", "/usr/bin/zentrav");
        row("entry path is a folder", "entryIsDir", "/usr/bin/zentrav");
        row("no config folder", "noDir", "/usr/bin/zentrav");
        row("relative program path", "", "zentrav");
        row("line break in program path", "", "/opt/a\nb/zentrav");
    }

    void failureIsPrintedAndStateStaysOff() {
        QFETCH(QString, setUp);
        QFETCH(QString, program);
        QString dir = autostartDir();
        if (setUp == u"dirIsFile") {
            // Its path holds a line break, which must not break the printed line.
            dir = home_->filePath(QStringLiteral("auto\nstart"));
            writeFile(dir, "keep me");
        } else if (setUp == u"entryIsDir") {
            QVERIFY(QDir().mkpath(entryPath()));
        } else if (setUp == u"noDir") {
            dir.clear();
        }

        MemorySettingsStore settings;
        LaunchAtLogin launch(dir, program, settings);
        QVERIFY(!launch.isLaunchAtLoginEnabled());
        StdoutCapture output;
        launch.toggleLaunchAtLogin();
        const QString printed = output.text();

        // One line with a reason.
        QVERIFY2(QRegularExpression(QStringLiteral("^LaunchAtLogin error: [^\n]+\n$"))
                     .match(printed)
                     .hasMatch(),
                 qPrintable(printed));
        QVERIFY(!launch.isLaunchAtLoginEnabled());
        QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(false));
        if (setUp == u"dirIsFile")
            QCOMPARE(readFile(dir), QStringLiteral("keep me"));
        if (setUp == u"entryIsDir")
            QVERIFY(QFileInfo(entryPath()).isDir());
        else
            QVERIFY(!QFileInfo::exists(entryPath()));
    }

    void forThisUserUsesConfigFolderAndRunningProgram() {
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
        // Quoted when the build folder's path holds a space.
        const QString exec = valueOf(readFile(entryPath()), "Exec");
        const QString program = QCoreApplication::applicationFilePath();
        QVERIFY2(exec == program || exec == u'"' + program + u'"', qPrintable(exec));
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "test_launch_at_login.moc"
