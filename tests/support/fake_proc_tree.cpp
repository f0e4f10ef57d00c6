#include "fake_proc_tree.h"

#include <QDir>
#include <QFile>

FakeProcTree::FakeProcTree() : proc_(dir_.path()) {}

void FakeProcTree::add(qint32 pid, const QByteArray& cmdline, const QByteArray& environ,
                       const QString& exe) {
    const QDir folder(dir_.filePath(QString::number(pid)));
    folder.mkpath(QStringLiteral("."));
    const auto write = [&folder](const char* name, const QByteArray& content) {
        QFile file(folder.filePath(QLatin1String(name)));
        if (!content.isEmpty() && file.open(QIODevice::WriteOnly))
            file.write(content);
    };
    write("cmdline", cmdline);
    write("environ", environ);
    if (!exe.isEmpty())
        QFile::link(exe, folder.filePath(QStringLiteral("exe")));
}

ProcFile FakeProcTree::readFile(qint32 pid, QByteArrayView entry) const {
    reads.append(QStringLiteral("%1/%2").arg(pid).arg(QLatin1String(entry)));
    return proc_.readFile(pid, entry);
}

QString FakeProcTree::executable(qint32 pid) const {
    reads.append(QStringLiteral("%1/exe").arg(pid));
    return proc_.executable(pid);
}
