#pragma once

#include "file_system.h"

#include <QMap>
#include <QSet>

// Files that live in a map, with switches that make each kind of operation fail.
class MemoryFileSystem final : public FileSystem {
public:
    bool makePath(const QString& dir) override;
    bool exists(const QString& path) const override;
    std::optional<QStringList> list(const QString& dir) const override;
    std::optional<QByteArray> read(const QString& path,
                                   qint64 sizeLimit = defaultReadLimit) const override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    bool remove(const QString& path) override;
    // The content's hash stands in for the modification time.
    std::optional<FileStamp> stamp(const QString& path) const override;
    std::optional<QByteArray> readAt(const QString& path, qint64 offset,
                                     qint64 length) const override;
    QString writeAt(const QString& path, qint64 offset, const QByteArray& bytes) override;
    FileDescriptor lockExclusively(const QString& path) override;

    // Full path to content.
    QMap<QString, QByteArray> files;
    QSet<QString> dirs;

    bool failWrites = false;
    bool failListing = false;
    QSet<QString> unreadable;
    QSet<QString> unwritable;
    // When set, the write that needs more than that many more bytes stops, once: a write at an
    // offset keeps the bytes it got that far, an atomic one keeps nothing. With `crashes` the
    // program ends there: every later operation fails until the test clears `crashed`.
    qint64 bytesBeforeStop = -1;
    bool crashes = false;
    bool crashed = false;

    // Paths read whole, in order.
    mutable QStringList wholeReads;

private:
    QString refusal(const QString& path) const;
    qint64 grant(qint64 size);
};
