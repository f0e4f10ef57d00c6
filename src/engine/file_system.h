#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The few file operations the stores need, so tests can make them fail.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool makePath(const QString& dir) = 0;
    virtual bool exists(const QString& path) const = 0;
    // File names (not paths) in a directory, hidden ones included; empty when it cannot be listed.
    virtual std::optional<QStringList> list(const QString& dir) const = 0;
    virtual std::optional<QByteArray> read(const QString& path) const = 0;
    // Replaces the file whole or not at all; returns the error's description, empty on success.
    virtual QString writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    virtual bool remove(const QString& path) = 0;
};

class LocalFileSystem final : public FileSystem {
public:
    bool makePath(const QString& dir) override;
    bool exists(const QString& path) const override;
    std::optional<QStringList> list(const QString& dir) const override;
    std::optional<QByteArray> read(const QString& path) const override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    bool remove(const QString& path) override;
};
