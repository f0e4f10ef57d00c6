#pragma once

#include "engine/storage/file_system.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <optional>

// Files that live in a map, with switches that make each kind of operation fail, and a power cut
// that keeps only what was synced.
class MemoryFileSystem final : public FileSystem {
public:
    Result<void> makePath(const QString& dir) override;
    bool exists(const QString& path) const override;
    Result<QStringList> list(const QString& dir) const override;
    Result<QByteArray> read(const QString& path,
                            qint64 sizeLimit = defaultReadLimit) const override;
    Result<void> remove(const QString& path) override;
    // The content's hash stands in for the modification time.
    Result<FileStamp> stamp(const QString& path) const override;
    Result<QByteArray> readAt(const QString& path, qint64 offset, qint64 length) const override;
    Result<void> writeAt(const QString& path, qint64 offset, const QByteArray& bytes) override;
    Result<void> sync(const QString& path) override;
    Result<void> syncFolder(const QString& dir) override;
    Result<void> rename(const QString& from, const QString& to) override;
    Result<TemporaryFile> createTemporary(const QString& path) override;
    // Into "/trash/", unless `hasTrash` is off.
    Result<QString> moveToTrash(const QString& path) override;
    Result<void> restoreFromTrash(const QString& pathInTrash, const QString& path) override;
    Result<FileDescriptor> lockExclusively(const QString& path) override;

    // Everything there now is on disk, as after a clean shutdown.
    void settle();
    // The power goes: each name is back to the file its folder's last sync saw, and each file
    // holds what its last sync saw plus the first half of what was written to it since.
    void cutPower();

    // Full path to content.
    QMap<QString, QByteArray> files;
    QSet<QString> dirs;

    bool failWrites = false;
    bool failListing = false;
    bool hasTrash = true;
    QSet<QString> unreadable;
    QSet<QString> unwritable;
    // When set, the write that needs more than that many more bytes stops, once: a write at an
    // offset keeps the bytes it got that far, an atomic one keeps nothing. With `crashes` the
    // program ends there: every later operation fails until the test clears `crashed`.
    qint64 bytesBeforeStop = -1;
    bool crashes = false;
    bool crashed = false;
    // When set, the power goes before that many more changes (writes, syncs, renames): every
    // later operation fails until the test calls cutPower.
    int changesBeforeCut = -1;

    // Paths read whole, in order.
    mutable QStringList wholeReads;

private:
    // Why a change of `path` fails now, if it does.
    std::optional<Error> refusal(const QString& path);
    qint64 grant(qint64 size);
    void place(const QString& path, const QByteArray& bytes);

    // Which file each name stands for, now and on disk, and what of each file is on disk.
    QHash<QString, int> inodes_;
    QHash<QString, int> inodesOnDisk_;
    QHash<int, QByteArray> synced_;
    int lastInode_ = 0;
};
