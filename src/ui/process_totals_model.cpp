#include "ui/process_totals_model.h"

#include "ui/kill_history_model.h"
#include "ui/localized_text.h"
#include "ui/theme.h"

ProcessTotalsModel::ProcessTotalsModel(QObject* parent) : QAbstractTableModel(parent) {}

void ProcessTotalsModel::setTotals(QList<ProcessTotals> totals) {
    beginResetModel();
    totals_ = std::move(totals);
    endResetModel();
}

int ProcessTotalsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(totals_.size());
}

int ProcessTotalsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant ProcessTotalsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ProcessTotals& totals = totals_[index.row()];
    const auto column = Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::UserRole:
        switch (column) {
        case processColumn:
            return totals.processName;
        case attemptsColumn:
            return totals.attempts;
        case endedColumn:
            return totals.ended;
        case failedColumn:
            return totals.failed;
        case lastSeenColumn:
            if (role == Qt::UserRole)
                return totals.lastSeenSeconds;
            return KillHistoryModel::timeText(totals.lastSeenSeconds);
        }
        return {};
    case Qt::TextAlignmentRole:
        return int(column == processColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        return column == processColumn ? Theme::systemFont(12, QFont::Medium)
                                       : Theme::monospacedFont(11);
    case Qt::ForegroundRole:
        if (column == failedColumn && totals.failed > 0)
            return Theme::orange;
        return column == processColumn ? Theme::textPrimary : Theme::textSecondary;
    default:
        return {};
    }
}

QVariant ProcessTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static constexpr const char* keys[columns] = {"history_process", "history_attempts",
                                                  "history_ended", "history_failed",
                                                  "history_last_seen"};
    if (orientation != Qt::Horizontal || section < 0 || section >= columns ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return localizedText(keys[section]);
}
