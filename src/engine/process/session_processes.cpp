#include "engine/process/session_processes.h"

#include "engine/process/proc_reader.h"

#include <QFile>
#include <algorithm>
#include <sys/stat.h>

namespace {
// __SO_ACCEPTCON in the flags column: a socket that listens.
constexpr quint64 listeningFlag = 0x10000;

// ":0", ":0.0" and "unix:0" are local; a display on another host has no socket here.
std::optional<QString> localDisplayNumber(const QString& display) {
    const qsizetype colon = display.lastIndexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const QStringView host = QStringView(display).first(colon);
    if (!host.isEmpty() && host != u"unix")
        return std::nullopt;
    const QStringView number = QStringView(display).sliced(colon + 1).split(u'.').front();
    bool ok = false;
    const uint value = number.toUInt(&ok);
    return ok ? std::optional(QString::number(value)) : std::nullopt;
}
} // namespace

QStringList sessionSocketNames(const QString& display, const QString& waylandDisplay,
                               const QString& runtimeDir) {
    QStringList names;
    if (const auto number = localDisplayNumber(display)) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X") + *number;
        names << socket << u'@' + socket;
    }
    if (waylandDisplay.startsWith(u'/'))
        names << waylandDisplay;
    else if (!waylandDisplay.isEmpty() && !runtimeDir.isEmpty())
        names << runtimeDir + u'/' + waylandDisplay;
    if (!runtimeDir.isEmpty())
        names << runtimeDir + QStringLiteral("/systemd/private");
    return names;
}

SessionProcessFinder::SessionProcessFinder(const ProcReader& proc, QStringList socketNames,
                                           std::shared_ptr<const SessionRoleSource> roles,
                                           qint32 sessionLeader, quint32 currentUid)
    : proc_(proc), socketNames_(std::move(socketNames)), roles_(std::move(roles)),
      sessionLeader_(sessionLeader), currentUid_(currentUid) {
    for (const QString& name : socketNames_) {
        if (!name.startsWith(u'@'))
            socketFiles_.push_back({QFile::encodeName(name), std::nullopt});
    }
}

void SessionProcessFinder::mark(QList<UserProcess>& rows) {
    if (haveSocketFilesChanged())
        inodes_.reset();
    std::vector<qint32> listeners = findListeners(rows);
    // A listener that went away may have a successor on a socket of its own.
    if (!std::includes(listeners.cbegin(), listeners.cend(), listeners_.cbegin(),
                       listeners_.cend())) {
        inodes_.reset();
        listeners = findListeners(rows);
    }
    listeners_ = std::move(listeners);

    if (!ancestors_)
        ancestors_ = readAncestors();
    qsizetype ancestorsSeen = markRows(rows);
    // An ancestor that ended left this program to another parent.
    if (ancestorsSeen < ancestorsSeen_) {
        ancestors_ = readAncestors();
        ancestorsSeen = markRows(rows);
    }
    ancestorsSeen_ = ancestorsSeen;
}

qsizetype SessionProcessFinder::markRows(QList<UserProcess>& rows) const {
    // A handful of ids, searched for every row: a sorted array beats hashing.
    const QList<qint32> named = roles_->processIds();
    std::vector<qint32> leftAlone(named.cbegin(), named.cend());
    leftAlone.insert(leftAlone.end(), listeners_.cbegin(), listeners_.cend());
    leftAlone.insert(leftAlone.end(), ancestors_->cbegin(), ancestors_->cend());
    leftAlone.push_back(sessionLeader_);
    std::sort(leftAlone.begin(), leftAlone.end());
    qsizetype ancestorsSeen = 0;
    for (UserProcess& row : rows) {
        row.isSessionProcess = std::binary_search(leftAlone.cbegin(), leftAlone.cend(), row.pid);
        ancestorsSeen +=
            row.isSessionProcess && row.uid == currentUid_ &&
            std::find(ancestors_->cbegin(), ancestors_->cend(), row.pid) != ancestors_->cend();
    }
    return ancestorsSeen;
}

// From the parent up to, not including, pid 1; the bound only guards against a loop that id
// reuse could fake while the chain is read.
std::vector<qint32> SessionProcessFinder::readAncestors() const {
    std::vector<qint32> ancestors;
    const std::optional<QByteArray> self = proc_.readShared("self/stat");
    std::optional<qint32> pid = self ? parentInStat(*self) : std::nullopt;
    while (pid && *pid > 1 && ancestors.size() < 4096 &&
           std::find(ancestors.cbegin(), ancestors.cend(), *pid) == ancestors.cend()) {
        ancestors.push_back(*pid);
        const std::optional<QByteArray> stat = proc_.read(*pid, "stat");
        pid = stat ? parentInStat(*stat) : std::nullopt;
    }
    return ancestors;
}

bool SessionProcessFinder::haveSocketFilesChanged() {
    bool hasChanged = false;
    for (auto& [path, identity] : socketFiles_) {
        struct stat status {};
        std::optional<FileIdentity> now;
        if (::stat(path.constData(), &status) == 0)
            now = FileIdentity{quint64(status.st_dev), quint64(status.st_ino),
                               qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec};
        hasChanged = hasChanged || now != identity;
        identity = now;
    }
    return hasChanged;
}

std::vector<qint32> SessionProcessFinder::findListeners(const QList<UserProcess>& rows) {
    if (!inodes_) {
        inodes_ = listeningInodes();
        holdsSocket_.clear();
    }
    std::vector<qint32> listeners;
    if (inodes_->isEmpty())
        return listeners;
    // Only the user's own processes: no other can be signalled, nor read.
    for (const UserProcess& row : rows) {
        if (row.uid != currentUid_)
            continue;
        std::optional<bool>& holds = holdsSocket_[row];
        if (!holds) {
            const QList<quint64> held = proc_.socketInodes(row.pid);
            holds = std::any_of(held.begin(), held.end(),
                                [this](quint64 inode) { return inodes_->contains(inode); });
        }
        if (*holds)
            listeners.push_back(row.pid);
    }
    holdsSocket_.endSnapshot();
    std::sort(listeners.begin(), listeners.end());
    return listeners;
}

// "Num RefCount Protocol Flags Type St Inode Path", one line per socket of the system.
QSet<quint64> SessionProcessFinder::listeningInodes() const {
    QSet<quint64> inodes;
    if (socketNames_.isEmpty())
        return inodes;
    const std::optional<QByteArray> table = proc_.readShared("net/unix");
    if (!table)
        return inodes;
    for (const QByteArray& line : table->split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 8 || !socketNames_.contains(QFile::decodeName(fields[7])))
            continue;
        bool isFlagsOk = false;
        bool isInodeOk = false;
        const quint64 flags = fields[3].toULongLong(&isFlagsOk, 16);
        const quint64 inode = fields[6].toULongLong(&isInodeOk);
        if (isFlagsOk && isInodeOk && (flags & listeningFlag))
            inodes.insert(inode);
    }
    return inodes;
}
