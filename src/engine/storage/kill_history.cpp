#include "engine/storage/kill_history.h"

#include "engine/i18n/memory_format.h"

#include <QDateTime>
#include <limits>

namespace {
// The local dates of moments, with one look at the time zone per local day, not per moment: a
// day file's entries mostly fall on one day.
class LocalDays {
public:
    qint32 dayOf(qint64 seconds) {
        if (seconds < start_ || seconds >= end_) {
            const QDate date = QDateTime::fromSecsSinceEpoch(seconds).date();
            day_ = qint32(date.toJulianDay());
            start_ = date.startOfDay().toSecsSinceEpoch();
            end_ = date.addDays(1).startOfDay().toSecsSinceEpoch();
        }
        return day_;
    }

private:
    qint64 start_ = 0;
    qint64 end_ = 0;
    qint32 day_ = 0;
};

// Rows sorted newest first; those of one second keep their order.
void sortNewestFirst(std::vector<KillHistory::IdentifiedRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.row.seconds > b.row.seconds; });
}
} // namespace

quint32 KillHistory::TextTable::idOf(const QString& text) {
    const auto found = ids_.constFind(text);
    if (found != ids_.cend())
        return *found;
    const auto id = quint32(texts_.size());
    ids_.insert(text, id);
    texts_.append(text);
    return id;
}

std::vector<KillHistory::IdentifiedRow> KillHistory::rowsOf(const QList<KillLogEntry>& entries,
                                                            TextTable& names, TextTable& texts) {
    std::vector<IdentifiedRow> rows;
    rows.reserve(size_t(entries.size()));
    LocalDays localDays;
    for (const KillLogEntry& entry : entries) {
        const qsizetype split = memorySuffixStart(entry.message);
        Row row;
        row.seconds = entry.timestamp.toSecsSinceEpoch();
        row.day = localDays.dayOf(row.seconds);
        row.pid = entry.pid;
        row.name = names.idOf(entry.processName);
        row.outcome = texts.idOf(entry.message.first(split));
        row.memory = texts.idOf(entry.message.sliced(split));
        row.success = entry.success;
        rows.push_back({entry.id, row});
    }
    return rows;
}

KillHistory::DayFile KillHistory::dayFileOf(QString fileName,
                                            const Result<QList<KillLogEntry>>& entries) {
    DayFile file;
    file.fileName = std::move(fileName);
    file.isDamaged = !entries;
    if (!entries)
        return file;
    TextTable names;
    TextTable texts;
    file.rows = rowsOf(*entries, names, texts);
    // A day file holds its batches oldest first: backwards, later entries of a second go first.
    std::reverse(file.rows.begin(), file.rows.end());
    sortNewestFirst(file.rows);
    file.names = names.texts();
    file.texts = texts.texts();
    return file;
}

KillHistory::Filter::Filter(const KillHistory& history, QDate fromDay, const QString& search)
    : history_(&history), fromDay_(fromDay.isValid() ? qint32(fromDay.toJulianDay())
                                                     : std::numeric_limits<qint32>::min()),
      needle_(history.folding_.fold(search)) {}

bool KillHistory::Filter::acceptsAll() const {
    return fromDay_ == std::numeric_limits<qint32>::min() && needle_.isEmpty();
}

bool KillHistory::Filter::acceptsName(quint32 name) const {
    if (needle_.isEmpty())
        return true;
    for (auto known = qsizetype(nameMatches_.size()); known <= qsizetype(name); ++known)
        nameMatches_.push_back(history_->foldedNames_[known].contains(needle_));
    return nameMatches_[name];
}

KillHistory::KillHistory(const SearchFolding& folding) : folding_(folding) {
    texts_.idOf(QString());
}

std::vector<quint32> KillHistory::add(DayFile file) {
    ++dayFileCount_;
    if (file.isDamaged)
        damagedFiles_.append(file.fileName);
    std::erase_if(file.rows,
                  [this](const IdentifiedRow& row) { return followedIds_.contains(row.id); });
    return take(std::move(file.rows), file.names, file.texts, Tie::after);
}

std::vector<quint32> KillHistory::follow(const QList<KillLogEntry>& entries) {
    TextTable names;
    TextTable texts;
    std::vector<IdentifiedRow> rows = rowsOf(entries, names, texts);
    std::erase_if(rows, [this](const IdentifiedRow& row) {
        const bool isKnown = followedIds_.contains(row.id) || isRead(row);
        followedIds_.insert(row.id);
        return isKnown;
    });
    sortNewestFirst(rows);
    return take(std::move(rows), names.texts(), texts.texts(), Tie::before);
}

