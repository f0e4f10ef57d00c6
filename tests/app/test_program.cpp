// The real program, started as a user starts it, each time with a home and runtime folder of
// its own.
#include "app/single_instance.h"
#include "engine/base/file_descriptor.h"
#include "engine/storage/file_system.h"
#include "engine/storage/record_json.h"
#include "engine/storage/settings_keys.h"
#include "private_bus.h"
#include "test_child.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/resource.h>
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

// A connection to a local socket, without waiting; invalid when there is none. An abstract name
// is one that begins with a NUL.
FileDescriptor connectedTo(const QByteArray& name) {
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy(name.begin(), name.end(), address.sun_path);
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + name.size());
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0)
        fd.reset();
    return fd;
}

// Processor time a process has used, in clock ticks.
qint64 cpuTicks(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
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
    // unless given one in `more`: further "NAME=value".
    QProcess* start(const QString& program, const QStringList& arguments,
                    const QString& platform = "offscreen", const QString& display = {},
                    const QStringList& more = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        environment.insert(QStringLiteral("HOME"), home_->path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->filePath("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home_->filePath("data"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home_->filePath("cache"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
        for (const QString& variable : more)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        started_.push_back(std::make_unique<QProcess>());
        started_.back()->setProcessEnvironment(environment);
        started_.back()->start(program, arguments);
        return started_.back().get();
    }

    QProcess* startZentrav(const QStringList& arguments = {}, const QString& platform = "offscreen",
                           const QString& display = {}, const QStringList& more = {}) {
        return start(QStringLiteral(ZENTRAV_PROGRAM), arguments, platform, display, more);
    }

    // A watch list of one entry, as stored by an earlier run.
    void storeWatchList(const QString& name, MatchMode mode) {
        QSettings settings(home_->filePath(QStringLiteral("config/Zentrav/Zentrav.conf")),
                           QSettings::IniFormat);
        settings.setValue(SettingsKeys::targets,
                          encodeTargets({{QUuid::createUuid(), name, mode}}, JsonStyle::compact));
        settings.sync();
    }

    // A command's exit status and what it printed, as "STATUS OUTPUT"; no display is given.
    QString ran(const QStringList& arguments) {
        QProcess* zentrav = startZentrav(arguments, {});
        if (!zentrav->waitForFinished(20000) || zentrav->exitStatus() != QProcess::NormalExit)
            return QStringLiteral("did not end");
        return QString::number(zentrav->exitCode()) + u' ' +
               QString::fromUtf8(zentrav->readAllStandardOutput() +
                                 zentrav->readAllStandardError());
    }

    struct ProgramWindow {
        QProcess* zentrav = nullptr;
        QString display;
        QString id;
    };

    // Zentrav's window on an X server of the test's own; no id when it never came up. Should a
    // start fail to reach its X server, it is tried again on another.
    ProgramWindow openWindow(const QStringList& more = {},
                             const QString& screen = QStringLiteral("1024x768")) {
        ProgramWindow window;
        for (int attempt = 0; attempt < 3 && window.id.isEmpty(); ++attempt) {
            window.display = startXServer(screen);
            if (window.display.isEmpty())
                return {};
            window.zentrav = startZentrav({}, QStringLiteral("xcb"), window.display, more);
            const bool isDone = QTest::qWaitFor(
                [&] {
                    return hasEnded(window.zentrav) ||
                           !(window.id = xdotool({"search", "--onlyvisible", "--name", "^Zentrav$"},
                                                 window.display))
                                .isEmpty();
                },
                60000);
            if (!isDone || hasEnded(window.zentrav))
                qWarning("start on %s failed: %s", qPrintable(window.display),
                         window.zentrav->readAllStandardError().constData());
        }
        return window;
    }

    QMap<QString, int> geometry(const ProgramWindow& window) {
        QMap<QString, int> at;
        const QString shell = xdotool({"getwindowgeometry", "--shell", window.id}, window.display);
        for (const QString& line : shell.split(u'\n'))
            at.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
        return at;
    }

    // Monitoring started by a click on the header's start button.
    QProcess* startMonitoringInWindow(const QString& busAddress = {}) {
        const ProgramWindow window = openWindow(
            busAddress.isEmpty() ? QStringList()
                                 : QStringList{"DBUS_SESSION_BUS_ADDRESS=" + busAddress});
        if (window.id.isEmpty())
            return nullptr;
        // At the right of the 520 x 560 view under the menu bar.
        xdotool({"mousemove", "--window", window.id, "474",
                 QString::number(geometry(window)["HEIGHT"] - 560 + 22), "click", "1"},
                window.display);
        return window.zentrav;
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

    QString socketPath() const {
        return runtimeDir() + QStringLiteral("/app.zentrav.Zentrav.socket");
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
    QString startXServer(const QString& size = QStringLiteral("1024x768")) {
        for (int number = 90 + QRandomGenerator::global()->bounded(400), tries = 0; tries < 20;
             ++number, ++tries) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
                connectedTo('\0' + QByteArray("/tmp/.X11-unix/X") + QByteArray::number(number))
                    .isValid())
                continue;
            const QString display = u':' + QString::number(number);
            QProcess* xvfb =
                start(QStringLiteral("Xvfb"), {display, "-screen", "0", size + "x24", "-nolisten",
                                               "tcp", "-noreset", "-displayfd", "1"});
            const bool answers = QTest::qWaitFor(
                [&] {
                    return hasEnded(xvfb) ||
                           (xvfb->canReadLine() && xdotool({"getdisplaygeometry"}, display) ==
                                                       QString(size).replace(u'x', u' '));
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

    // None of these starts touches a stored file or needs a display (an empty platform is
    // none at all); with no option of its own, a start hands over to the running instance,
    // with the activation token it was launched with.
    void startWhileOneRunsTouchesNothing() {
        SingleInstance running(runtimeDir());
        QVERIFY(running.claim());
        running.acceptHandOvers();
        QSignalSpy shown(&running, &SingleInstance::showRequested);
        const QStringList filesBefore = filesUnder(home_->path());
        const QList<std::tuple<QStringList, int, QString>> starts = {
            {{"--version"}, 0, "Zentrav " ZENTRAV_FULL_VERSION "\n"},
            {{"--help"}, 0, "-v, --version"},
            {{"--frobnicate", "-platform", "xcb"}, 2, "Unknown option 'frobnicate'.\n\nUsage:"},
            {{"-platform", "offscreen", "--style=fusion"}, 0, {}}};
        for (const auto& [arguments, exitCode, printed] : starts) {
            QProcess* zentrav =
                startZentrav(arguments, {}, {}, {"XDG_ACTIVATION_TOKEN=zv-token/1"});
            QTRY_VERIFY_WITH_TIMEOUT(hasEnded(zentrav), 15000);
            QCOMPARE(zentrav->exitStatus(), QProcess::NormalExit);
            QCOMPARE(zentrav->exitCode(), exitCode);
            QVERIFY(QString::fromUtf8(zentrav->readAllStandardOutput() +
                                      zentrav->readAllStandardError())
                        .contains(printed));
            QCOMPARE(filesUnder(home_->path()), filesBefore);
            QCOMPARE(shown.count(), int(printed.isEmpty()));
        }
        QCOMPARE(shown.at(0).at(0).toString(), "zv-token/1");
    }

    // With no instance running, --add and --list work on the stored list and need no display;
    // a refusal says why with status 1, and a misuse changes nothing with status 2.
    void commandsWithNoInstanceUseTheStoredList() {
        storeWatchList(QStringLiteral("Zv Old"), MatchMode::exact);
        QCOMPARE(ran({"--add", "  zvnew\t"}), "0 Added \"zvnew\" (fuzzy).\n");
        QCOMPARE(ran({"--exact", "--add=-zv x"}), "0 Added \"-zv x\" (exact).\n");
        QCOMPARE(ran({"--add", "ZVNEW", "--exact"}), "1 \"ZVNEW\" is already on the watch list.\n");
        QCOMPARE(ran({"--add", " \t "}), "1 Nothing to add: the name is empty.\n");
        QCOMPARE(ran({"--stop"}), "1 Zentrav is not running.\n");
        const QString listed = "0 on   exact  Zv Old\non   fuzzy  zvnew\non   exact  -zv x\n";
        QCOMPARE(ran({"--list"}), listed);
        const QList<QStringList> misuses = {{"--exact"},
                                            {"--json"},
                                            {"--start", "--stop"},
                                            {"--add", "zva", "--add", "zvb"},
                                            {"--add", "zva", "--list"},
                                            {"--list", "stray"},
                                            {"--add"}};
        for (const QStringList& arguments : misuses)
            QVERIFY2(ran(arguments).startsWith("2 "), qPrintable(arguments.join(u' ')));
        QCOMPARE(ran({"--list"}), listed);
        const QSettings settings(home_->filePath(QStringLiteral("config/Zentrav/Zentrav.conf")),
                                 QSettings::IniFormat);
        QCOMPARE(ran({"--list", "--json"}),
                 "0 " + settings.value(SettingsKeys::targets).toString() + u'\n');
        QVERIFY(!isInstanceLockHeld());
        // Commands at the same moment take turns.
        std::vector<QProcess*> adds;
        for (const char* name : {"zv1", "zv2", "zv3", "zv4"})
            adds.push_back(startZentrav({"--add", name}, {}));
        for (QProcess* add : adds)
            QVERIFY2(add->waitForFinished(20000) && add->exitCode() == 0,
                     add->readAllStandardError().constData());
        QCOMPARE(ran({"--list"}).count(u'\n'), 7);
    }

    // A running instance carries the commands out with its monitor: an entry added is watched,
    // and --start ends its process at once.
    void commandsActOnTheRunningInstance() {
        TestChild child(QStringLiteral("zvcl"));
        QVERIFY(child.isStarted());
        QProcess* running = startZentrav({"--start"});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath()), 15000);
        QCOMPARE(ran({"--start"}), "0 Monitoring is already on.\n");
        QCOMPARE(ran({"--stop"}), "0 Monitoring stopped.\n");
        QCOMPARE(ran({"--add", child.name(), "--exact"}),
                 "0 Added \"" + child.name() + "\" (exact).\n");
        QCOMPARE(ran({"--add", child.name()}),
                 "1 \"" + child.name() + "\" is already on the watch list.\n");
        QCOMPARE(ran({"--list"}), "0 on   exact  " + child.name() + u'\n');
        QVERIFY(ran({"--list", "--json"}).endsWith("\"name\":\"" + child.name() + "\"}]\n"));
        QCOMPARE(child.waitForEnd(0), -1);
        QCOMPARE(ran({"--start"}), "0 Monitoring started.\n");
        QCOMPARE(child.waitForEnd(20000), SIGTERM);
        QVERIFY(!hasEnded(running));
    }

    // A crowd of idle connections while the instance is short of descriptors: it neither spins
    // nor keeps a later start out for long, and that start never hangs in connect().
    void idleConnectionsNeitherSpinNorBlock() {
        QProcess* running = startZentrav();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath()), 15000);
        QProcess* first = startZentrav();
        QVERIFY(first->waitForFinished(20000) && first->exitCode() == 0);
        const pid_t pid = pid_t(running->processId());
        const auto openCount = [pid] {
            return rlim_t(QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                              .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                              .size());
        };
        const rlimit few{openCount() + 4, openCount() + 4};
        QCOMPARE(::prlimit(pid, RLIMIT_NOFILE, &few, nullptr), 0);
        std::vector<FileDescriptor> idle;
        for (int i = 0; i < 1000; ++i)
            idle.push_back(connectedTo(QFile::encodeName(socketPath())));
        const qint64 ticksBefore = cpuTicks(pid);
        QElapsedTimer elapsed;
        elapsed.start();
        QProcess* second = startZentrav();
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        const double busy = double(cpuTicks(pid) - ticksBefore) / double(sysconf(_SC_CLK_TCK)) /
                            (double(elapsed.elapsed()) / 1000.0);
        QVERIFY2(busy < 0.1, qPrintable(QString::number(busy)));
        QVERIFY(!hasEnded(running));
    }

    void crashedInstanceNeverBlocksTheNext() {
        QProcess* crashed = startZentrav();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath()), 15000);
        crashed->kill();
        QVERIFY(crashed->waitForFinished());
        QVERIFY(QFileInfo::exists(socketPath()));

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

    // On a Wayland desktop the window comes up natively, with equal smallest and largest sizes
    // (nothing to maximise), and a later start hands over to it.
    void waylandWindow() {
        const QString socket =
            QStringLiteral("zentrav-test-%1").arg(QRandomGenerator::global()->generate());
        QProcess* weston =
            start(QStringLiteral("weston"), {"--backend=headless-backend.so", "--socket=" + socket,
                                             "--idle-time=0", "--no-config"});
        QTRY_VERIFY_WITH_TIMEOUT(
            hasEnded(weston) || QFileInfo::exists(runtimeDir() + u'/' + socket), 20000);
        QVERIFY2(!hasEnded(weston), weston->readAllStandardError().constData());
        const QStringList wayland = {"WAYLAND_DISPLAY=" + socket, "WAYLAND_DEBUG=client"};
        QProcess* zentrav = startZentrav({}, QStringLiteral("wayland"), {}, wayland);
        QByteArray requests;
        const auto lastSize = [&](const char* request) {
            const qsizetype at = requests.lastIndexOf(request);
            return at < 0 ? QByteArray() : requests.mid(at + qstrlen(request)).split(')').first();
        };
        QTRY_VERIFY_WITH_TIMEOUT(
            hasEnded(zentrav) ||
                (requests += zentrav->readAllStandardError()).contains("set_title(\"Zentrav\")"),
            30000);
        QVERIFY(!hasEnded(zentrav));
        QCOMPARE(lastSize("set_min_size("), lastSize("set_max_size("));
        QVERIFY(!lastSize("set_min_size(").startsWith("0"));
        QProcess* second = startZentrav({}, QStringLiteral("wayland"), {},
                                        wayland + QStringList{"XDG_ACTIVATION_TOKEN=zv-wl-token"});
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!hasEnded(zentrav));
    }

    // At twice the scale on a 1280 x 900 screen, too short for the designed window: the window
    // is as tall as the screen allows, footer included, and its header still starts monitoring.
    void windowFitsAShortScreenAtTwiceTheScale() {
        TestChild child(QStringLiteral("zvs"));
        QVERIFY(child.isStarted());
        storeWatchList(child.name(), MatchMode::exact);
        const ProgramWindow window = openWindow({"QT_SCALE_FACTOR=2"}, QStringLiteral("1280x900"));
        QVERIFY2(!window.id.isEmpty(), "no window on an X server of our own");
        const QMap<QString, int> at = geometry(window);
        QVERIFY2(at["X"] >= 0 && at["Y"] >= 0 && at["X"] + at["WIDTH"] <= 1280 &&
                     at["Y"] + at["HEIGHT"] <= 900 && at["HEIGHT"] > 600,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(at["X"])
                                .arg(at["Y"])
                                .arg(at["WIDTH"])
                                .arg(at["HEIGHT"])));
        // The header's start button, at the right of the 520-point view, 44 points down: within
        // the header below a menu bar 9 to 35 points high.
        xdotool({"mousemove", "--window", window.id, "948", "88", "click", "1"}, window.display);
        QCOMPARE(child.waitForEnd(20000), SIGTERM);
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
                        decodeLogEntries(LocalFileSystem().read(logs.filePath(file)).valueOr({}))
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
        const QString config = writePrivateBusConfig(QDir(home_->path()));
        QVERIFY(!config.isEmpty());
        QProcess* bus = start(daemon, {"--config-file=" + config, "--nofork", "--print-address"});
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
