#pragma once

#include "engine/base/file_descriptor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

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
    QString error;
};

// The folder part of a path.
QString folderOf(const QString& path);

// The few file operations the stores need, so tests can make them fail and cut the power.
// Operations that change a file return the error's description, empty on success. A change is
// on disk only once `sync` (a file's content) or `syncFolder` (the names in a folder) says so.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool makePath(const QString& dir) = 0;
    // Whether anything has that name, a link that leads nowhere included.
    virtual bool exists(const QString& path) const = 0;
    // File names (not paths) in a directory, hidden ones included; empty when it cannot be listed.
    virtual std::optional<QStringList> list(const QString& dir) const = 0;
    // The content of a regular file of at most `sizeLimit` bytes; nothing for a larger file, for
    // any other kind (a FIFO, a device, a directory) and when it cannot be read.
    virtual std::optional<QByteArray> read(const QString& path,
                                           qint64 sizeLimit = defaultReadLimit) const = 0;
    virtual bool remove(const QString& path) = 0;

    // Replaces the file whole or not at all, and returns once the new one is on disk: a file
    // beside it is written and synced, then takes its name, then the folder is synced. A power
    // cut at any moment leaves the old file or the new one. A link is followed.
    QString writeAtomically(const QString& path, const QByteArray& bytes);

    // For changes in place that must not cost the whole file. None of these follows a link at
    // the end of the path, and all of them take regular files only.
    // Nothing when the path is not a regular file.
    virtual std::optional<FileStamp> stamp(const QString& path) const = 0;
    // Up to `length` bytes from `offset` on.
    virtual std::optional<QByteArray> readAt(const QString& path, qint64 offset,
                                             qint64 length) const = 0;
    // Writes into an existing file at `offset` and ends the file after the bytes; not atomic.
    virtual QString writeAt(const QString& path, qint64 offset, const QByteArray& bytes) = 0;

    // Waits until the file's content is on disk.
    virtual QString sync(const QString& path) = 0;
    // Waits until the names in the folder (files made, renamed, removed) are on disk.
    virtual QString syncFolder(const QString& dir) = 0;
    // Gives `to` to the file named `from`, in one step, replacing what had that name.
    virtual QString rename(const QString& from, const QString& to) = 0;
    // A new empty file beside the file `path` leads to, with that file's permissions; an error
    // when `path` is something other than a regular file.
    virtual TemporaryFile createTemporary(const QString& path) = 0;

    // Moves the file to the desktop's trash; the path it has there, or nothing when it could not
    // go there (its file system has no trash).
    virtual std::optional<QString> moveToTrash(const QString& path) = 0;
    // Brings a file back from the trash under `path`.
    virtual QString restoreFromTrash(const QString& pathInTrash, const QString& path) = 0;

    // Waits for an exclusive advisory lock on the file (made when missing), held until the
    // descriptor is closed; an invalid descriptor when there is none to be had.
    virtual FileDescriptor lockExclusively(const QString& path) = 0;
};

class LocalFileSystem : public FileSystem {
public:
    bool makePath(const QString& dir) override;
    bool exists(const QString& path) const override;
    std::optional<QStringList> list(const QString& dir) const override;
    std::optional<QByteArray> read(const QString& path,
                                   qint64 sizeLimit = defaultReadLimit) const override;
    bool remove(const QString& path) override;
    std::optional<FileStamp> stamp(const QString& path) const override;
    std::optional<QByteArray> readAt(const QString& path, qint64 offset,
                                     qint64 length) const override;
    QString writeAt(const QString& path, qint64 offset, const QByteArray& bytes) override;
    QString sync(const QString& path) override;
    QString syncFolder(const QString& dir) override;
    QString rename(const QString& from, const QString& to) override;
    TemporaryFile createTemporary(const QString& path) override;
    std::optional<QString> moveToTrash(const QString& path) override;
    QString restoreFromTrash(const QString& pathInTrash, const QString& path) override;
    FileDescriptor lockExclusively(const QString& path) override;
};
