#include "fake_proc_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FakeProcTree::FakeProcTree() : proc_(dir_.path()) {}

void FakeProcTree::add(qint32 pid, const QByteArray& cmdline, const QByteArray& environ,
                       const QString& exe) {
    put(pid, "cmdline", cmdline);
    put(pid, "environ", environ);
    if (!exe.isEmpty())
        QFile::link(exe, dir_.filePath(QStringLiteral("%1/exe").arg(pid)));
}

void FakeProcTree::put(qint32 pid, const char* entry, const QByteArray& content) {
    QDir(dir_.path()).mkpath(QString::number(pid));
    QFile file(dir_.filePath(QStringLiteral("%1/%2").arg(pid).arg(QLatin1String(entry))));
    if (!content.isEmpty() && file.open(QIODevice::WriteOnly))
        file.write(content);
}

ProcFile FakeProcTree::readFile(qint32 pid, QByteArrayView entry) const {
    reads.append(QStringLiteral("%1/%2").arg(pid).arg(QLatin1String(entry)));
    return proc_.readFile(pid, entry);
}

QString FakeProcTree::executable(qint32 pid) const {
    reads.append(QStringLiteral("%1/exe").arg(pid));
    return proc_.executable(pid);
}

std::optional<FileId> FakeProcTree::executableFile(qint32 pid) const {
    reads.append(QStringLiteral("%1/exe").arg(pid));
    return proc_.executableFile(pid);
}

void FakeProcTree::addSocket(qint32 pid, quint64 inode) {
    const QDir fd(dir_.filePath(QStringLiteral("%1/fd").arg(pid)));
    fd.mkpath(QStringLiteral("."));
    QFile::link(QStringLiteral("socket:[%1]").arg(inode),
                fd.filePath(QString::number(fd.entryList(QDir::System).size())));
}

void FakeProcTree::addShared(const QString& path, const QByteArray& content) {
    QFile file(dir_.filePath(path));
    QDir().mkpath(QFileInfo(file).path());
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QList<quint64> FakeProcTree::socketInodes(qint32 pid) const {
    reads.append(QStringLiteral("%1/fd").arg(pid));
    return proc_.socketInodes(pid);
}

std::optional<std::size_t> FakeProcTree::openFileCount(qint32 pid) const {
    reads.append(QStringLiteral("%1/fd").arg(pid));
    return proc_.openFileCount(pid);
}

std::optional<QByteArray> FakeProcTree::readShared(QByteArrayView path) const {
    reads.append(QString::fromUtf8(path));
    return proc_.readShared(path);
}
