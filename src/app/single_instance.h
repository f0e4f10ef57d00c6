#pragma once

#include "file_descriptor.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

// One Zentrav per user. The first start takes a lock in the user's runtime folder and listens on
// a local socket beside it; a later start finds the lock taken and asks that one to show its
// window. The kernel drops the lock when its holder ends, however it ends, so an instance that
// crashed never blocks the next start, and of two starts at the same moment exactly one wins.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString runtimeDir);
    // XDG_RUNTIME_DIR, else a private folder Qt makes in /tmp; empty when neither is safe.
    static QString runtimeDirForThisUser();

    // True when this start is the one instance, which then listens for later starts. Without a
    // safe place to meet, every start runs.
    bool claim();
    // Asks the running instance to show its window; true once it has answered.
    bool handOver();

Q_SIGNALS:
    void showRequested();

private:
    void answer(QLocalSocket* socket);
    QString path(const char* suffix) const;

    QString runtimeDir_;
    FileDescriptor lock_;
    QLocalServer server_;
};
