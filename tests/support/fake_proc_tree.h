#pragma once

#include "proc_reader.h"

#include <QStringList>
#include <QTemporaryDir>

// A made-up /proc: a folder per process with the files a test gives it (none for what is not
// given, as for another user's process). Records every read as "<pid>/<entry>".
class FakeProcTree final : public ProcReader {
public:
    FakeProcTree();

    void add(qint32 pid, const QByteArray& cmdline, const QByteArray& environ = {},
             const QString& exe = {});

    ProcFile readFile(qint32 pid, QByteArrayView entry) const override;
    QString executable(qint32 pid) const override;

    mutable QStringList reads;

private:
    QTemporaryDir dir_;
    ProcDirectory proc_;
};
