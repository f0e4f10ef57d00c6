#include "engine/matching/target_process.h"

QString matchModeRawValue(MatchMode mode) {
    return mode == MatchMode::exact ? QStringLiteral("exact") : QStringLiteral("fuzzy");
}

std::optional<MatchMode> matchModeFromRawValue(QStringView raw) {
    if (raw == u"fuzzy")
        return MatchMode::fuzzy;
    if (raw == u"exact")
        return MatchMode::exact;
    return std::nullopt;
}

QString typedEntryName(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    const auto isBlank = [&](qsizetype i) { return text[i] == u' ' || text[i] == u'\t'; };
    while (first < last && isBlank(first))
        ++first;
    while (last > first && isBlank(last - 1))
        --last;
    return text.sliced(first, last - first);
}
