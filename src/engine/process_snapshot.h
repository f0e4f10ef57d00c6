#pragma once

#include "user_process.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QSet>

class DisplayNameSource;
class ProcessRunner;

// Process ids of the command-lines run ("-eo pid,args").
QHash<qint32, QString> parseCommandLines(QByteArrayView output);

struct ProcessTableFilter {
    quint32 currentUid = 0;
    bool currentUserOnly = true;
    QSet<qint64> excludedPids; // the program itself and the tool run that listed it
};

// Rows of the process-table run ("-eo pid,uid,rss,comm"), in output order.
QList<UserProcess> parseProcessTable(QByteArrayView output, const ProcessTableFilter& filter,
                                     const QHash<qint32, QString>& displayNames,
                                     const QHash<qint32, QString>& commandLines);

class ProcessSnapshotter {
public:
    ProcessSnapshotter(ProcessRunner& runner, DisplayNameSource& displayNames, quint32 currentUid,
                       qint64 ownPid);

    QList<UserProcess> snapshotProcesses(bool currentUserOnly) const;

private:
    ProcessRunner& runner_;
    DisplayNameSource& displayNames_;
    quint32 currentUid_;
    qint64 ownPid_;
};
