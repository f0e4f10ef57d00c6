// The local file system's operations on part of a file, for updates that must not cost the
// whole file.
#include "engine/storage/file_system.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Never blocks on a FIFO put in a file's place (a regular file ignores O_NONBLOCK), and never
// follows a link there: only the regular file of that very name is opened.
FileDescriptor openFile(const QString& path, int flags) {
    FileDescriptor file(::open(QFile::encodeName(path).constData(),
                               flags | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0644));
    struct stat info {};
    if (file.isValid() && (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))) {
        file.reset();
        errno = EINVAL;
    }
    return file;
}
} // namespace

Result<FileStamp> LocalFileSystem::stamp(const QString& path) const {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return systemError(errno);
    if (!S_ISREG(info.st_mode))
        return systemError(EINVAL);
    return FileStamp{qint64(info.st_size),
                     qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                     quint64(info.st_ino), quint64(info.st_dev)};
}

Result<QByteArray> LocalFileSystem::readAt(const QString& path, qint64 offset,
                                           qint64 length) const {
    const FileDescriptor file = openFile(path, O_RDONLY);
    if (!file.isValid())
        return systemError(errno);
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(file.get(), bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemError(errno);
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

Result<void> LocalFileSystem::writeAt(const QString& path, qint64 offset, const QByteArray& bytes) {
    const FileDescriptor file = openFile(path, O_WRONLY);
    if (!file.isValid())
        return systemError(errno);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(file.get(), bytes.constData() + done,
                                   size_t(bytes.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return systemError(n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (::ftruncate(file.get(), off_t(offset + done)) != 0)
        return systemError(errno);
    return {};
}

Result<void> LocalFileSystem::sync(const QString& path) {
    const FileDescriptor file = openFile(path, O_RDONLY);
    if (!file.isValid() || ::fdatasync(file.get()) != 0)
        return systemError(errno);
    return {};
}

Result<FileDescriptor> LocalFileSystem::lockExclusively(const QString& path) {
    FileDescriptor file = openFile(path, O_RDWR | O_CREAT);
    if (!file.isValid())
        return systemError(errno);
    while (::flock(file.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return systemError(errno);
    }
    return file;
}
