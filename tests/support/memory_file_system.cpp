#include "memory_file_system.h"

#include <algorithm>

namespace {
QString parentOf(const QString& path) {
    return path.left(std::max<qsizetype>(path.lastIndexOf(u'/'), 0));
}
} // namespace

bool MemoryFileSystem::makePath(const QString& dir) {
    for (QString path = dir; !path.isEmpty(); path = parentOf(path))
        dirs.insert(path);
    return true;
}

bool MemoryFileSystem::exists(const QString& path) const {
    return files.contains(path) || dirs.contains(path);
}

std::optional<QStringList> MemoryFileSystem::list(const QString& dir) const {
    if (failListing || crashed || !dirs.contains(dir))
        return std::nullopt;
    QStringList names;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (parentOf(it.key()) == dir)
            names.append(it.key().mid(dir.size() + 1));
    }
    // Listings come in no particular order.
    std::reverse(names.begin(), names.end());
    return names;
}

std::optional<QByteArray> MemoryFileSystem::read(const QString& path, qint64) const {
    const std::optional<QByteArray> bytes = readAt(path, 0, files.value(path).size());
    if (bytes)
        wholeReads.append(path);
    return bytes;
}

QString MemoryFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    const QString refused = refusal(path);
    if (!refused.isEmpty())
        return refused;
    if (grant(bytes.size()) < bytes.size())
        return QStringLiteral("No space left on device");
    files.insert(path, bytes);
    return {};
}

bool MemoryFileSystem::remove(const QString& path) {
    if (crashed)
        return false;
    return files.remove(path) > 0;
}

std::optional<FileStamp> MemoryFileSystem::stamp(const QString& path) const {
    if (crashed || !files.contains(path))
        return std::nullopt;
    const QByteArray& bytes = files[path];
    return FileStamp{bytes.size(), qint64(qHash(bytes)), 1, 1};
}

std::optional<QByteArray> MemoryFileSystem::readAt(const QString& path, qint64 offset,
                                                   qint64 length) const {
    if (crashed || unreadable.contains(path) || !files.contains(path))
        return std::nullopt;
    return files[path].mid(offset, length);
}

QString MemoryFileSystem::writeAt(const QString& path, qint64 offset, const QByteArray& bytes) {
    const QString refused = refusal(path);
    if (!refused.isEmpty())
        return refused;
    if (!files.contains(path))
        return QStringLiteral("No such file or directory");
    QByteArray& content = files[path];
    const qint64 granted = grant(bytes.size());
    content.replace(offset, std::min(granted, content.size() - offset), bytes.first(granted));
    if (granted < bytes.size())
        return QStringLiteral("No space left on device");
    content.truncate(offset + granted);
    return {};
}

FileDescriptor MemoryFileSystem::lockExclusively(const QString& path) {
    if (!crashed && !files.contains(path) && dirs.contains(parentOf(path)))
        files.insert(path, {});
    return FileDescriptor();
}

QString MemoryFileSystem::refusal(const QString& path) const {
    if (failWrites || crashed || unwritable.contains(path))
        return QStringLiteral("Permission denied");
    if (!dirs.contains(parentOf(path)))
        return QStringLiteral("No such file or directory");
    return {};
}

qint64 MemoryFileSystem::grant(qint64 size) {
    if (bytesBeforeStop < 0)
        return size;
    const qint64 granted = std::min(bytesBeforeStop, size);
    bytesBeforeStop -= granted;
    if (granted < size) {
        crashed = crashes;
        bytesBeforeStop = -1;
    }
    return granted;
}
