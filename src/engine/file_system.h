#pragma once

#include "file_descriptor.h"

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

// The few file operations the stores need, so tests can make them fail.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool makePath(const QString& dir) = 0;
    virtual bool exists(const QString& path) const = 0;
    // File names (not paths) in a directory, hidden ones included; empty when it cannot be listed.
    virtual std::optional<QStringList> list(const QString& dir) const = 0;
    // The content of a regular file of at most `sizeLimit` bytes; nothing for a larger file, for
    // any other kind (a FIFO, a device, a directory) and when it cannot be read.
    virtual std::optional<QByteArray> read(const QString& path,
                                           qint64 sizeLimit = defaultReadLimit) const = 0;
    // Replaces the file whole or not at all; returns the error's description, empty on success.
    virtual QString writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    virtual bool remove(const QString& path) = 0;

    // Nothing when the path is not a regular file.
    virtual std::optional<FileStamp> stamp(const QString& path) const = 0;
    // Up to `length` bytes from `offset` on.
    virtual std::optional<QByteArray> readAt(const QString& path, qint64 offset,
                                             qint64 length) const = 0;
    // Writes into an existing file at `offset` and ends the file after the bytes; not atomic.
    // Returns the error's description, empty on success.
    virtual QString writeAt(const QString& path, qint64 offset, const QByteArray& bytes) = 0;
    // Waits for an exclusive advisory lock on the file (made when missing), held until the
    // descriptor is closed; an invalid descriptor when there is none to be had.
    virtual FileDescriptor lockExclusively(const QString& path) = 0;
};

class LocalFileSystem final : public FileSystem {
public:
    bool makePath(const QString& dir) override;
    bool exists(const QString& path) const override;
    std::optional<QStringList> list(const QString& dir) const override;
    std::optional<QByteArray> read(const QString& path,
                                   qint64 sizeLimit = defaultReadLimit) const override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    bool remove(const QString& path) override;
    std::optional<FileStamp> stamp(const QString& path) const override;
    std::optional<QByteArray> readAt(const QString& path, qint64 offset,
                                     qint64 length) const override;
    QString writeAt(const QString& path, qint64 offset, const QByteArray& bytes) override;
    FileDescriptor lockExclusively(const QString& path) override;
};