std::vector<quint32> KillHistory::take(std::vector<IdentifiedRow> rows, const QStringList& names,
                                       const QStringList& texts, Tie tie) {
    std::vector<quint32> nameIds;
    for (const QString& name : names)
        nameIds.push_back(names_.idOf(name));
    std::vector<quint32> textIds;
    for (const QString& text : texts)
        textIds.push_back(texts_.idOf(text));
    for (qsizetype i = foldedNames_.size(); i < names_.texts().size(); ++i)
        foldedNames_.append(folding_.fold(names_.texts()[i]));
    daysByName_.resize(size_t(names_.texts().size()));

    std::vector<quint32> added;
    added.reserve(rows.size());
    for (auto& [id, row] : rows) {
        row.name = nameIds[row.name];
        row.outcome = textIds[row.outcome];
        row.memory = textIds[row.memory];
        added.push_back(quint32(rows_.size()));
        rows_.push_back(row);
        ids_.push_back(id);
        DayTotals& day = daysByName_[row.name][row.day];
        ++day.attempts;
        day.ended += row.success ? 1 : 0;
        day.lastSeenSeconds = std::max(day.lastSeenSeconds, row.seconds);
    }
    merge(
        order_, added, tie, [](qsizetype, qsizetype) {}, [] {});
    return added;
}

// A row of a day file with the same id and second.
bool KillHistory::isRead(const IdentifiedRow& row) const {
    const qint64 seconds = row.row.seconds;
    auto at = std::partition_point(order_.begin(), order_.end(),
                                   [&](quint32 index) { return rows_[index].seconds > seconds; });
    for (; at != order_.end() && rows_[*at].seconds == seconds; ++at) {
        if (ids_[*at] == row.id)
            return true;
    }
    return false;
}

QString KillHistory::memoryFigure(const Row& row) const {
    const QString& suffix = texts_[row.memory];
    // " (1.5 MB)" without the space and the brackets.
    return suffix.isEmpty() ? QString() : suffix.sliced(2).chopped(1);
}

KillLogEntry KillHistory::entry(quint32 index) const {
    const Row& row = rows_[index];
    return {ids_[index],      QDateTime::fromSecsSinceEpoch(row.seconds, Qt::UTC),
            processName(row), row.pid,
            row.success,      message(row)};
}

// Into a list that keeps its room: a keystroke then neither frees nor maps memory.
void KillHistory::shown(const Filter& filter, std::vector<quint32>& rows) const {
    if (filter.acceptsAll()) {
        rows.assign(order_.cbegin(), order_.cend());
        return;
    }
    rows.clear();
    for (quint32 index : order_) {
        if (filter.accepts(rows_[index]))
            rows.push_back(index);
    }
}

// The days are counted back from the last, as the earliest is not known before the end.
HistorySummary KillHistory::summary(const Filter& filter, QDate last) const {
    const qint64 lastDay = last.toJulianDay();
    const bool isOpenEnded = filter.fromDay() == std::numeric_limits<qint32>::min();
    QList<int> daysBack(isOpenEnded ? 1 : std::max<qint64>(0, lastDay - filter.fromDay() + 1));
    HistorySummary summary;
    for (quint32 name = 0; name < daysByName_.size(); ++name) {
        if (!filter.acceptsName(name))
            continue;
        ProcessTotals totals;
        const QMap<qint32, DayTotals>& days = daysByName_[name];
        for (auto day = days.lowerBound(filter.fromDay()); day != days.cend(); ++day) {
            totals.attempts += day->attempts;
            totals.ended += day->ended;
            totals.lastSeenSeconds = std::max(totals.lastSeenSeconds, day->lastSeenSeconds);
            const qint64 back = lastDay - day.key();
            if (back < 0)
                continue;
            if (back >= daysBack.size())
                daysBack.resize(back + 1);
            daysBack[back] += day->attempts;
        }
        if (totals.attempts == 0)
            continue;
        totals.processName = names_[name];
        totals.failed = totals.attempts - totals.ended;
        summary.totals.append(std::move(totals));
    }
    std::sort(summary.totals.begin(), summary.totals.end(),
              [](const ProcessTotals& a, const ProcessTotals& b) {
                  return a.attempts != b.attempts ? a.attempts > b.attempts
                                                  : a.processName < b.processName;
              });
    std::reverse(daysBack.begin(), daysBack.end());
    summary.days = {last.addDays(1 - daysBack.size()), std::move(daysBack)};
    return summary;
}
