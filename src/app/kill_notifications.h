#pragma once

#include "app/desktop_notifier.h"
#include "engine/storage/kill_log_entry.h"

#include <QList>
#include <QObject>
#include <memory>
#include <optional>

class Lang;
class ProcessMonitor;

// What to tell the desktop about one scan's entries: how many processes it ended and the first
// few of their names; nothing when it ended none.
std::optional<DesktopNotification> endedNotification(const QList<KillLogEntry>& batch,
                                                     const Lang& lang);

// One notification for each scan that ended processes, while the user has them switched on.
class KillNotifications : public QObject {
    Q_OBJECT
public:
    explicit KillNotifications(std::shared_ptr<DesktopNotifier> notifier,
                               QObject* parent = nullptr);
    // Notifies of the scans of this monitor from now on, as long as it lives.
    void follow(const ProcessMonitor& monitor);

Q_SIGNALS:
    void historyRequested(const QString& activationToken);

private:
    std::shared_ptr<DesktopNotifier> notifier_;
};
