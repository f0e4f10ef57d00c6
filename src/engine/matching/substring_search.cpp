#include "engine/matching/substring_search.h"

#include <algorithm>
#include <deque>

SubstringSearch::SubstringSearch(const QList<QString>& needles) : needles_(needles) {
    // At most one state per code unit of the needles, and the root.
    qsizetype states = 1;
    for (const QString& needle : needles) {
        states += needle.size();
        for (const QChar c : needle) {
            if (columnOf(c.unicode()) != 0)
                continue;
            if (c.unicode() < 128)
                asciiColumns_[c.unicode()] = ++columns_;
            else
                otherColumns_.insert(c.unicode(), ++columns_);
        }
    }
    isAutomaton_ = states * columns_ <= maxCells;
    if (!isAutomaton_)
        return;
    constexpr std::uint32_t none = UINT32_MAX;
    const auto row = [this](std::uint32_t state) { return next_.begin() + state * columns_; };
    // Room for every state at once: growing row by row would copy the table again and again.
    next_.assign(std::size_t(states * columns_), none);
    ends_.resize(std::size_t(states));
    std::uint32_t used = 1;
    for (qsizetype n = 0; n < needles.size(); ++n) {
        if (needles[n].isEmpty())
            continue;
        std::uint32_t state = 0;
        for (const QChar c : needles[n]) {
            std::uint32_t& step = row(state)[columnOf(c.unicode()) - 1];
            if (step == none)
                step = used++;
            state = step;
        }
        ends_[state].push_back(n);
    }

    // Breadth first, each state learns where a mismatch leads: the longest proper suffix of
    // its text that is also a needle's prefix.
    std::vector<std::uint32_t> fallback(ends_.size(), 0);
    shorterEnd_.assign(ends_.size(), 0);
    std::deque<std::uint32_t> queue;
    for (std::uint32_t column = 0; column < columns_; ++column) {
        std::uint32_t& step = row(0)[column];
        if (step == none)
            step = 0;
        else
            queue.push_back(step);
    }
    while (!queue.empty()) {
        const std::uint32_t state = queue.front();
        queue.pop_front();
        for (std::uint32_t column = 0; column < columns_; ++column) {
            const std::uint32_t viaFallback = row(fallback[state])[column];
            std::uint32_t& step = row(state)[column];
            if (step == none) {
                step = viaFallback;
                continue;
            }
            fallback[step] = viaFallback;
            shorterEnd_[step] = ends_[viaFallback].empty() ? shorterEnd_[viaFallback] : viaFallback;
            queue.push_back(step);
        }
    }
}

QList<qsizetype> SubstringSearch::find(QStringView text) const {
    QList<qsizetype> found;
    if (!isAutomaton_) {
        for (qsizetype n = 0; n < needles_.size(); ++n) {
            if (!needles_[n].isEmpty() && text.contains(needles_[n]))
                found.append(n);
        }
        return found;
    }
    std::uint32_t state = 0;
    for (const QChar c : text) {
        const std::uint32_t column = columnOf(c.unicode());
        state = column == 0 ? 0 : next_[state * columns_ + column - 1];
        for (std::uint32_t end = state; end != 0; end = shorterEnd_[end])
            found.append(ends_[end]);
    }
    if (found.size() > 1) {
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
    }
    return found;
}

std::uint32_t SubstringSearch::columnOf(char16_t unit) const {
    return unit < 128 ? asciiColumns_[unit] : otherColumns_.value(unit, 0);
}
