// The real program, started as a user starts it, each time with a home and runtime folder of
// its own.
#include "file_descriptor.h"
#include "file_system.h"
#include "record_json.h"
#include "settings_keys.h"
#include "single_instance.h"
#include "test_child.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {
// Every file under a folder, as paths relative to it.
QStringList filesUnder(const QString& dir) {
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(dir).relativeFilePath(it.next()));
    return files;
}

bool isAbstractSocketTaken(const std::string& name) {
    const FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy(name.begin(), name.end(), address.sun_path + 1);
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

bool hasEnded(const QProcess* process) {
    return process->state() == QProcess::NotRunning;
}
} // namespace

class TestProgram : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    std::vector<std::unique_ptr<QProcess>> started_;

    QString runtimeDir() const { return home_->filePath(QStringLiteral("runtime")); }

    // Started processes end with the test, also when it fails. None sees the session's bus
    // unless given one.
    QProcess* start(const QString& program, const QStringList& arguments,
                    const QString& platform = "offscreen", const QString& display = {},
                    const QString& busAddress = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        if (!busAddress.isEmpty())
            environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        environment.insert(QStringLiteral("HOME"), home_->path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->filePath("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home_->filePath("data"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home_->filePath("cache"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
        started_.push_back(std::make_unique<QProcess>());
        started_.back()->setProcessEnvironment(environment);
        started_.back()->start(program, arguments);
        return started_.back().get();
    }

    QProcess* startZentrav(const QStringList& arguments = {}, const QString& platform = "offscreen",
                           const QString& display = {}, const QString& busAddress = {}) {
        return start(QStringLiteral(ZENTRAV_PROGRAM), arguments, platform, display, busAddress);
    }

    // A watch list of one entry, as stored by an earlier run.
    void storeWatchList(const QString& name, MatchMode mode) {
        QSettings settings(home_->filePath(QStringLiteral("config/Zentrav/Zentrav.conf")),
                           QSettings::IniFormat);
        settings.setValue(SettingsKeys::targets,
                          encodeTargets({{QUuid::createUuid(), name, mode}}, JsonStyle::compact));
        settings.sync();
    }

    // Zentrav's window on an X server of the test's own, with monitoring started by a click on
    // the header's start button. Should a start still fail to reach its X server, it is tried
    // again on another.
    QProcess* startMonitoringInWindow(const QString& busAddress = {}) {
        QString display;
        QProcess* zentrav = nullptr;
        QString window;
        for (int attempt = 0; attempt < 3 && window.isEmpty(); ++attempt) {
            display = startXServer();
            if (display.isEmpty())
                return nullptr;
            zentrav = startZentrav({}, QStringLiteral("xcb"), display, busAddress);
            const bool isDone = QTest::qWaitFor(
                [&] {
                    return hasEnded(zentrav) ||
                           !(window = xdotool({"search", "--onlyvisible", "--name", "^Zentrav$"},
                                              display))
                                .isEmpty();
                },
                60000);
            if (!isDone || hasEnded(zentrav))
                qWarning("start on %s failed: %s", qPrintable(display),
                         zentrav->readAllStandardError().constData());
        }
        if (window.isEmpty())
            return nullptr;
        // At the right of the 520 x 560 view under the menu bar.
        const int height = QRegularExpression(QStringLiteral("HEIGHT=(\\d+)"))
                               .match(xdotool({"getwindowgeometry", "--shell", window}, display))
                               .captured(1)
                               .toInt();
        xdotool({"mousemove", "--window", window, "474", QString::number(height - 560 + 22),
                 "click", "1"},
                display);
        return zentrav;
    }

    // Ends the program as the session does, then reads what its log holds.
    QString loggedAfterTermination(QProcess* zentrav) {
        zentrav->terminate();
        if (!zentrav->waitForFinished(20000) || zentrav->exitStatus() != QProcess::NormalExit ||
            zentrav->exitCode() != 0)
            return QStringLiteral("Zentrav did not end as Quit does");
        const QDir logs(home_->filePath(QStringLiteral("data/Quorvane/logs")));
        QString written;
        for (const QString& file : filesUnder(logs.path())) {
            QFile day(logs.filePath(file));
            if (day.open(QIODevice::ReadOnly))
                written += QString::fromUtf8(day.readAll());
        }
        return written;
    }

    bool isInstanceLockHeld() const {
        const QByteArray path = QFile::encodeName(runtimeDir() + "/app.zentrav.Zentrav.lock");
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        const bool isHeld = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        if (fd >= 0)
            ::close(fd);
        return isHeld;
    }

    QString xdotool(const QStringList& arguments, const QString& display) {
        QProcess* tool = start(QStringLiteral("xdotool"), arguments, "xcb", display);
        tool->waitForFinished(10000);
        return QString::fromUtf8(tool->readAllStandardOutput()).trimmed();
    }

    // An X server of the test's own, as ":N". It never resets: by default an X server starts
    // over each time its last client leaves, and a client connecting just then is turned away.
    // Clients try the abstract socket before the file, and another server may hold that name
    // where our /tmp shows no lock: such numbers are skipped, and the server must answer with
    // our screen before it counts as ours.
    QString startXServer() {
        for (int number = 90 + QRandomGenerator::global()->bounded(400), tries = 0; tries < 20;
             ++number, ++tries) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
                isAbstractSocketTaken("/tmp/.X11-unix/X" + std::to_string(number)))
                continue;
            const QString display = u':' + QString::number(number);
            QProcess* xvfb =
                start(QStringLiteral("Xvfb"), {display, "-screen", "0", "1024x768x24", "-nolisten",
                                               "tcp", "-noreset", "-displayfd", "1"});
            const bool answers = QTest::qWaitFor(
                [&] {
                    return hasEnded(xvfb) ||
                           (xvfb->canReadLine() &&
                            xdotool({"getdisplaygeometry"}, display) == "1024 768");
                },
                10000);
            if (answers && !hasEnded(xvfb))
                return display;
        }
        return {};
    }

