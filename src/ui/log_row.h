#pragma once

#include "engine/storage/kill_log_entry.h"

#include <QWidget>

class ElidingLabel;
class QLabel;

// One row of the kill log: time, outcome mark, message, process name and PID.
class LogRow : public QWidget {
    Q_OBJECT
public:
    explicit LogRow(const QString& identifier, QWidget* parent = nullptr);

    void setEntry(const KillLogEntry& entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutContents();

    QLabel* timeLabel_;
    QLabel* statusLabel_;
    ElidingLabel* msgLabel_;
    ElidingLabel* nameLabel_;
    QLabel* pidLabel_;
};
