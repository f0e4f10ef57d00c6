#pragma once

#include "file_descriptor.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <list>
#include <memory>

// One Zentrav per user. The first start takes a lock in the user's runtime folder and listens on
// a local socket beside it; a later start finds the lock taken and asks that one to show its
// window. The kernel drops the lock when its holder ends, however it ends, so an instance that
// crashed never blocks the next start, and of two starts at the same moment exactly one wins.
// Plain sockets: Qt's network module and what it brings in would slow every start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString runtimeDir);
    ~SingleInstance() override;
    // XDG_RUNTIME_DIR, else a private folder Qt makes in /tmp; empty when neither is safe.
    static QString runtimeDirForThisUser();

    // True when this start is the one instance, which then listens for later starts. Without a
    // safe place to meet, every start runs.
    bool claim();
    // Asks the running instance to show its window; true once it has answered.
    bool handOver();

Q_SIGNALS:
    void showRequested();

private:
    struct Client {
        FileDescriptor socket;
        QByteArray received;
        std::unique_ptr<QSocketNotifier> notifier;
    };

    void acceptClients();
    void readFrom(std::list<Client>::iterator client);
    QString path(const char* suffix) const;

    QString runtimeDir_;
    FileDescriptor lock_;
    FileDescriptor server_;
    std::unique_ptr<QSocketNotifier> serverNotifier_;
    std::list<Client> clients_;
};
