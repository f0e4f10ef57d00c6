#include "app/freedesktop_notifier.h"
#include "app/kill_notifications.h"
#include "engine/i18n/lang.h"
#include "fake_monitor_world.h"
#include "private_bus.h"
#include "test_child.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString servicePath = QStringLiteral("/org/freedesktop/Notifications");

int notifyMessages = 0;
QtMessageHandler defaultHandler = nullptr;
void countNotifyMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (QLatin1String(context.category) == QLatin1String("zentrav.notify"))
        ++notifyMessages;
    defaultHandler(type, context, text);
}

KillLogEntry entry(const QString& name, bool success = true) {
    KillLogEntry made = killLogEntry(name);
    made.success = success;
    return made;
}
} // namespace

// The desktop's notification service, as far as the program uses it.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    // Each call's arguments as text: the actions joined by "|", of the hints the desktop entry.
    QList<QStringList> calls;

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        calls.append({appName, QString::number(replacesId), icon, summary, body, actions.join('|'),
                      hints.value("desktop-entry").toString(), QString::number(timeout)});
        return uint(40 + calls.size());
    }
};

class TestNotifications : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<TestChild> busDaemon;
    QString busAddress;

    void signal(QDBusConnection& bus, const QString& name, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createSignal(servicePath, serviceName, name);
        message.setArguments(arguments);
        QVERIFY(bus.send(message));
    }

private Q_SLOTS:
    void initTestCase() {
        Lang::instance().setLanguage(QStringLiteral("en"));
        QGuiApplication::setDesktopFileName(QStringLiteral("app.zentrav.Zentrav"));
        QCoreApplication::setApplicationName(QStringLiteral("Zentrav"));
        defaultHandler = qInstallMessageHandler(countNotifyMessages);
        // A bus of this test's own, with no service that could be started on demand.
        const QString config = writePrivateBusConfig(QDir(dir.path()));
        QVERIFY(!config.isEmpty());
        // Spawned rather than forked, as ThreadSanitizer wants of a process with threads.
        busDaemon = std::make_unique<TestChild>(
            QStringLiteral("zvnbus"), QStringList{"--config-file=" + config, "--nofork"},
            TestChild::OnTerm::end, QString(), QStringLiteral("/usr/bin/dbus-daemon"));
        QVERIFY(busDaemon->isStarted());
        const QString socket = dir.filePath(QStringLiteral("bus"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 10000);
        busAddress = QStringLiteral("unix:path=") + socket;
    }

    void cleanupTestCase() { busDaemon.reset(); }

    // Only ended processes count: how many, and the first few of their names, each once.
    void textCountsEndedProcessesOnly() {
        QVERIFY(!endedNotification({entry("zva", false)}, Lang::instance()));
        const std::optional<DesktopNotification> one =
            endedNotification({entry("zva", false), entry("zvb")}, Lang::instance());
        QVERIFY(one);
        QCOMPARE(one->summary, QStringLiteral("Ended 1 process"));
        QCOMPARE(one->body, QStringLiteral("zvb"));
        QCOMPARE(one->actionLabel, QStringLiteral("Show Kill History"));
        const std::optional<DesktopNotification> many =
            endedNotification({entry("zva"), entry("zvb"), entry("zva"), entry("zvc", false),
                               entry("zvd"), entry("zve")},
                              Lang::instance());
        QCOMPARE(many->summary, QStringLiteral("Ended 5 processes"));
        QCOMPARE(many->body, QStringLiteral("zva, zvb, zvd, …"));
    }

    // Sent without waiting for the answer, with the program's name, icon and desktop entry;
    // the action of one of these notifications, and only of these, comes back with its token.
    void notificationGoesToTheServiceAndItsActionComesBack() {
        QDBusConnection serviceBus = QDBusConnection::connectToBus(busAddress, "service");
        FakeNotificationService service;
        QVERIFY(serviceBus.registerObject(servicePath, &service, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceBus.registerService(serviceName));
        FreedesktopNotifier notifier(QDBusConnection::connectToBus(busAddress, "program"));
        QSignalSpy actions(&notifier, &DesktopNotifier::actionInvoked);

        notifier.show({"Ended 2 processes", "zva, zvb", "Show Kill History"});
        QVERIFY(service.calls.isEmpty());
        QTRY_COMPARE(service.calls.size(), 1);
        const QString appId = QStringLiteral("app.zentrav.Zentrav");
        QCOMPARE(
            service.calls[0],
            QStringList({"Zentrav", "0", appId, "Ended 2 processes", "zva, zvb",
                         "default|Show Kill History|show-history|Show Kill History", appId, "-1"}));

        signal(serviceBus, "ActionInvoked", {7u, QStringLiteral("default")});
        signal(serviceBus, "ActivationToken", {41u, QStringLiteral("zv-token")});
        signal(serviceBus, "ActionInvoked", {41u, QStringLiteral("default")});
        QTRY_COMPARE(actions.size(), 1);
        QCOMPARE(actions[0][0].toString(), QStringLiteral("zv-token"));
        serviceBus.unregisterService(serviceName);
    }

    // Without the service, or without a bus, nothing is shown and each says so once.
    void noServiceSaysSoOnce() {
        FreedesktopNotifier withoutService(QDBusConnection::connectToBus(busAddress, "lonely"));
        FreedesktopNotifier withoutBus(
            QDBusConnection::connectToBus("unix:path=" + dir.filePath("none"), "none"));
        notifyMessages = 0;
        for (int n = 0; n < 3; ++n) {
            withoutService.show({"Ended 1 process", "zva", "Show Kill History"});
            withoutBus.show({"Ended 1 process", "zva", "Show Kill History"});
        }
        QTRY_COMPARE(notifyMessages, 2);
        QTest::qWait(200);
        QCOMPARE(notifyMessages, 2);
    }
};

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    TestNotifications test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_notifications.moc"
