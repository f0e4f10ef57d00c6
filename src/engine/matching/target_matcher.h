#pragma once

#include "engine/matching/search_folding.h"
#include "engine/matching/substring_search.h"
#include "engine/matching/target_process.h"
#include "engine/process/user_process.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QMultiHash>
#include <optional>

// The watch list's name rule made ready for one cycle: exact entries are found by hash lookup,
// fuzzy ones by containment in the folded name, and each distinct name is looked at once
// for as long as the matcher lives (the watch list is the same from one cycle to the next).
class TargetMatcher {
public:
    explicit TargetMatcher(const QList<TargetProcess>& targets, const QLocale& locale = {});

    // Positions in the watch list of the entries the process matches, ascending.
    QList<qsizetype> matches(const UserProcess& process);

private:
    const QList<qsizetype>& matchesOfName(const QString& name);

    SearchFolding folding_;
    QMultiHash<QString, qsizetype> exact_;
    // Fuzzy entries: their folded names are searched for all at once.
    QList<qsizetype> fuzzyPositions_;
    std::optional<SubstringSearch> fuzzy_;
    QHash<QString, QList<qsizetype>> byName_;
};
