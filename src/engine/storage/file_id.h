#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <optional>

// A file as the kernel knows it, whichever path or link leads there.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileId&, const FileId&) = default;
};

inline size_t qHash(const FileId& file, size_t seed = 0) {
    return qHashMulti(seed, file.device, file.inode);
}

// The file at the end of a path's links; nothing when there is none.
std::optional<FileId> fileIdOf(const QByteArray& path);
