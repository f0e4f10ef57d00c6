#pragma once

#include "app/desktop_notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QList>

// Notifications through org.freedesktop.Notifications on a bus, with the program's icon and
// desktop entry. A bus without that service, or no bus, shows nothing and says so once.
class FreedesktopNotifier final : public DesktopNotifier {
    Q_OBJECT
public:
    explicit FreedesktopNotifier(const QDBusConnection& bus, QObject* parent = nullptr);
    void show(const DesktopNotification& notification) override;

private Q_SLOTS:
    void takeActivationToken(uint id, const QString& token);
    void takeAction(uint id, const QString& actionKey);

private:
    void remember(uint id);
    void reportFailure(const QString& reason);

    QDBusConnection bus_;
    // The latest notifications of this program, oldest first; the desktop numbers them.
    QList<uint> shown_;
    QHash<uint, QString> tokens_;
    bool hasReportedFailure_ = false;
};
