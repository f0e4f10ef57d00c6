#pragma once

#include "engine/storage/kill_history.h"
#include "ui/widgets/plate.h"

// Bars of the attempts per day in the history window. Screen readers get the same as a text: the
// total, the days it spans and the busiest day.
class AttemptsChart : public Plate {
    Q_OBJECT
public:
    explicit AttemptsChart(QWidget* parent = nullptr);

    void setAttempts(DailyAttempts attempts);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A bar's day and count as its tip.
    bool event(QEvent* event) override;

private:
    QRectF plotArea() const;
    QString dayText(qsizetype day) const;
    QString summary() const;

    DailyAttempts attempts_;
    int total_ = 0;
    int most_ = 0;
};
