#pragma once

#include "engine/process/session_processes.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <mutex>

class QDBusPendingCallWatcher;

// The session's processes that the session bus and the display name: the bus daemon (by the
// bus's own answer), the owner of the desktop's session-manager name, and on X11 the window
// manager. Learned when made, and again whenever a name's owner or the window manager changes.
// Lives on the main thread; the scan thread reads what it learned.
class DesktopSessionRoles final : public QObject, public SessionRoleSource {
    Q_OBJECT
public:
    explicit DesktopSessionRoles(QObject* parent = nullptr);

    QList<qint32> processIds() const override;

private:
    // Asks the bus which process owns the name; the answer sets the role of that name.
    QDBusPendingCallWatcher* askOwnerProcess(const QString& busName);
    void setRole(const QString& role, qint32 pid);

    QDBusConnection bus_;
    mutable std::mutex mutex_;
    QHash<QString, qint32> processOf_;
};
