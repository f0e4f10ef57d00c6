#include "engine/matching/match_preview.h"

#include "engine/matching/target_matcher.h"

MatchPreview previewMatches(const QList<UserProcess>& processes, const TargetProcess& entry,
                            qsizetype nameLimit) {
    MatchPreview preview;
    TargetMatcher matcher({entry});
    for (const UserProcess& process : processes) {
        if (matcher.matches(process).isEmpty())
            continue;
        if (process.isSessionProcess) {
            ++preview.sessionProcessCount;
            continue;
        }
        ++preview.processCount;
        if (preview.names.contains(process.name))
            continue;
        if (preview.names.size() < nameLimit)
            preview.names.append(process.name);
        else
            preview.hasMoreNames = true;
    }
    return preview;
}
