#pragma once

#include "engine/base/result.h"
#include "engine/matching/search_folding.h"
#include "engine/storage/kill_log_entry.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <algorithm>
#include <optional>
#include <vector>

// The attempts on one process name among the rows shown.
struct ProcessTotals {
    QString processName;
    int attempts = 0;
    int ended = 0;
    int failed = 0;
    qint64 lastSeenSeconds = 0;
};

// Attempts per local day, the first count being that of `first`.
struct DailyAttempts {
    QDate first;
    QList<int> counts;
};

// What a set of rows adds up to: per process name, most attempts first, and per day.
struct HistorySummary {
    QList<ProcessTotals> totals;
    DailyAttempts days;
};

// The kill log of every day file, held compactly for browsing a year of it: each process name
// and text once, one small row per entry (its id apart, as only an export and the check for
// doubles look at it), and the rows' order, newest first.
class KillHistory {
public:
    struct Row {
        // Since 1970 in UTC, in whole seconds as the day files keep them.
        qint64 seconds = 0;
        // The local date, as a Julian day.
        qint32 day = 0;
        qint32 pid = 0;
        quint32 name = 0;
        // The message is its outcome text and the memory figure after it (" (1.5 MB)", or
        // nothing), each kept once in the table of texts.
        quint32 outcome = 0;
        quint32 memory = 0;
        bool success = false;
    };

    struct IdentifiedRow {
        QUuid id;
        Row row;
    };

    // One day file's entries as rows, newest first, with tables of texts of their own: made on
    // the reading thread, taken into the history on the main one.
    struct DayFile {
        QString fileName;
        // Unreadable, or not an array of log entries; it has no rows.
        bool isDamaged = false;
        std::vector<IdentifiedRow> rows;
        QStringList names;
        QStringList texts;
    };
    static DayFile dayFileOf(QString fileName, const Result<QList<KillLogEntry>>& entries);

    // Where a run of rows goes among rows of the same second: a day file read later holds older
    // entries, so its rows go after; entries just recorded go before.
    enum class Tie { after, before };

    // Which rows are shown: those from a local day on whose process name holds a search text,
    // ignoring case. Names the history learns later are judged when first asked about.
    class Filter {
    public:
        Filter(const KillHistory& history, QDate fromDay, const QString& search);
        bool accepts(const Row& row) const { return row.day >= fromDay_ && acceptsName(row.name); }
        bool acceptsName(quint32 name) const;
        qint32 fromDay() const { return fromDay_; }
        bool acceptsAll() const;

    private:
        const KillHistory* history_;
        qint32 fromDay_;
        QString needle_;
        mutable std::vector<char> nameMatches_;
    };

    // The empty text is the first, for messages without a memory figure.
    explicit KillHistory(const SearchFolding& folding = SearchFolding());

    // Adds a day file's rows but those of entries followed already; returns the indices of the
    // rows added, newest first.
    std::vector<quint32> add(DayFile file);
    // Adds entries just recorded but those read or followed already; returns the indices of the
    // rows added, newest first.
    std::vector<quint32> follow(const QList<KillLogEntry>& entries);

    const Row& row(quint32 index) const { return rows_[index]; }
    // Every row's index, newest first.
    const std::vector<quint32>& newestFirst() const { return order_; }
    int dayFileCount() const { return dayFileCount_; }
    const QStringList& damagedFiles() const { return damagedFiles_; }

    const QString& processName(const Row& row) const { return names_[row.name]; }
    const QString& outcomeText(const Row& row) const { return texts_[row.outcome]; }
    // "1.5 MB"; empty when the message names no memory.
    QString memoryFigure(const Row& row) const;
    QString message(const Row& row) const { return texts_[row.outcome] + texts_[row.memory]; }
    KillLogEntry entry(quint32 index) const;

    // The rows the filter accepts, newest first, in place of those in `rows`.
    void shown(const Filter& filter, std::vector<quint32>& rows) const;
    // What the rows the filter accepts add up to. The days run from the filter's first (or the
    // earliest day of a row it accepts) to `last`; rows of later days count in the totals only.
    HistorySummary summary(const Filter& filter, QDate last) const;

    // Merges rows (newest first) into an order of rows (newest first). Each run of rows that
    // goes in at one place is announced before, `inserting(position, count)`, and after,
    // `inserted()`.
    template <class Inserting, class Inserted>
    void merge(std::vector<quint32>& order, const std::vector<quint32>& added, Tie tie,
               Inserting&& inserting, Inserted&& inserted) const;

private:
    // Texts by index, each kept once.
    class TextTable {
    public:
        quint32 idOf(const QString& text);
        const QString& operator[](quint32 id) const { return texts_[id]; }
        const QStringList& texts() const { return texts_; }

    private:
        QHash<QString, quint32> ids_;
        QStringList texts_;
    };

    static std::vector<IdentifiedRow> rowsOf(const QList<KillLogEntry>& entries, TextTable& names,
                                             TextTable& texts);
    std::vector<quint32> take(std::vector<IdentifiedRow> rows, const QStringList& names,
                              const QStringList& texts, Tie tie);
    bool isRead(const IdentifiedRow& row) const;

    // The attempts on one process name on one day: a summary adds these up, not the rows.
    struct DayTotals {
        int attempts = 0;
        int ended = 0;
        qint64 lastSeenSeconds = 0;
    };

    SearchFolding folding_;
    std::vector<Row> rows_;
    std::vector<QUuid> ids_;
    std::vector<quint32> order_;
    TextTable names_;
    QStringList foldedNames_;
    // By process name, then by day.
    std::vector<QMap<qint32, DayTotals>> daysByName_;
    TextTable texts_;
    QSet<QUuid> followedIds_;
    int dayFileCount_ = 0;
    QStringList damagedFiles_;
};

template <class Inserting, class Inserted>
void KillHistory::merge(std::vector<quint32>& order, const std::vector<quint32>& added, Tie tie,
                        Inserting&& inserting, Inserted&& inserted) const {
    // Where each goes in the order as it is: never before the one added ahead of it.
    std::vector<qsizetype> places(added.size());
    for (size_t i = 0; i < added.size(); ++i) {
        const qint64 seconds = rows_[added[i]].seconds;
        const auto isAhead = [&](quint32 index) {
            return tie == Tie::after ? rows_[index].seconds >= seconds
                                     : rows_[index].seconds > seconds;
        };
        places[i] = std::partition_point(order.begin(), order.end(), isAhead) - order.begin();
    }
    // The last run first, so that the places of the runs before it still hold.
    for (size_t end = added.size(); end > 0;) {
        size_t begin = end - 1;
        while (begin > 0 && places[begin - 1] == places[end - 1])
            --begin;
        const qsizetype place = places[begin];
        inserting(place, qsizetype(end - begin));
        order.insert(order.begin() + place, added.begin() + qsizetype(begin),
                     added.begin() + qsizetype(end));
        inserted();
        end = begin;
    }
}
