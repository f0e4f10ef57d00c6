#include "memory_file_system.h"

#include <algorithm>
#include <cerrno>

namespace {
QString parentOf(const QString& path) {
    return path.left(std::max<qsizetype>(path.lastIndexOf(u'/'), 0));
}

template <typename Map> void moveKey(Map& map, const QString& from, const QString& to) {
    if (map.contains(from))
        map.insert(to, map.take(from));
}
} // namespace

Result<void> MemoryFileSystem::makePath(const QString& dir) {
    for (QString path = dir; !path.isEmpty(); path = parentOf(path))
        dirs.insert(path);
    return {};
}

bool MemoryFileSystem::exists(const QString& path) const {
    return files.contains(path) || dirs.contains(path);
}

Result<QStringList> MemoryFileSystem::list(const QString& dir) const {
    if (failListing || crashed)
        return systemError(EACCES);
    if (!dirs.contains(dir))
        return systemError(ENOENT);
    QStringList names;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (parentOf(it.key()) == dir)
            names.append(it.key().mid(dir.size() + 1));
    }
    // Listings come in no particular order.
    std::reverse(names.begin(), names.end());
    return names;
}

Result<QByteArray> MemoryFileSystem::read(const QString& path, qint64) const {
    Result<QByteArray> bytes = readAt(path, 0, files.value(path).size());
    if (bytes)
        wholeReads.append(path);
    return bytes;
}

Result<void> MemoryFileSystem::remove(const QString& path) {
    if (crashed)
        return systemError(EIO);
    inodes_.remove(path);
    if (files.remove(path) == 0)
        return systemError(ENOENT);
    return {};
}

Result<FileStamp> MemoryFileSystem::stamp(const QString& path) const {
    if (crashed)
        return systemError(EIO);
    if (!files.contains(path))
        return systemError(ENOENT);
    const QByteArray& bytes = files[path];
    return FileStamp{bytes.size(), qint64(qHash(bytes)), 1, 1};
}

Result<QByteArray> MemoryFileSystem::readAt(const QString& path, qint64 offset,
                                            qint64 length) const {
    if (crashed || unreadable.contains(path))
        return systemError(EIO);
    if (!files.contains(path))
        return systemError(ENOENT);
    return files[path].mid(offset, length);
}

Result<void> MemoryFileSystem::writeAt(const QString& path, qint64 offset,
                                       const QByteArray& bytes) {
    if (const std::optional<Error> refused = refusal(path))
        return *refused;
    if (!files.contains(path))
        return systemError(ENOENT);
    QByteArray& content = files[path];
    const qint64 granted = grant(bytes.size());
    content.replace(offset, std::min(granted, content.size() - offset), bytes.first(granted));
    if (granted < bytes.size())
        return systemError(ENOSPC);
    content.truncate(offset + granted);
    return {};
}

Result<void> MemoryFileSystem::sync(const QString& path) {
    if (const std::optional<Error> refused = refusal(path))
        return *refused;
    if (!files.contains(path))
        return systemError(ENOENT);
    synced_.insert(inodes_.value(path), files[path]);
    return {};
}

Result<void> MemoryFileSystem::syncFolder(const QString& dir) {
    if (const std::optional<Error> refused = refusal(dir + QLatin1String("/.")))
        return *refused;
    inodesOnDisk_.removeIf([&](const auto& name) { return parentOf(name.key()) == dir; });
    for (auto it = inodes_.cbegin(); it != inodes_.cend(); ++it) {
        if (parentOf(it.key()) == dir)
            inodesOnDisk_.insert(it.key(), it.value());
    }
    return {};
}

Result<void> MemoryFileSystem::rename(const QString& from, const QString& to) {
    if (const std::optional<Error> refused = refusal(to))
        return *refused;
    if (!files.contains(from))
        return systemError(ENOENT);
    moveKey(files, from, to);
    moveKey(inodes_, from, to);
    return {};
}

Result<TemporaryFile> MemoryFileSystem::createTemporary(const QString& path) {
    if (const std::optional<Error> refused = refusal(path))
        return *refused;
    if (dirs.contains(path))
        return Error{path + QLatin1String(" is not a regular file"), EINVAL};
    const QString temporary = path + QLatin1String(".new") + QString::number(lastInode_ + 1);
    place(temporary, {});
    return TemporaryFile{temporary, path};
}

Result<QString> MemoryFileSystem::moveToTrash(const QString& path) {
    if (crashed || !hasTrash)
        return systemError(EXDEV);
    if (!files.contains(path))
        return systemError(ENOENT);
    const QString inTrash =
        QStringLiteral("/trash/%1.%2").arg(++lastInode_).arg(path.section(u'/', -1));
    moveKey(files, path, inTrash);
    moveKey(inodes_, path, inTrash);
    return inTrash;
}

Result<void> MemoryFileSystem::restoreFromTrash(const QString& pathInTrash, const QString& path) {
    return rename(pathInTrash, path);
}

Result<FileDescriptor> MemoryFileSystem::lockExclusively(const QString& path) {
    if (!crashed && !files.contains(path) && dirs.contains(parentOf(path)))
        place(path, {});
    return FileDescriptor();
}

void MemoryFileSystem::settle() {
    inodes_.removeIf([&](const auto& name) { return !files.contains(name.key()); });
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (!inodes_.contains(it.key()))
            inodes_.insert(it.key(), ++lastInode_);
        synced_.insert(inodes_[it.key()], it.value());
    }
    inodesOnDisk_ = inodes_;
}

void MemoryFileSystem::cutPower() {
    QMap<QString, QByteArray> left;
    for (auto it = inodesOnDisk_.cbegin(); it != inodesOnDisk_.cend(); ++it) {
        const QByteArray onDisk = synced_.value(it.value());
        const QByteArray written = files.value(inodes_.key(it.value()), onDisk);
        qsizetype same = 0;
        while (same < std::min(onDisk.size(), written.size()) && onDisk[same] == written[same])
            ++same;
        left.insert(it.key(), written.left(same + (written.size() - same) / 2));
    }
    files = left;
    inodes_ = inodesOnDisk_;
    for (auto it = inodes_.cbegin(); it != inodes_.cend(); ++it)
        synced_.insert(it.value(), files[it.key()]);
    crashed = false;
    changesBeforeCut = -1;
}

std::optional<Error> MemoryFileSystem::refusal(const QString& path) {
    if (changesBeforeCut == 0)
        crashed = true;
    else if (changesBeforeCut > 0)
        --changesBeforeCut;
    if (failWrites || crashed || unwritable.contains(path))
        return systemError(EACCES);
    if (!dirs.contains(parentOf(path)))
        return systemError(ENOENT);
    return std::nullopt;
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

void MemoryFileSystem::place(const QString& path, const QByteArray& bytes) {
    files.insert(path, bytes);
    inodes_.insert(path, ++lastInode_);
}