private Q_SLOTS:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(runtimeDir()));
        QVERIFY(QFile::setPermissions(runtimeDir(), QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner));
    }

    void cleanup() {
        // Politely first: Xvfb removes its lock and socket files only then.
        for (const std::unique_ptr<QProcess>& process : started_) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
            process->waitForFinished();
        }
        started_.clear();
    }

    // None of these starts touches a stored file; with no option, a start hands over to the
    // running instance. An empty platform is no display at all.
    void startWhileOneRunsTouchesNothing() {
        SingleInstance running(runtimeDir());
        QVERIFY(running.claim());
        QSignalSpy shown(&running, &SingleInstance::showRequested);
        const QStringList filesBefore = filesUnder(home_->path());
        const QList<std::tuple<QStringList, QString, int, QString>> starts = {
            {{"--version"}, {}, 0, "Zentrav " ZENTRAV_FULL_VERSION "\n"},
            {{"--help"}, {}, 0, "-v, --version"},
            {{"--frobnicate"}, "offscreen", 1, {}},
            {{}, "offscreen", 0, {}}};
        for (const auto& [arguments, platform, exitCode, printed] : starts) {
            QProcess* zentrav = startZentrav(arguments, platform);
            QTRY_VERIFY_WITH_TIMEOUT(hasEnded(zentrav), 15000);
            QCOMPARE(zentrav->exitStatus(), QProcess::NormalExit);
            QCOMPARE(zentrav->exitCode(), exitCode);
            QVERIFY(QString::fromUtf8(zentrav->readAllStandardOutput()).contains(printed));
            QCOMPARE(filesUnder(home_->path()), filesBefore);
            QCOMPARE(shown.count(), int(arguments.isEmpty()));
        }
    }

    void crashedInstanceNeverBlocksTheNext() {
        QProcess* crashed = startZentrav();
        const QString socket = runtimeDir() + QStringLiteral("/app.zentrav.Zentrav.socket");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 15000);
        crashed->kill();
        QVERIFY(crashed->waitForFinished());
        QVERIFY(QFileInfo::exists(socket));

        QProcess* next = startZentrav();
        QTRY_VERIFY_WITH_TIMEOUT(isInstanceLockHeld(), 15000);
        QProcess* third = startZentrav();
        QVERIFY(third->waitForFinished(20000));
        QCOMPARE(third->exitCode(), 0);
        QVERIFY(!hasEnded(next));
        // Logout's SIGTERM ends it as Quit does.
        next->terminate();
        QVERIFY(next->waitForFinished(20000));
        QCOMPARE(next->exitStatus(), QProcess::NormalExit);
        QCOMPARE(next->exitCode(), 0);
    }

    void startsAtTheSameMomentLeaveOne() {
        const std::vector<QProcess*> starts = {startZentrav(), startZentrav(), startZentrav()};
        const auto ended = [&] { return std::count_if(starts.begin(), starts.end(), hasEnded); };
        QTRY_COMPARE_WITH_TIMEOUT(ended(), 2, 20000);
        for (QProcess* zentrav : starts) {
            if (hasEnded(zentrav))
                QCOMPARE(zentrav->exitCode(), 0);
        }
        QTest::qWait(500);
        QCOMPARE(ended(), 2);
    }

    // A user's session: Zentrav ends a process of its watch list, and the entry is in the day
    // file long before the minute's flush; SIGKILL, which gives no chance to write anything,
    // then finds it on disk already.
    void anEndedProcessIsOnDiskBeforeAKill() {
        TestChild child(QStringLiteral("zvt"));
        QVERIFY(child.isStarted());
        storeWatchList(child.name(), MatchMode::exact);
        QProcess* zentrav = startMonitoringInWindow();
        QVERIFY2(zentrav, "no window on an X server of our own");
        const pid_t pid = child.pid();
        QCOMPARE(child.waitForEnd(20000), SIGTERM);
        const QDir logs(home_->filePath(QStringLiteral("data/Quorvane/logs")));
        const auto written = [&logs] {
            QList<KillLogEntry> entries;
            for (const QString& file : filesUnder(logs.path())) {
                if (file.endsWith(QLatin1String(".json")))
                    entries +=
                        decodeLogEntries(LocalFileSystem().read(logs.filePath(file)).value_or(""))
                            .value_or(QList<KillLogEntry>());
            }
            return entries;
        };
        QTRY_VERIFY_WITH_TIMEOUT(written().size() == 1, 20000);
        zentrav->kill();
        QVERIFY(zentrav->waitForFinished(20000));
        QCOMPARE(written().size(), 1);
        QCOMPARE(written()[0].processName, child.name());
        QCOMPARE(written()[0].pid, pid);
    }

    // The session's bus daemon, found by the bus's own answer, is left alone however its name
    // matches; a process of the same name that the session does not run on is ended.
    void sessionBusOutlivesAnEntryThatMatchesIt() {
        TestChild child(QStringLiteral("zvbus"));
        QVERIFY(child.isStarted());
        const QString daemon = home_->filePath(child.name());
        QVERIFY(QFile::copy(QStringLiteral("/usr/bin/dbus-daemon"), daemon));
        QFile config(home_->filePath(QStringLiteral("bus.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            QStringLiteral(
                "<busconfig><type>session</type><listen>unix:path=%1</listen>"
                "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\" "
                "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                "</policy></busconfig>")
                .arg(home_->filePath(QStringLiteral("bus")))
                .toUtf8());
        config.close();
        QProcess* bus =
            start(daemon, {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        QVERIFY(bus->waitForReadyRead(10000));
        const QString address = QString::fromUtf8(bus->readLine()).trimmed();

        storeWatchList(child.name().sliced(2), MatchMode::fuzzy);
        QProcess* zentrav = startMonitoringInWindow(address);
        QVERIFY2(zentrav, "no window on an X server of our own");
        const qint64 childPid = child.pid();
        QCOMPARE(child.waitForEnd(20000), SIGTERM);
        QTest::qWait(1500);
        const bool isBusRunning = !hasEnded(bus);
        const QString written = loggedAfterTermination(zentrav);
        QVERIFY2(isBusRunning, qPrintable(written));
        QStringList loggedPids;
        auto pids =
            QRegularExpression(QStringLiteral("\"pid\"\\s*:\\s*(\\d+)")).globalMatch(written);
        while (pids.hasNext())
            loggedPids.append(pids.next().captured(1));
        QVERIFY2(loggedPids == QStringList{QString::number(childPid)}, qPrintable(written));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
