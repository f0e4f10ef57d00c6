#include "launch_at_login.h"
#include "memory_settings_store.h"
#include "settings_keys.h"
#include "stdout_capture.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QString execOf(const QString& entry) {
    const QRegularExpression exec(QStringLiteral("^Exec=(.*)$"),
                                  QRegularExpression::MultilineOption);
    return exec.match(entry).captured(1);
}

const QByteArray ownEntry = "[Desktop Entry]\nType=Application\nName=Zentrav\nExec=/usr/bin/z\n";
} // namespace

class TestLaunchAtLogin : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    QString autostartDir() const { return home_->filePath(QStringLiteral("autostart")); }
    QString entryPath() const { return autostartDir() + QStringLiteral("/zentrav.desktop"); }

private Q_SLOTS:
    void init() { home_ = std::make_unique<QTemporaryDir>(); }

    void stateFollowsTheEntryAndTwoTogglesReturn_data() {
        QTest::addColumn<QByteArray>("existingEntry"); // empty: none
        QTest::addColumn<bool>("isOnAtStart");
        QTest::newRow("no entry") << QByteArray() << false;
        QTest::newRow("own entry") << ownEntry << true;
        QTest::newRow("Hidden = true") << ownEntry + "Hidden = true\n" << false;
        QTest::newRow("GNOME switch off") << ownEntry + "X-GNOME-Autostart-enabled=false\n"
                                          << false;
        QTest::newRow("Hidden in another group")
            << ownEntry + "[Desktop Action quit]\nHidden=true\n"
            << true;
        QTest::newRow("commented out") << ownEntry + "# Hidden=true\n" << true;
    }

    void stateFollowsTheEntryAndTwoTogglesReturn() {
        QFETCH(QByteArray, existingEntry);
        QFETCH(bool, isOnAtStart);
        if (!existingEntry.isEmpty()) {
            QVERIFY(QDir().mkpath(autostartDir()));
            writeFile(entryPath(), existingEntry);
        }
        MemorySettingsStore settings;
        LaunchAtLogin launch(autostartDir(), QStringLiteral("/opt/zentrav/zentrav"), settings);
        QCOMPARE(launch.isLaunchAtLoginEnabled(), isOnAtStart);

        StdoutCapture output;
        for (const bool isOn : {!isOnAtStart, isOnAtStart}) {
            launch.toggleLaunchAtLogin();
            QCOMPARE(launch.isLaunchAtLoginEnabled(), isOn);
            QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(isOn));
            // On is this program's own entry; off is no file at all.
            QCOMPARE(execOf(readFile(entryPath())), isOn ? "/opt/zentrav/zentrav" : QString());
            QCOMPARE(QDir(autostartDir()).entryList(QDir::Files | QDir::Hidden).size(), int(isOn));
        }
        QCOMPARE(output.text(), QString());
    }

    // Each entry is checked by the desktop's own validator.
    void entryStartsThisProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec"); // as written in the file
        QTest::newRow("plain") << "/usr/bin/zentrav"
                               << "/usr/bin/zentrav";
        QTest::newRow("space") << "/opt/My Apps/zentrav"
                               << R"("/opt/My Apps/zentrav")";
        QTest::newRow("quote and dollar") << R"(/opt/a$b/"q"/zentrav)"
                                          << R"("/opt/a\\$b/\\"q\\"/zentrav")";
        QTest::newRow("backslash") << R"(/opt/back\slash/zentrav)"
                                   << R"("/opt/back\\\\slash/zentrav")";
        QTest::newRow("percent") << "/opt/100%/zentrav"
                                 << "/opt/100%%/zentrav";
    }

    void entryStartsThisProgram() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        MemorySettingsStore settings;
        LaunchAtLogin(autostartDir(), program, settings).toggleLaunchAtLogin();
        QCOMPARE(execOf(readFile(entryPath())), exec);
        QProcess validator;
        validator.setProcessChannelMode(QProcess::MergedChannels);
        validator.start(QStringLiteral("desktop-file-validate"), {entryPath()});
        QVERIFY(validator.waitForFinished());
        QCOMPARE(validator.readAll(), QByteArray());
        QCOMPARE(validator.exitCode(), 0);
    }

    void failureIsPrintedAndChangesNothing_data() {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("program");
        QTest::newRow("autostart path is a file") << "dirIsFile"
                                                  << "/usr/bin/zentrav";
        QTest::newRow("entry path is a folder") << "entryIsDir"
                                                << "/usr/bin/zentrav";
        QTest::newRow("no config folder") << "noDir"
                                          << "/usr/bin/zentrav";
        QTest::newRow("relative program path") << ""
                                               << "zentrav";
        QTest::newRow("line break in program path") << ""
                                                    << "/opt/a\nb/zentrav";
    }

    void failureIsPrintedAndChangesNothing() {
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
        StdoutCapture output;
        launch.toggleLaunchAtLogin();
        const QString printed = output.text();

        QVERIFY2(QRegularExpression(QStringLiteral("^LaunchAtLogin error: [^\n]+\n$"))
                     .match(printed)
                     .hasMatch(),
                 qPrintable(printed));
        QVERIFY(!launch.isLaunchAtLoginEnabled());
        QCOMPARE(settings.values.value(SettingsKeys::launchAtLogin), QVariant(false));
        if (setUp == u"dirIsFile")
            QCOMPARE(readFile(dir), QStringLiteral("keep me"));
        QCOMPARE(QFileInfo::exists(entryPath()), setUp == u"entryIsDir");
    }

    void forThisUserUsesConfigFolderAndRunningProgram() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_->path()));
        MemorySettingsStore settings;
        LaunchAtLogin launch = LaunchAtLogin::forThisUser(settings);
        QCOMPARE(launch.entryPath(), entryPath());
        launch.toggleLaunchAtLogin();
        // Quoted when the build folder's path holds a space.
        const QString exec = execOf(readFile(entryPath()));
        const QString program = QCoreApplication::applicationFilePath();
        QVERIFY2(exec == program || exec == u'"' + program + u'"', qPrintable(exec));
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "test_launch_at_login.moc"
