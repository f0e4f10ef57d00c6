#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// One file about a process: its whole content, or the error number that kept it from being read.
struct ProcFile {
    QByteArray content;
    int error = 0;

    // Only ENOENT and ESRCH say that the process is gone; EACCES, EMFILE and the like do not.
    bool isGone() const;
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
};

// The files under one directory: "/proc" on the system, a made-up tree in tests.
class ProcDirectory final : public ProcReader {
public:
    explicit ProcDirectory(const QString& root = QStringLiteral("/proc"));

    ProcFile readFile(qint32 pid, QByteArrayView entry) const override;
    QString executable(qint32 pid) const override;

private:
    QByteArray root_;
};

// argv[0] of a process: its command line up to the first NUL; empty for a kernel thread.
QByteArray argumentZero(const ProcReader& proc, qint32 pid);
