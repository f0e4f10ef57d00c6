#include "ui/kill_history_model.h"

#include "ui/localized_text.h"
#include "ui/theme.h"

#include <QDateTime>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace {
// The outcome marks as pictures, drawn once: laying out a colour emoji as text reads its picture
// again for every cell painted, a cost a long list pays on every scroll and keystroke.
const QPixmap& outcomeMark(bool success) {
    const auto draw = [](const QString& mark) {
        constexpr int size = 18;
        const qreal ratio = qApp->devicePixelRatio();
        QPixmap picture(QSize(size, size) * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setFont(Theme::emojiFont(12));
        painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, mark);
        return picture;
    };
    static const QPixmap ended = draw(QStringLiteral("\u2705"));
    static const QPixmap failed = draw(QStringLiteral("\u26A0\uFE0F"));
    return success ? ended : failed;
}
} // namespace

KillHistoryModel::KillHistoryModel(QObject* parent)
    : QAbstractTableModel(parent), filter_(history_, fromDay_, search_) {}

QString KillHistoryModel::timeText(qint64 secondsSinceEpoch) {
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toString(u"yyyy-MM-dd HH:mm:ss");
}

QList<KillLogEntry> KillHistoryModel::shownEntries() const {
    QList<KillLogEntry> entries;
    entries.reserve(qsizetype(shown_.size()));
    for (auto index = shown_.crbegin(); index != shown_.crend(); ++index)
        entries.append(history_.entry(*index));
    return entries;
}

void KillHistoryModel::addDayFiles(std::vector<KillHistory::DayFile> files) {
    // Each file on its own: the days of two files may overlap.
    for (KillHistory::DayFile& file : files)
        insertShown(history_.add(std::move(file)), KillHistory::Tie::after);
    Q_EMIT shownRowsChanged();
}

void KillHistoryModel::follow(const QList<KillLogEntry>& entries) {
    insertShown(history_.follow(entries), KillHistory::Tie::before);
    Q_EMIT shownRowsChanged();
}

void KillHistoryModel::setFromDay(QDate day) {
    fromDay_ = day;
    refilter();
}

void KillHistoryModel::setSearch(const QString& text) {
    search_ = text;
    refilter();
}

void KillHistoryModel::insertShown(const std::vector<quint32>& added, KillHistory::Tie tie) {
    std::vector<quint32> accepted;
    std::copy_if(added.begin(), added.end(), std::back_inserter(accepted),
                 [this](quint32 index) { return filter_.accepts(history_.row(index)); });
    history_.merge(
        shown_, accepted, tie,
        [this](qsizetype place, qsizetype count) {
            beginInsertRows(QModelIndex(), int(place), int(place + count - 1));
        },
        [this] { endInsertRows(); });
}

void KillHistoryModel::refilter() {
    beginResetModel();
    filter_ = KillHistory::Filter(history_, fromDay_, search_);
    history_.shown(filter_, shown_);
    endResetModel();
    Q_EMIT shownRowsChanged();
}

int KillHistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

int KillHistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant KillHistoryModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const KillHistory::Row& row = history_.row(shown_[size_t(index.row())]);
    const auto column = Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (column) {
        case timeColumn:
            return timeText(row.seconds);
        case outcomeColumn:
            if (role == Qt::AccessibleTextRole)
                return localizedText(row.success ? "a11y_kill_ok" : "a11y_kill_failed");
            return {};
        case processColumn:
            return history_.processName(row);
        case pidColumn:
            return row.pid;
        case memoryColumn:
            return history_.memoryFigure(row);
        case messageColumn:
            return history_.outcomeText(row);
        }
        return {};
    case Qt::DecorationRole:
        return column == outcomeColumn ? outcomeMark(row.success) : QVariant();
    case Qt::ToolTipRole:
        return column == messageColumn || column == outcomeColumn ? history_.message(row)
                                                                  : QVariant();
    case Qt::TextAlignmentRole:
        if (column == outcomeColumn)
            return int(Qt::AlignCenter);
        if (column == pidColumn || column == memoryColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
        if (column == timeColumn || column == pidColumn || column == memoryColumn)
            return Theme::monospacedFont(11);
        return Theme::systemFont(12, column == processColumn ? QFont::Medium : QFont::Normal);
    case Qt::ForegroundRole:
        if (column == processColumn)
            return Theme::textPrimary;
        return column == messageColumn ? Theme::logMessage : Theme::textSecondary;
    default:
        return {};
    }
}

QVariant KillHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static constexpr const char* keys[columns] = {"history_time",    "history_outcome",
                                                  "history_process", "history_pid",
                                                  "history_memory",  "history_message"};
    if (orientation != Qt::Horizontal || section < 0 || section >= columns)
        return {};
    // The marks' column is too narrow for its title: it is spoken and shown as a tip.
    const bool isMarks = section == outcomeColumn;
    if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole ||
        (role == Qt::DisplayRole && !isMarks))
        return localizedText(keys[section]);
    return {};
}
