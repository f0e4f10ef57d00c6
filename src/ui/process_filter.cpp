#include "process_filter.h"

#include <algorithm>

ProcessFilter::ProcessFilter(const QList<UserProcess>& snapshot, const QLocale& locale)
    : locale_(locale) {
    entries_.reserve(snapshot.size());
    for (const UserProcess& process : snapshot) {
        Entry entry{process, {fold(process.name)}};
        if (process.localizedName)
            entry.foldedTexts.append(fold(*process.localizedName));
        entry.foldedTexts.append(fold(process.path));
        if (process.args)
            entry.foldedTexts.append(fold(*process.args));
        entries_.append(std::move(entry));
    }
    // Filtering keeps the order, so sorting the whole snapshot once sorts every result.
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.process.memoryKB > b.process.memoryKB;
    });
}

QList<UserProcess> ProcessFilter::filtered(const QString& filterId, const QString& search) const {
    const QString needle = fold(search);
    QList<UserProcess> result;
    for (const Entry& entry : entries_) {
        if (!keepsOrigin(filterId, entry.process.origin))
            continue;
        if (!needle.isEmpty() &&
            std::none_of(entry.foldedTexts.cbegin(), entry.foldedTexts.cend(),
                         [&needle](const QString& text) { return text.contains(needle); }))
            continue;
        result.append(entry.process);
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

// Lower-casing by the locale handles the language-specific letters (the Turkish dotted and
// dotless i); folding afterwards evens out the remaining variants such as the final sigma.
QString ProcessFilter::fold(const QString& text) const {
    return locale_.toLower(text).toCaseFolded();
}
