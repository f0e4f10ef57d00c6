#pragma once

#include "engine/storage/kill_history.h"

#include <QAbstractTableModel>

// The history window's totals per process name. Qt::UserRole gives each cell's value to sort by.
class ProcessTotalsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { processColumn, attemptsColumn, endedColumn, failedColumn, lastSeenColumn };
    static constexpr int columns = 5;

    explicit ProcessTotalsModel(QObject* parent = nullptr);

    void setTotals(QList<ProcessTotals> totals);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<ProcessTotals> totals_;
};
