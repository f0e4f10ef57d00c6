#pragma once

#include "app/instance_command.h"
#include "engine/base/file_descriptor.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <functional>
#include <list>
#include <memory>

// One Zentrav per user. The first start takes a lock in the user's runtime folder and listens on
// a local socket beside it; a later start finds the lock taken and asks that one to show its
// window. The kernel drops the lock when its holder ends, however it ends, so an instance that
// crashed never blocks the next start, and of two starts at the same moment exactly one wins.
// A later start may also bring a command of the command line, which the running one answers.
// Plain sockets: Qt's network module and what it brings in would slow every start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString runtimeDir);
    ~SingleInstance() override;
    // XDG_RUNTIME_DIR, else a private folder Qt makes in /tmp; empty when neither is safe.
    static QString runtimeDirForThisUser();

    // True when this start is the one instance, which then listens for later starts. Without a
    // safe place to meet, every start runs. Needs no application object.
    // `listens`: false for a start that holds the lock only for a moment (a command on the stored
    // list); a later start then finds no one to ask and takes its turn after it.
    bool claim(bool listens = true);
    // Answers later starts from the event loop, which the application object provides.
    void acceptHandOvers();
    // Asks the running instance to show its window, handing over the activation token this
    // start was launched with (may be empty); true once it has answered. One deadline covers
    // connecting, asking and the answer. Needs no application object, so no display.
    bool handOver(const QString& activationToken);
    // What came of asking: `isAsked` once the command went out, with the reply if one came
    // before the deadline. A command is never sent twice, since one left unanswered may still
    // have been carried out.
    struct Answer {
        bool isAsked = false;
        std::optional<CommandReply> reply;
    };
    // Asks the running instance, once, to carry out a command. Not asked where no one listens
    // (yet, or any more): the caller then takes the lock or tries again. Needs no application
    // object.
    Answer ask(const InstanceCommand& command, const QDeadlineTimer& deadline);
    // How the running instance answers commands; without one, it leaves them unanswered.
    void setCommandHandler(std::function<CommandReply(const InstanceCommand&)> handler);

Q_SIGNALS:
    // A later start asks for the window; on Wayland its token lets the window take the focus.
    void showRequested(const QString& activationToken);

private:
    struct Client {
        FileDescriptor socket;
        QByteArray received;
        // The part of the reply not yet taken by the peer.
        QByteArray unsent;
        QDeadlineTimer idleDeadline;
        std::unique_ptr<QSocketNotifier> notifier;
    };

    void acceptClients();
    void readFrom(std::list<Client>::iterator client);
    // Sends what the peer takes; waits for it to take the rest, and drops it once all is sent.
    void writeTo(std::list<Client>::iterator client);
    void watch(std::list<Client>::iterator client, QSocketNotifier::Type type);
    void drop(std::list<Client>::iterator client);
    void dropIdleClients();
    // Listens while a client may be taken and descriptors are not short.
    void updateListening();
    QString path(const char* suffix) const;

    QString runtimeDir_;
    FileDescriptor lock_;
    FileDescriptor server_;
    std::unique_ptr<QSocketNotifier> serverNotifier_;
    std::list<Client> clients_;
    QTimer idleSweep_;
    QTimer listeningPause_;
    std::function<CommandReply(const InstanceCommand&)> commandHandler_;
};
