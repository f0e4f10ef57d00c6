#include "engine/matching/search_folding.h"

#include <algorithm>

namespace {
bool isAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}
} // namespace

SearchFolding::SearchFolding(const QLocale& locale)
    : locale_(locale),
      // Only these languages lower-case plain Latin letters their own way (the dotless i).
      isAsciiFoldingPlain_(locale.language() != QLocale::Turkish &&
                           locale.language() != QLocale::Azerbaijani) {}

// Plain ASCII text folds the same everywhere else, and that is most of a process table.
QString SearchFolding::fold(const QString& text) const {
    if (isAsciiFoldingPlain_ && isAscii(text))
        return text.toLower();
    return locale_.toLower(text.normalized(QString::NormalizationForm_C))
        .normalized(QString::NormalizationForm_C);
}
