#include "app/desktop_session_roles.h"

#include "app/x11_window_manager.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {
const QString busDaemon = QStringLiteral("org.freedesktop.DBus");
const QString windowManager = QStringLiteral("window manager");
// The names the desktops' session managers own on the session bus: a role each, whatever the
// program behind it.
const QStringList sessionManagerNames = {
    QStringLiteral("org.gnome.SessionManager"), QStringLiteral("org.kde.ksmserver"),
    QStringLiteral("org.xfce.SessionManager"), QStringLiteral("org.lxqt.session")};
// A bus that does not answer within this time is taken to name nothing.
constexpr int answerTimeoutMs = 1000;
} // namespace

DesktopSessionRoles::DesktopSessionRoles(QObject* parent)
    : QObject(parent), bus_(QDBusConnection::sessionBus()) {
    if (bus_.isConnected()) {
        auto* owners = new QDBusServiceWatcher(this);
        owners->setConnection(bus_);
        owners->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
        owners->setWatchedServices(sessionManagerNames);
        connect(owners, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString& name) { askOwnerProcess(name); });
        // A scan may follow at once: the first answers are waited for, all at the same time.
        QList<QDBusPendingCallWatcher*> answers = {askOwnerProcess(busDaemon)};
        for (const QString& name : sessionManagerNames)
            answers.append(askOwnerProcess(name));
        for (QDBusPendingCallWatcher* answer : answers)
            answer->waitForFinished();
    }
    if (auto* manager = X11WindowManager::onThisDisplay(this)) {
        setRole(windowManager, manager->processId());
        connect(manager, &X11WindowManager::processIdChanged, this,
                [this](qint32 pid) { setRole(windowManager, pid); });
    }
}

QList<qint32> DesktopSessionRoles::processIds() const {
    std::lock_guard lock(mutex_);
    return processOf_.values();
}

QDBusPendingCallWatcher* DesktopSessionRoles::askOwnerProcess(const QString& busName) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(busDaemon, QStringLiteral("/org/freedesktop/DBus"),
                                       busDaemon, QStringLiteral("GetConnectionUnixProcessID"));
    call << busName;
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call, answerTimeoutMs), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, busName](QDBusPendingCallWatcher* finished) {
                // No owner, or an error: the role names no process now.
                const QDBusPendingReply<uint> reply = *finished;
                setRole(busName, reply.isValid() ? qint32(reply.value()) : 0);
                finished->deleteLater();
            });
    return answer;
}

void DesktopSessionRoles::setRole(const QString& role, qint32 pid) {
    std::lock_guard lock(mutex_);
    if (pid > 0)
        processOf_.insert(role, pid);
    else
        processOf_.remove(role);
}
