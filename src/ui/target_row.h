#pragma once

#include "engine/matching/target_process.h"

#include <QWidget>
#include <functional>

class BadgeLabel;
class ElidingLabel;
class GlyphButton;
class QLabel;
class ToggleSwitch;

// One row of the watch list: gear, name, match-mode badge, on/off switch and delete cross.
class TargetCellView : public QWidget {
    Q_OBJECT
public:
    explicit TargetCellView(const QString& identifier, QWidget* parent = nullptr);

    void configure(const TargetProcess& target);

    // Set anew by the owner for every row it hands out; unset means a press does nothing.
    std::function<void()> onToggle;
    std::function<void()> onDelete;

    void didToggle();
    void didDelete();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutSubviews();

    QLabel* iconLabel_;
    ElidingLabel* nameLabel_;
    BadgeLabel* modeLabel_;
    ToggleSwitch* toggle_;
    GlyphButton* deleteBtn_;
};
