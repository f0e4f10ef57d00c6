#include "file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// The contract reads an empty text as success, so a failure always has words.
QString failureOf(const QFileDevice& file) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("Unknown error writing %1").arg(file.fileName())
                            : reason;
}
} // namespace

bool LocalFileSystem::makePath(const QString& dir) {
    return QDir().mkpath(dir);
}

bool LocalFileSystem::exists(const QString& path) const {
    return QFileInfo::exists(path);
}

std::optional<QStringList> LocalFileSystem::list(const QString& dir) const {
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
}

std::optional<QByteArray> LocalFileSystem::read(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QString LocalFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failureOf(file);
    return {};
}

bool LocalFileSystem::remove(const QString& path) {
    return QFile::remove(path);
}
