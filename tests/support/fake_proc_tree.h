#pragma once

#include "engine/process/proc_reader.h"

#include <QStringList>
#include <QTemporaryDir>

// A made-up /proc: a folder per process with the files a test gives it (none for what is not
// given, as for another user's process). Records every read as "<pid>/<entry>".
class FakeProcTree final : public ProcReader {
public:
    FakeProcTree();

    void add(qint32 pid, const QByteArray& cmdline, const QByteArray& environ = {},
             const QString& exe = {});
    // Any other file of a process: "cgroup", "stat".
    void put(qint32 pid, const char* entry, const QByteArray& content);
    // An open socket of the process, by its inode.
    void addSocket(qint32 pid, quint64 inode);
    // A file about the whole system, such as "net/unix".
    void addShared(const QString& path, const QByteArray& content);

    ProcFile readFile(qint32 pid, QByteArrayView entry) const override;
    QString executable(qint32 pid) const override;
    std::optional<FileId> executableFile(qint32 pid) const override;
    QList<quint64> socketInodes(qint32 pid) const override;
    std::optional<std::size_t> openFileCount(qint32 pid) const override;
    std::optional<QByteArray> readShared(QByteArrayView path) const override;

    mutable QStringList reads;

private:
    QTemporaryDir dir_;
    ProcDirectory proc_;
};
