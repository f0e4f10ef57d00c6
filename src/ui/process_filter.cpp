#include "ui/process_filter.h"

#include <algorithm>
#include <numeric>

ProcessFilter::ProcessFilter(const QList<UserProcess>& snapshot, const QLocale& locale)
    : folding_(locale) {
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
        texts.name = folding_.fold(process.name);
        if (process.localizedName && *process.localizedName != process.name)
            texts.localizedName = folding_.fold(*process.localizedName);
        if (process.path != process.name)
            texts.path = folding_.fold(process.path);
        if (process.args)
            texts.args = folding_.fold(*process.args);
        folded_.push_back(std::move(texts));
    }
}

QList<UserProcess> ProcessFilter::filtered(const QString& filterId, const QString& search) const {
    const bool keepsEveryOrigin =
        filterId != QLatin1String("sys") && filterId != QLatin1String("3rd");
    if (keepsEveryOrigin && search.isEmpty())
        return sorted_;

    const QString needle = folding_.fold(search);
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
