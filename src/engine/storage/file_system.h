#pragma once

#include "engine/base/file_descriptor.h"
#include "engine/base/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads stop at this size unless a caller sets its own limit: no day file comes near it, and a
// runaway file must not take all memory.
inline constexpr qint64 defaultReadLimit = qint64(256) << 20;

// One version of a file: a write by anyone changes its size or modification time, a
// replacement its inode.
struct FileStamp {
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// An empty new file that is to take the place of `target` once it is written whole.
struct TemporaryFile {
    QString path;
    QString target;
};

// The folder part of a path.
QString folderOf(const QString& path);

// The few file operations the stores need, so tests can make them fail and cut the power.
// Each operation that can fail says why (with the system's error number where it has one). A
// change is on disk only once `sync` (a file's content) or `syncFolder` (the names in a folder)
// says so.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Makes the directory and any missing parents; one that is there already is fine.
    virtual Result<void> makePath(const QString& dir) = 0;
    // Whether anything has that name, a link that leads nowhere included.
    virtual bool exists(const QString& path) const = 0;
    // File names (not paths) in a directory, hidden ones included.
    virtual Result<QStringList> list(const QString& dir) const = 0;
    // The content of a regular file of at most `sizeLimit` bytes; a larger file (EFBIG) and any
    // other kind (a FIFO, a device, a directory: EINVAL) are not read.
    virtual Result<QByteArray> read(const QString& path,
                                    qint64 sizeLimit = defaultReadLimit) const = 0;
    virtual Result<void> remove(const QString& path) = 0;

    // Replaces the file whole or not at all, and returns once the new one is on disk: a file
    // beside it is written and synced, then takes its name, then the folder is synced. A power
    // cut at any moment leaves the old file or the new one. A link is followed.
    Result<void> writeAtomically(const QString& path, const QByteArray& bytes);

    // For changes in place that must not cost the whole file. None of these follows a link at
    // the end of the path, and all of them take regular files only.
    virtual Result<FileStamp> stamp(const QString& path) const = 0;
    // Up to `length` bytes from `offset` on.
    virtual Result<QByteArray> readAt(const QString& path, qint64 offset, qint64 length) const = 0;
    // Writes into an existing file at `offset` and ends the file after the bytes; not atomic.
    virtual Result<void> writeAt(const QString& path, qint64 offset, const QByteArray& bytes) = 0;

    // Waits until the file's content is on disk.
    virtual Result<void> sync(const QString& path) = 0;
    // Waits until the names in the folder (files made, renamed, removed) are on disk.
    virtual Result<void> syncFolder(const QString& dir) = 0;
    // Gives `to` to the file named `from`, in one step, replacing what had that name.
    virtual Result<void> rename(const QString& from, const QString& to) = 0;
    // A new empty file beside the file `path` leads to, with that file's permissions; an error
    // when `path` is something other than a regular file.
    virtual Result<TemporaryFile> createTemporary(const QString& path) = 0;

    // Moves the file to the desktop's trash and gives the path it has there; an error when it
    // could not go there (its file system has no trash).
    virtual Result<QString> moveToTrash(const QString& path) = 0;
    // Brings a file back from the trash under `path`.
    virtual Result<void> restoreFromTrash(const QString& pathInTrash, const QString& path) = 0;

    // Waits for an exclusive advisory lock on the file (made when missing), held until the
    // descriptor is closed.
    virtual Result<FileDescriptor> lockExclusively(const QString& path) = 0;
};

class LocalFileSystem : public FileSystem {
public:
    Result<void> makePath(const QString& dir) override;
    bool exists(const QString& path) const override;
    Result<QStringList> list(const QString& dir) const override;
    Result<QByteArray> read(const QString& path,
                            qint64 sizeLimit = defaultReadLimit) const override;
    Result<void> remove(const QString& path) override;
    Result<FileStamp> stamp(const QString& path) const override;
    Result<QByteArray> readAt(const QString& path, qint64 offset, qint64 length) const override;
    Result<void> writeAt(const QString& path, qint64 offset, const QByteArray& bytes) override;
    Result<void> sync(const QString& path) override;
    Result<void> syncFolder(const QString& dir) override;
    Result<void> rename(const QString& from, const QString& to) override;
    Result<TemporaryFile> createTemporary(const QString& path) override;
    Result<QString> moveToTrash(const QString& path) override;
    Result<void> restoreFromTrash(const QString& pathInTrash, const QString& path) override;
    Result<FileDescriptor> lockExclusively(const QString& path) override;
};
