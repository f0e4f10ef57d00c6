#include "file_system.h"

#include "file_descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
// The contract reads an empty text as success, so a failure always has words.
QString failureOf(const QFileDevice& file) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("Unknown error writing %1").arg(file.fileName())
                            : reason;
}
} // namespace

bool LocalFileSystem::makePath(const QString& dir) {
    return QDir().mkpath(dir);
}

bool LocalFileSystem::exists(const QString& path) const {
    return QFileInfo::exists(path);
}

std::optional<QStringList> LocalFileSystem::list(const QString& dir) const {
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
}

std::optional<QByteArray> LocalFileSystem::read(const QString& path, qint64 sizeLimit) const {
    // Opened without blocking, or a FIFO would wait for a writer for good.
    const FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status;
    if (!file.isValid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > sizeLimit)
        return std::nullopt;
    // The file may grow while it is read; one byte beyond the limit is enough to know.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > sizeLimit)
                return std::nullopt;
            bytes.resize(qsizetype(std::min(sizeLimit + 1, qint64(size) * 2)));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + size, size_t(bytes.size() - size));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            return std::nullopt;
        size += std::max<ssize_t>(got, 0);
    }
    bytes.truncate(size);
    return bytes;
}

QString LocalFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    // The rename would put a regular file in the place of a device or a FIFO.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("%1 is not a regular file").arg(path);
    // Unbuffered: a buffered QSaveFile writes at commit, and commits a file cut short by a full
    // disk as if it were whole. Written here, the short write shows, with its reason.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failureOf(file);
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return failureOf(file);
        written += count;
    }
    if (!file.commit())
        return failureOf(file);
    return {};
}

bool LocalFileSystem::remove(const QString& path) {
    return QFile::remove(path);
}
