#pragma once

#include "engine/process/process_memo.h"
#include "engine/process/user_process.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

class ProcReader;

// The processes the user's session runs on: ending one ends the session and every application in
// it, so they are never signalled.
class SessionProcesses {
public:
    virtual ~SessionProcesses() = default;
    // Marks the session's processes among the rows of one snapshot; called for one snapshot at a
    // time, on the scan thread.
    virtual void mark(QList<UserProcess>& rows) = 0;
};

// A world without a session.
class NoSessionProcesses final : public SessionProcesses {
public:
    void mark(QList<UserProcess>&) override {}
};

// Those only the session bus or the display can name: the bus daemon, the session manager, the
// window manager. Asked on the scan thread; answers at once with what it last learned.
class SessionRoleSource {
public:
    virtual ~SessionRoleSource() = default;
    virtual QList<qint32> processIds() const = 0;
};

class NoSessionRoles final : public SessionRoleSource {
public:
    QList<qint32> processIds() const override { return {}; }
};

// The sockets whose listeners carry the session, as /proc/net/unix names them ("@" starts an
// abstract name): the X display's file and abstract name, the Wayland display's, and the user's
// service manager's.
QStringList sessionSocketNames(const QString& display, const QString& waylandDisplay,
                               const QString& runtimeDir);

// Finds them by role, never by name: whoever holds a listening session socket open (the display
// server or compositor, Xwayland, the service manager), the session leader, what `roles` names,
// and this program's ancestors, which are never signalled either. Cheap per scan: a process's
// open files are read once, the sockets again only when a socket file is made anew or a listener
// has gone, and the ancestors again only when one of the user's has gone.
class SessionProcessFinder final : public SessionProcesses {
public:
    SessionProcessFinder(const ProcReader& proc, QStringList socketNames,
                         std::shared_ptr<const SessionRoleSource> roles, qint32 sessionLeader,
                         quint32 currentUid);

    void mark(QList<UserProcess>& rows) override;

private:
    bool haveSocketFilesChanged();
    std::vector<qint32> findListeners(const QList<UserProcess>& rows);
    QSet<quint64> listeningInodes() const;
    std::vector<qint32> readAncestors() const;
    // Marks the rows; returns how many of this program's ancestors among them run as the user.
    qsizetype markRows(QList<UserProcess>& rows) const;

    const ProcReader& proc_;
    QStringList socketNames_;
    std::shared_ptr<const SessionRoleSource> roles_;
    qint32 sessionLeader_;
    quint32 currentUid_;
    // Device, inode and change time: a socket file made anew differs in one of them.
    using FileIdentity = std::tuple<quint64, quint64, qint64>;
    // The socket files and what they were at the last scan (none: missing).
    std::vector<std::pair<QByteArray, std::optional<FileIdentity>>> socketFiles_;
    std::optional<QSet<quint64>> inodes_;
    std::vector<qint32> listeners_; // sorted
    std::optional<std::vector<qint32>> ancestors_;
    qsizetype ancestorsSeen_ = 0;
    // Whether each process holds one of the inodes.
    ProcessMemo<std::optional<bool>> holdsSocket_;
};
