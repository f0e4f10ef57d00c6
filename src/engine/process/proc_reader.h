#pragma once

#include "engine/storage/file_id.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstddef>
#include <optional>

// One file about a process: its whole content, or the error number that kept it from being read.
struct ProcFile {
    QByteArray content;
    int error = 0;

    // Only ENOENT and ESRCH say that the process is gone; EACCES, EMFILE and the like do not.
    bool isGone() const;
    // The content, or nothing when the file could not be read.
    std::optional<QByteArray> take() &&;
};

// The kernel's files about one process (/proc/<pid>/...).
class ProcReader {
public:
    virtual ~ProcReader() = default;
    virtual ProcFile readFile(qint32 pid, QByteArrayView entry) const = 0;
    // The whole file, or nothing when it cannot be read (another user's process, gone).
    std::optional<QByteArray> read(qint32 pid, QByteArrayView entry) const;
    // Where the "exe" link points; empty when it cannot be read (another user's process, a
    // kernel thread).
    virtual QString executable(qint32 pid) const = 0;
    // The file the "exe" link leads to, wherever it is mounted for the process.
    virtual std::optional<FileId> executableFile(qint32 pid) const = 0;
    // The inodes of the sockets among the process's open files ("socket:[N]" links in fd/);
    // empty when they cannot be read.
    virtual QList<quint64> socketInodes(qint32 pid) const = 0;
    // How many files the process has open (the entries of fd/); nothing when they cannot be
    // listed.
    virtual std::optional<std::size_t> openFileCount(qint32 pid) const = 0;
    // A file about the whole system, such as "net/unix".
    virtual std::optional<QByteArray> readShared(QByteArrayView path) const = 0;
};

// The files under one directory: "/proc" on the system, a made-up tree in tests.
class ProcDirectory final : public ProcReader {
public:
    explicit ProcDirectory(const QString& root = QStringLiteral("/proc"));

    ProcFile readFile(qint32 pid, QByteArrayView entry) const override;
    QString executable(qint32 pid) const override;
    std::optional<FileId> executableFile(qint32 pid) const override;
    QList<quint64> socketInodes(qint32 pid) const override;
    std::optional<std::size_t> openFileCount(qint32 pid) const override;
    std::optional<QByteArray> readShared(QByteArrayView path) const override;

private:
    ProcFile readPath(const QByteArray& path) const;

    QByteArray root_;
};

// The parent's process id in a stat file ("pid (name) state ppid ..."); none when malformed.
std::optional<qint32> parentInStat(QByteArrayView stat);

// argv[0] of a process: its command line up to the first NUL; empty for a kernel thread.
QByteArray argumentZero(const ProcReader& proc, qint32 pid);

// The parent's process id; nothing when the process is gone.
std::optional<qint32> parentPid(const ProcReader& proc, qint32 pid);

// The pieces of a file between separators ('\0' in cmdline and environ, '\n' elsewhere); a
// separator at the end starts no piece.
QList<QByteArrayView> piecesOf(QByteArrayView content, char separator);
