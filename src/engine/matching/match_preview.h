#pragma once

#include "engine/matching/target_process.h"
#include "engine/process/user_process.h"

#include <QList>
#include <QStringList>

// What an entry would match among the user's processes right now.
struct MatchPreview {
    // The processes a scan would end.
    qsizetype processCount = 0;
    // Those it matches too but that are the session's own, which are left alone.
    qsizetype sessionProcessCount = 0;
    // The first distinct names among the processes it would end, in snapshot order.
    QStringList names;
    bool hasMoreNames = false;
};

// By the rule a scan uses: name or display name, exact or fuzzy.
MatchPreview previewMatches(const QList<UserProcess>& processes, const TargetProcess& entry,
                            qsizetype nameLimit = 3);
