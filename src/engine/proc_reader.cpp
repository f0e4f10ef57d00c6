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

bool ProcFile::isGone() const {
    return error == ENOENT || error == ESRCH;
}

std::optional<QByteArray> ProcReader::read(qint32 pid, QByteArrayView entry) const {
    ProcFile file = readFile(pid, entry);
    if (file.error != 0)
        return std::nullopt;
    return std::move(file.content);
}

ProcDirectory::ProcDirectory(const QString& root) : root_(QFile::encodeName(root)) {}

// Plain read(2): QFile takes nearly twice as long per file, which counts when a first scan
// meets thousands of processes.
ProcFile ProcDirectory::readFile(qint32 pid, QByteArrayView entry) const {
    const QByteArray path = root_ + '/' + QByteArray::number(pid) + '/' + entry.toByteArray();
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

QByteArray argumentZero(const ProcReader& proc, qint32 pid) {
    const std::optional<QByteArray> commandLine = proc.read(pid, "cmdline");
    if (!commandLine)
        return {};
    const qsizetype end = commandLine->indexOf('\0');
    return end < 0 ? *commandLine : commandLine->first(end);
}
