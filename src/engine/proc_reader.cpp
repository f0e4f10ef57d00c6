#include "proc_reader.h"

#include "file_descriptor.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace {
// An executable replaced on disk (an upgrade) still runs under its old path.
const QByteArray deletedMark = " (deleted)";
} // namespace

ProcDirectory::ProcDirectory(const QString& root) : root_(QFile::encodeName(root)) {}

// Plain read(2): QFile takes nearly twice as long per file, which counts when a first scan
// meets thousands of processes.
std::optional<QByteArray> ProcDirectory::read(qint32 pid, QByteArrayView entry) const {
    const QByteArray path = root_ + '/' + QByteArray::number(pid) + '/' + entry.toByteArray();
    FileDescriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (!file.isValid())
        return std::nullopt;
    QByteArray content;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return content;
        content.append(buffer, count);
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

QByteArray argumentZero(const ProcReader& proc, qint32 pid) {
    const std::optional<QByteArray> commandLine = proc.read(pid, "cmdline");
    if (!commandLine)
        return {};
    const qsizetype end = commandLine->indexOf('\0');
    return end < 0 ? *commandLine : commandLine->first(end);
}

std::optional<qint32> parentPid(const ProcReader& proc, qint32 pid) {
    const std::optional<QByteArray> stat = proc.read(pid, "stat");
    if (!stat)
        return std::nullopt;
    // "pid (name) state ppid ...": the name may hold anything, so it ends at the last ")".
    const QList<QByteArrayView> fields =
        piecesOf(QByteArrayView(*stat).sliced(stat->lastIndexOf(')') + 1), ' ');
    bool ok = false;
    const qint32 parent = fields.value(2).toInt(&ok);
    return ok ? std::optional(parent) : std::nullopt;
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
