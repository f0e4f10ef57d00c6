#pragma once

#include <QObject>
#include <QString>

// What a desktop notification says; its one action is offered under `actionLabel`.
struct DesktopNotification {
    QString summary;
    QString body;
    QString actionLabel;
};

// Shows notifications on the desktop, without waiting for the desktop to answer.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void show(const DesktopNotification& notification) = 0;

Q_SIGNALS:
    // The user chose the action of a notification shown by this notifier. The token, where the
    // desktop gives one, lets the window that answers take the focus.
    void actionInvoked(const QString& activationToken);
};
