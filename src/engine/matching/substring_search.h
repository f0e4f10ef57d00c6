#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

// Which of many needles occur in a text, found in one pass over the text (Aho-Corasick over
// UTF-16 code units, so the answer is that of QString::contains for each needle).
class SubstringSearch {
public:
    // An empty needle is never found.
    explicit SubstringSearch(const QList<QString>& needles);

    // Positions in the needle list of those the text contains, ascending.
    QList<qsizetype> find(QStringView text) const;

private:
    // Beyond this many table cells (an odd watch list of long texts in many scripts), each
    // needle is looked for on its own instead.
    static constexpr qsizetype maxCells = qsizetype(1) << 22;

    QList<QString> needles_;
    bool isAutomaton_ = false;
    // Code unit -> column of the table; 0 for a code unit no needle holds.
    std::uint32_t columnOf(char16_t unit) const;
    std::uint32_t asciiColumns_[128] = {};
    QHash<char16_t, std::uint32_t> otherColumns_;
    std::uint32_t columns_ = 0;
    // The automaton: next state per state and column.
    std::vector<std::uint32_t> next_;
    // Needles ending in each state, and the nearest shorter state where one ends (0: none).
    std::vector<QList<qsizetype>> ends_;
    std::vector<std::uint32_t> shorterEnd_;
};
