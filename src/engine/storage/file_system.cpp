#include "engine/storage/file_system.h"

#include "engine/base/file_descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// As deep as the kernel follows links.
constexpr int maxLinkDepth = 40;
} // namespace

QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

Result<void> FileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    const Result<TemporaryFile> temporary = createTemporary(path);
    if (!temporary)
        return temporary.error();
    Result<void> written = writeAt(temporary->path, 0, bytes);
    if (written)
        written = sync(temporary->path);
    if (written)
        written = rename(temporary->path, temporary->target);
    if (!written) {
        remove(temporary->path);
        return written;
    }
    return syncFolder(folderOf(temporary->target));
}

Result<void> LocalFileSystem::makePath(const QString& dir) {
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(dir).toStdString(), error);
    if (error)
        return systemError(error.value());
    return {};
}

bool LocalFileSystem::exists(const QString& path) const {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

Result<QStringList> LocalFileSystem::list(const QString& dir) const {
    const QFileInfo info(dir);
    if (!info.isDir())
        return systemError(info.exists() ? ENOTDIR : ENOENT);
    if (!info.isReadable())
        return systemError(EACCES);
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
}

Result<QByteArray> LocalFileSystem::read(const QString& path, qint64 sizeLimit) const {
    // Opened without blocking, or a FIFO would wait for a writer for good.
    const FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status;
    if (!file.isValid() || ::fstat(file.get(), &status) != 0)
        return systemError(errno);
    if (!S_ISREG(status.st_mode))
        return systemError(EINVAL);
    if (status.st_size > sizeLimit)
        return systemError(EFBIG);
    // The file may grow while it is read; one byte beyond the limit is enough to know.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > sizeLimit)
                return systemError(EFBIG);
            bytes.resize(qsizetype(std::min(sizeLimit + 1, qint64(size) * 2)));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + size, size_t(bytes.size() - size));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            return systemError(errno);
        size += std::max<ssize_t>(got, 0);
    }
    bytes.truncate(size);
    return bytes;
}

Result<void> LocalFileSystem::remove(const QString& path) {
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return systemError(errno);
    return {};
}

Result<void> LocalFileSystem::syncFolder(const QString& dir) {
    const FileDescriptor folder(
        ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isValid() || ::fsync(folder.get()) != 0)
        return systemError(errno);
    return {};
}

Result<void> LocalFileSystem::rename(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemError(errno);
    return {};
}

Result<TemporaryFile> LocalFileSystem::createTemporary(const QString& path) {
    // As an editor saves: a link leads to the file that is replaced, and stays a link.
    QFileInfo target(path);
    for (int depth = 0; target.isSymLink() && depth < maxLinkDepth; ++depth)
        target.setFile(target.symLinkTarget());
    struct stat status {};
    const bool isThere = ::stat(QFile::encodeName(target.filePath()).constData(), &status) == 0;
    // The rename would put a regular file in the place of a device or a FIFO, or replace a
    // file its owner made read-only.
    if (isThere && !S_ISREG(status.st_mode))
        return Error{QStringLiteral("%1 is not a regular file").arg(path), EINVAL};
    if (isThere && ::access(QFile::encodeName(target.filePath()).constData(), W_OK) != 0)
        return systemError(errno);
    // A new file gets what the user's umask allows; a replacement the old one's permissions.
    const mode_t mode = isThere ? status.st_mode & 07777 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temporary =
            QStringLiteral("%1.%2")
                .arg(target.filePath())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const FileDescriptor file(::open(QFile::encodeName(temporary).constData(),
                                         O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (file.isValid()) {
            if (isThere)
                ::fchmod(file.get(), mode);
            return TemporaryFile{temporary, target.filePath()};
        }
        if (errno != EEXIST)
            return systemError(errno);
    }
    return systemError(EEXIST);
}

Result<QString> LocalFileSystem::moveToTrash(const QString& path) {
    // Without the user's data folder, Qt would make the trash in the working folder.
    makePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QFile file(path);
    if (!file.moveToTrash())
        return Error{file.errorString()};
    return file.fileName();
}

Result<void> LocalFileSystem::restoreFromTrash(const QString& pathInTrash, const QString& path) {
    if (Result<void> renamed = rename(pathInTrash, path); !renamed)
        return renamed;
    // A freedesktop trash keeps where each file came from beside the files; that goes too.
    const QFileInfo trashed(pathInTrash);
    const QDir trash = QFileInfo(trashed.path()).dir();
    if (QFileInfo(trashed.path()).fileName() == QLatin1String("files"))
        QFile::remove(trash.filePath(QStringLiteral("info/%1.trashinfo").arg(trashed.fileName())));
    return syncFolder(folderOf(path));
}
