#include "app/freedesktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcNotify, "zentrav.notify")

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
// A click on the notification itself, and its button.
const QStringList actionKeys = {QStringLiteral("default"), QStringLiteral("show-history")};
// Enough for every notification still on screen or in the desktop's list; the actions of older
// ones are ignored.
constexpr qsizetype rememberedNotifications = 100;
// Let the desktop decide how long a notification stays.
constexpr qint32 serverDefaultTimeout = -1;
} // namespace

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection& bus, QObject* parent)
    : DesktopNotifier(parent), bus_(bus) {
    // From any sender, filtered by the notifications' numbers: naming the service would have
    // the bus asked for its owner and answered before this returns.
    const auto listen = [this](const char* name, const char* slot) {
        bus_.connect(QString(), path, service, QString::fromLatin1(name), this, slot);
    };
    listen("ActivationToken", SLOT(takeActivationToken(uint, QString)));
    listen("ActionInvoked", SLOT(takeAction(uint, QString)));
}

void FreedesktopNotifier::show(const DesktopNotification& notification) {
    if (!bus_.isConnected()) {
        reportFailure(bus_.lastError().isValid() ? bus_.lastError().message()
                                                 : QStringLiteral("no session bus"));
        return;
    }
    const QString appId = QGuiApplication::desktopFileName();
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    QStringList actions;
    for (const QString& key : actionKeys)
        actions << key << notification.actionLabel;
    call << QCoreApplication::applicationName() << uint(0) << appId << notification.summary
         << notification.body << actions << QVariantMap{{QStringLiteral("desktop-entry"), appId}}
         << serverDefaultTimeout;
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid())
                    remember(reply.value());
                else
                    reportFailure(reply.error().message());
                finished->deleteLater();
            });
}

void FreedesktopNotifier::remember(uint id) {
    shown_.append(id);
    if (shown_.size() > rememberedNotifications)
        tokens_.remove(shown_.takeFirst());
}

// Comes just before the action it is for.
void FreedesktopNotifier::takeActivationToken(uint id, const QString& token) {
    if (shown_.contains(id))
        tokens_.insert(id, token);
}

void FreedesktopNotifier::takeAction(uint id, const QString& actionKey) {
    if (!shown_.contains(id) || !actionKeys.contains(actionKey))
        return;
    Q_EMIT actionInvoked(tokens_.take(id));
}

// Once per run: a desktop without notifications says the same at every scan.
void FreedesktopNotifier::reportFailure(const QString& reason) {
    if (hasReportedFailure_)
        return;
    hasReportedFailure_ = true;
    qCWarning(lcNotify, "Notifications cannot be shown: %s", qUtf8Printable(reason));
}
