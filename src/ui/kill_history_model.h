#pragma once

#include "engine/storage/kill_history.h"

#include <QAbstractTableModel>
#include <QDate>
#include <vector>

// The entries of the history window: the rows of the kill history that pass the filter, newest
// first. A search or a range is one pass over compact rows, so that a keystroke stays within a
// frame with a year of entries; only the rows on screen are ever turned into text.
class KillHistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        timeColumn,
        outcomeColumn,
        processColumn,
        pidColumn,
        memoryColumn,
        messageColumn
    };
    static constexpr int columns = 6;

    explicit KillHistoryModel(QObject* parent = nullptr);

    // A moment as the history shows it: local date and time to the second.
    static QString timeText(qint64 secondsSinceEpoch);

    const KillHistory& history() const { return history_; }
    const KillHistory::Filter& filter() const { return filter_; }
    // The indices of the rows shown, newest first.
    const std::vector<quint32>& shownRows() const { return shown_; }
    // The entries shown, oldest first, as the day files hold them.
    QList<KillLogEntry> shownEntries() const;

    void addDayFiles(std::vector<KillHistory::DayFile> files);
    void follow(const QList<KillLogEntry>& entries);
    // Rows from this local day on; from the first with a date that is not valid.
    void setFromDay(QDate day);
    void setSearch(const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // Rows were read or recorded, or the filter changed.
    void shownRowsChanged();

private:
    void insertShown(const std::vector<quint32>& added, KillHistory::Tie tie);
    void refilter();

    KillHistory history_;
    QDate fromDay_;
    QString search_;
    KillHistory::Filter filter_;
    std::vector<quint32> shown_;
};
