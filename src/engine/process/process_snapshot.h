#pragma once

#include "engine/process/process_memo.h"
#include "engine/process/user_process.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QSet>

class DisplayNameSource;
class ProcReader;
class ProcessRunner;

// Process ids of the command-lines run ("-eo pid,args").
QHash<qint32, QString> parseCommandLines(QByteArrayView output);

struct ProcessTableFilter {
    quint32 currentUid = 0;
    bool currentUserOnly = true;
    QSet<qint64> excludedPids; // the program itself and the tool run that listed it
};

// Rows of the process-table run ("-eo pid,uid,rss,comm"), in output order, named as ps shows
// them.
QList<UserProcess> parseProcessTable(QByteArrayView output, const ProcessTableFilter& filter,
                                     const QHash<qint32, QString>& commandLines);

// The process table with what /proc and the desktop add: full names past the kernel's cut,
// executable paths (all users only) and display names. One snapshot at a time: what it reads
// about a process is kept for the next one.
class ProcessSnapshotter {
public:
    ProcessSnapshotter(ProcessRunner& runner, const ProcReader& proc,
                       DisplayNameSource& displayNames, quint32 currentUid, qint64 ownPid);

    QList<UserProcess> snapshotProcesses(bool currentUserOnly);

private:
    void completeFromProc(UserProcess& row, bool withPath);

    ProcessRunner& runner_;
    const ProcReader& proc_;
    DisplayNameSource& displayNames_;
    quint32 currentUid_;
    qint64 ownPid_;
    // The name each process with a cut task name goes by.
    ProcessMemo<std::optional<QString>> fullNames_;
};
