#include "engine/process/proc_reader.h"

#include "engine/base/file_descriptor.h"

#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace {
// An executable replaced on disk (an upgrade) still runs under its old path.
const QByteArray deletedMark = " (deleted)";
} // namespace

bool ProcFile::isGone() const {
    return error == ENOENT || error == ESRCH;
}

std::optional<QByteArray> ProcFile::take() && {
    if (error != 0)
        return std::nullopt;
    return std::move(content);
}

std::optional<QByteArray> ProcReader::read(qint32 pid, QByteArrayView entry) const {
    return readFile(pid, entry).take();
}

ProcDirectory::ProcDirectory(const QString& root) : root_(QFile::encodeName(root)) {}

ProcFile ProcDirectory::readFile(qint32 pid, QByteArrayView entry) const {
    return readPath(root_ + '/' + QByteArray::number(pid) + '/' + entry.toByteArray());
}

std::optional<QByteArray> ProcDirectory::readShared(QByteArrayView path) const {
    return readPath(root_ + '/' + path.toByteArray()).take();
}

// Plain read(2): QFile takes nearly twice as long per file, which counts when a first scan
// meets thousands of processes.
ProcFile ProcDirectory::readPath(const QByteArray& path) const {
    FileDescriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (!file.isValid())
        return {{}, errno};
    ProcFile result;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return {{}, errno};
        if (count == 0)
            return result;
        result.content.append(buffer, count);
    }
}

QString ProcDirectory::executable(qint32 pid) const {
    const QByteArray path = root_ + '/' + QByteArray::number(pid) + "/exe";
    char target[PATH_MAX];
    const ssize_t size = ::readlink(path.constData(), target, sizeof target);
    if (size <= 0 || size_t(size) == sizeof target)
        return {};
    QByteArrayView link(target, size);
    if (link.endsWith(deletedMark))
        link.chop(deletedMark.size());
    return QFile::decodeName(link.toByteArray());
}

std::optional<FileId> ProcDirectory::executableFile(qint32 pid) const {
    return fileIdOf(root_ + '/' + QByteArray::number(pid) + "/exe");
}

QList<quint64> ProcDirectory::socketInodes(qint32 pid) const {
    const QByteArray path = root_ + '/' + QByteArray::number(pid) + "/fd";
    DIR* folder = ::opendir(path.constData());
    if (!folder)
        return {};
    QList<quint64> inodes;
    constexpr QByteArrayView socketMark("socket:[");
    char target[64];
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        const ssize_t size = ::readlinkat(::dirfd(folder), entry->d_name, target, sizeof target);
        if (size <= 0)
            continue;
        const QByteArrayView link(target, size);
        if (!link.startsWith(socketMark) || !link.endsWith(']'))
            continue;
        bool ok = false;
        const quint64 inode =
            link.sliced(socketMark.size(), link.size() - socketMark.size() - 1).toULongLong(&ok);
        if (ok)
            inodes.append(inode);
    }
    ::closedir(folder);
    return inodes;
}

std::optional<std::size_t> ProcDirectory::openFileCount(qint32 pid) const {
    const QByteArray path = root_ + '/' + QByteArray::number(pid) + "/fd";
    DIR* folder = ::opendir(path.constData());
    if (!folder)
        return std::nullopt;
    std::size_t count = 0;
    while (const dirent* entry = ::readdir(folder))
        count += entry->d_name[0] != '.' ? 1 : 0;
    ::closedir(folder);
    return count;
}

// "pid (name) state ppid ...": the name may hold anything, so it ends at the last ")".
std::optional<qint32> parentInStat(QByteArrayView stat) {
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    bool ok = false;
    const qint32 parent = piecesOf(stat.sliced(close + 1), ' ').value(2).toInt(&ok);
    return ok ? std::optional(parent) : std::nullopt;
}

QByteArray argumentZero(const ProcReader& proc, qint32 pid) {
    const std::optional<QByteArray> commandLine = proc.read(pid, "cmdline");
    if (!commandLine)
        return {};
    const qsizetype end = commandLine->indexOf('\0');
    return end < 0 ? *commandLine : commandLine->first(end);
}

std::optional<qint32> parentPid(const ProcReader& proc, qint32 pid) {
    const std::optional<QByteArray> stat = proc.read(pid, "stat");
    return stat ? parentInStat(*stat) : std::nullopt;
}

QList<QByteArrayView> piecesOf(QByteArrayView content, char separator) {
    QList<QByteArrayView> pieces;
    for (qsizetype start = 0; start < content.size();) {
        qsizetype end = content.indexOf(separator, start);
        if (end < 0)
            end = content.size();
        pieces.append(content.sliced(start, end - start));
        start = end + 1;
    }
    return pieces;
}
