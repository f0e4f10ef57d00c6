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

    // Full path to content.
    QMap<QString, QByteArray> files;
    QSet<QString> dirs;

    bool failMakePath = false;
    bool failWrites = false;
    bool failReads = false;
    bool failListing = false;
    QSet<QString> unreadable;
    QSet<QString> undeletable;

    int writes = 0;
};
