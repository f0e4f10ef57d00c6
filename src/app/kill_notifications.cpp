#include "app/kill_notifications.h"

#include "engine/i18n/lang.h"
#include "engine/monitor/process_monitor.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"

#include <QStringList>
#include <algorithm>

namespace {
// More would not fit the line a notification shows.
constexpr qsizetype namesShown = 3;
} // namespace

std::optional<DesktopNotification> endedNotification(const QList<KillLogEntry>& batch,
                                                     const Lang& lang) {
    int ended = 0;
    QStringList names;
    for (const KillLogEntry& entry : batch) {
        if (!entry.success)
            continue;
        ++ended;
        if (!names.contains(entry.processName))
            names.append(entry.processName);
    }
    if (ended == 0)
        return std::nullopt;
    QStringList shown = names.first(std::min(names.size(), namesShown));
    if (names.size() > namesShown)
        shown.append(QStringLiteral("…"));
    return DesktopNotification{lang.localized(QStringLiteral("notify_ended"), ended),
                               shown.join(QStringLiteral(", ")),
                               lang.localized(QStringLiteral("notify_show_history"))};
}

KillNotifications::KillNotifications(std::shared_ptr<DesktopNotifier> notifier, QObject* parent)
    : QObject(parent), notifier_(std::move(notifier)) {
    connect(notifier_.get(), &DesktopNotifier::actionInvoked, this,
            &KillNotifications::historyRequested);
}

void KillNotifications::follow(const ProcessMonitor& monitor) {
    // The setting is read at each scan, so a change in the menu counts from the next one.
    connect(&monitor, &ProcessMonitor::logEntriesRecorded, this,
            [this, settings = monitor.settings()](const QList<KillLogEntry>& batch) {
                if (!settings->value(SettingsKeys::notifyWhenEnded).toBool())
                    return;
                if (const std::optional<DesktopNotification> notification =
                        endedNotification(batch, Lang::instance()))
                    notifier_->show(*notification);
            });
}
