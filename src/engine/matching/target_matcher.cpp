#include "engine/matching/target_matcher.h"

#include <algorithm>

namespace {
constexpr qsizetype maxRememberedNames = 1 << 16;

QString canonical(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}
} // namespace

TargetMatcher::TargetMatcher(const QList<TargetProcess>& targets, const QLocale& locale)
    : folding_(locale) {
    QList<QString> fuzzyNames;
    for (qsizetype t = 0; t < targets.size(); ++t) {
        const QString name = canonical(targets[t].name);
        // An empty name is contained in nothing and equals no name worth killing.
        if (name.isEmpty())
            continue;
        if (targets[t].matchMode == MatchMode::exact) {
            exact_.insert(name, t);
        } else {
            fuzzyNames.append(folding_.fold(name));
            fuzzyPositions_.append(t);
        }
    }
    if (!fuzzyNames.isEmpty())
        fuzzy_.emplace(fuzzyNames);
}

QList<qsizetype> TargetMatcher::matches(const UserProcess& process) {
    QList<qsizetype> found = matchesOfName(process.name);
    if (!process.localizedName)
        return found;
    const QList<qsizetype>& more = matchesOfName(*process.localizedName);
    if (more.isEmpty())
        return found;
    QList<qsizetype> both;
    both.reserve(found.size() + more.size());
    std::set_union(found.begin(), found.end(), more.begin(), more.end(), std::back_inserter(both));
    return both;
}

const QList<qsizetype>& TargetMatcher::matchesOfName(const QString& name) {
    const auto known = byName_.constFind(name);
    if (known != byName_.cend())
        return *known;
    // Names come and go with processes; what is remembered stays within a bound.
    if (byName_.size() >= maxRememberedNames)
        byName_.clear();
    const QString text = canonical(name);
    QList<qsizetype> found = exact_.values(text);
    if (fuzzy_) {
        for (const qsizetype n : fuzzy_->find(folding_.fold(text)))
            found.append(fuzzyPositions_[n]);
    }
    std::sort(found.begin(), found.end());
    return *byName_.insert(name, std::move(found));
}
