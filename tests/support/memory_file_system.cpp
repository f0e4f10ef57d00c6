#include "memory_file_system.h"

#include <algorithm>

namespace {
QString parentOf(const QString& path) {
    return path.left(std::max<qsizetype>(path.lastIndexOf(u'/'), 0));
}
} // namespace

bool MemoryFileSystem::makePath(const QString& dir) {
    if (failMakePath)
        return false;
    for (QString path = dir; !path.isEmpty(); path = parentOf(path))
        dirs.insert(path);
    return true;
}

bool MemoryFileSystem::exists(const QString& path) const {
    return files.contains(path) || dirs.contains(path);
}

std::optional<QStringList> MemoryFileSystem::list(const QString& dir) const {
    if (failListing || !dirs.contains(dir))
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
    if (failReads || unreadable.contains(path) || !files.contains(path))
        return std::nullopt;
    return files.value(path);
}

QString MemoryFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    if (failWrites)
        return QStringLiteral("No space left on device");
    if (!dirs.contains(parentOf(path)))
        return QStringLiteral("No such file or directory");
    files.insert(path, bytes);
    ++writes;
    return {};
}

bool MemoryFileSystem::remove(const QString& path) {
    if (undeletable.contains(path))
        return false;
    return files.remove(path) > 0;
}
