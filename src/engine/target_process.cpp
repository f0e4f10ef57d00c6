#include "target_process.h"

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
