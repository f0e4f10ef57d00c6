#include "process_filter.h"

#include <algorithm>
#include <numeric>

namespace {
bool isAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}
} // namespace

ProcessFilter::ProcessFilter(const QList<UserProcess>& snapshot, const QLocale& locale)
    : locale_(locale),
      // Only these languages lower-case plain Latin letters their own way (the dotless i).
      isAsciiFoldingPlain_(locale.language() != QLocale::Turkish &&
                           locale.language() != QLocale::Azerbaijani) {
    // Filtering keeps the order, so sorting the whole snapshot once sorts every result.
    std::vector<qsizetype> order(snapshot.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&snapshot](qsizetype a, qsizetype b) {
        return snapshot[a].memoryKB > snapshot[b].memoryKB;
    });

    sorted_.reserve(snapshot.size());
    folded_.reserve(order.size());
    for (qsizetype index : order) {
        const UserProcess& process = snapshot[index];
        sorted_.append(process);
        FoldedTexts texts;
        texts.name = fold(process.name);
        if (process.localizedName && *process.localizedName != process.name)
            texts.localizedName = fold(*process.localizedName);
        if (process.path != process.name)
            texts.path = fold(process.path);
        if (process.args)
            texts.args = fold(*process.args);
        folded_.push_back(std::move(texts));
    }
}

QList<UserProcess> ProcessFilter::filtered(const QString& filterId, const QString& search) const {
    const bool keepsEveryOrigin =
        filterId != QLatin1String("sys") && filterId != QLatin1String("3rd");
    if (keepsEveryOrigin && search.isEmpty())
        return sorted_;

    const QString needle = fold(search);
    QList<UserProcess> result;
    for (qsizetype i = 0; i < sorted_.size(); ++i) {
        if (keepsOrigin(filterId, sorted_[i].origin) &&
            (needle.isEmpty() || folded_[size_t(i)].contain(needle)))
            result.append(sorted_[i]);
    }
    return result;
}

bool ProcessFilter::keepsOrigin(const QString& filterId, ProcessOrigin origin) {
    if (filterId == QLatin1String("sys"))
        return origin == ProcessOrigin::system;
    if (filterId == QLatin1String("3rd"))
        return origin == ProcessOrigin::thirdParty;
    return true;
}

bool ProcessFilter::FoldedTexts::contain(const QString& needle) const {
    return name.contains(needle) || localizedName.contains(needle) || path.contains(needle) ||
           args.contains(needle);
}

// Lower-casing by the locale handles the language-specific letters (the Turkish dotted and
// dotless i); folding afterwards evens out the remaining variants such as the final sigma. Plain
// ASCII text folds the same everywhere else, and that is most of a process table.
QString ProcessFilter::fold(const QString& text) const {
    if (isAsciiFoldingPlain_ && isAscii(text))
        return text.toCaseFolded();
    return locale_.toLower(text).toCaseFolded();
}
