#pragma once

#include "engine/matching/search_folding.h"
#include "engine/process/user_process.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <vector>

// The browser's rows for a filter and a search text. Built once per snapshot: the snapshot is
// sorted by memory and its texts are case-folded here, so a keystroke only folds the search text
// and scans the prepared texts.
class ProcessFilter {
public:
    ProcessFilter() = default;
    explicit ProcessFilter(const QList<UserProcess>& snapshot, const QLocale& locale = QLocale());

    // filterId "sys" keeps system processes, "3rd" third-party ones, anything else keeps all.
    // A non-empty search keeps a process when its name, localised name, path or arguments
    // contain it, ignoring case; the search is taken exactly as typed, blanks included.
    // The result is ordered by memoryKB, largest first, equal sizes in snapshot order.
    QList<UserProcess> filtered(const QString& filterId, const QString& search) const;

    static bool keepsOrigin(const QString& filterId, ProcessOrigin origin);

private:
    // A text that a process lacks, or that repeats its name, stays empty and matches nothing.
    struct FoldedTexts {
        QString name;
        QString localizedName;
        QString path;
        QString args;

        bool contain(const QString& needle) const;
    };

    SearchFolding folding_;
    QList<UserProcess> sorted_;
    std::vector<FoldedTexts> folded_;
};
