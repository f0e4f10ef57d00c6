#include "engine/desktop/launch_at_login.h"
#include "engine/storage/file_system.h"
#include "engine/storage/settings_keys.h"
#include "memory_settings_store.h"
#include "stdout_capture.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString valueOf(const QString& entryPath, const QString& key = QStringLiteral("Exec")) {
    const QRegularExpression line(u'^' + key + QStringLiteral("=(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(LocalFileSystem().read(entryPath).valueOr({}))).captured(1);
}
} // namespace

class TestLaunchAtLogin : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    MemorySettingsStore settings_;
    QString autostartDir() const { return home_->filePath(QStringLiteral("autostart")); }
    QString entryPath() const { return autostartDir() + QStringLiteral("/zentrav.desktop"); }

private Q_SLOTS:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        settings_ = MemorySettingsStore();
    }

    void stateFollowsTheEntryAndTwoTogglesReturn_data() {
        QTest::addColumn<QByteArray>("existingEntry"); // empty: none
        QTest::addColumn<bool>("isOnAtStart");
        const QByteArray own = "[Desktop Entry]\nType=Application\nName=Zentrav\nExec=/usr/bin/z\n";
        QTest::newRow("no entry") << QByteArray() << false;
        QTest::newRow("own entry") << own << true;
        QTest::newRow("Hidden = true") << own + "Hidden = true\n" << false;
        QTest::newRow("GNOME switch off") << own + "X-GNOME-Autostart-enabled=0\n" << false;
        QTest::newRow("in another group") << own + "[Desktop Action q]\nHidden=true\n" << true;
    }

    // On is this program's own entry; off is no file at all.
    void stateFollowsTheEntryAndTwoTogglesReturn() {
        QFETCH(QByteArray, existingEntry);
        QFETCH(bool, isOnAtStart);
        if (!existingEntry.isEmpty()) {
            QVERIFY(QDir().mkpath(autostartDir()));
            QVERIFY(LocalFileSystem().writeAtomically(entryPath(), existingEntry));
        }
        LaunchAtLogin launch(autostartDir(), QStringLiteral("/opt/zentrav/zentrav"), settings_);
        QCOMPARE(launch.isLaunchAtLoginEnabled(), isOnAtStart);
        StdoutCapture output;
        for (const bool isOn : {!isOnAtStart, isOnAtStart}) {
            launch.toggleLaunchAtLogin();
            QCOMPARE(launch.isLaunchAtLoginEnabled(), isOn);
            QCOMPARE(settings_.values.value(SettingsKeys::launchAtLogin), QVariant(isOn));
            QCOMPARE(valueOf(entryPath()), isOn ? "/opt/zentrav/zentrav" : QString());
            QCOMPARE(QDir(autostartDir()).entryList(QDir::Files | QDir::Hidden).size(), int(isOn));
        }
        QCOMPARE(output.text(), QString());
    }

    // Started by Exec, and skipped by TryExec once the program is gone.
    void entryStartsThisProgram() {
        const QList<std::tuple<QString, QString, QString>> programExecAndTry = {
            {R"(/opt/My Apps/a$b/"q"/back\slash/1%/zentrav)",
             R"("/opt/My Apps/a\\$b/\\"q\\"/back\\\\slash/1%%/zentrav")",
             R"(/opt/My Apps/a$b/"q"/back\\slash/1%/zentrav)"},
            {"/opt/100%/zentrav", "/opt/100%%/zentrav", "/opt/100%/zentrav"}};
        for (const auto& [program, exec, tryExec] : programExecAndTry) {
            LaunchAtLogin launch(autostartDir(), program, settings_);
            launch.toggleLaunchAtLogin();
            QCOMPARE(valueOf(entryPath()), exec);
            QCOMPARE(valueOf(entryPath(), QStringLiteral("TryExec")), tryExec);
            launch.toggleLaunchAtLogin();
        }
    }

    // A path with a line break must not break the printed line either.
    void failureIsPrintedAndChangesNothing_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("program");
        const QString program = QStringLiteral("/usr/bin/zentrav");
        const QString dir = QStringLiteral("autostart");
        QTest::newRow("autostart path is a file") << "auto\nstart" << program;
        QTest::newRow("entry path is a folder") << dir << program;
        QTest::newRow("no config folder") << QString() << program;
        QTest::newRow("relative program path") << dir << "zentrav";
        QTest::newRow("line break in program path") << dir << "/opt/a\nb/zentrav";
    }

    void failureIsPrintedAndChangesNothing() {
        QFETCH(QString, dir);
        QFETCH(QString, program);
        const QString path = dir.isEmpty() ? dir : home_->filePath(dir);
        const bool entryIsDir = QByteArray(QTest::currentDataTag()).contains("folder");
        if (dir.contains(u'\n'))
            QVERIFY(LocalFileSystem().writeAtomically(path, "keep me"));
        if (entryIsDir)
            QVERIFY(QDir().mkpath(entryPath()));
        LaunchAtLogin launch(path, program, settings_);
        StdoutCapture output;
        launch.toggleLaunchAtLogin();
        const QString printed = output.text();
        QVERIFY2(QRegularExpression(QStringLiteral("^LaunchAtLogin error: [^\n]+\n$"))
                     .match(printed)
                     .hasMatch(),
                 qPrintable(printed));
        QVERIFY(!launch.isLaunchAtLoginEnabled());
        QCOMPARE(settings_.values.value(SettingsKeys::launchAtLogin), QVariant(false));
        if (dir.contains(u'\n'))
            QCOMPARE(LocalFileSystem().read(path).valueOr({}), "keep me");
        QCOMPARE(QFileInfo::exists(entryPath()), entryIsDir);
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "test_launch_at_login.moc"
