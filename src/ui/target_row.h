#pragma once

#include "engine/matching/target_process.h"

#include <QUuid>
#include <QWidget>

class BadgeLabel;
class ElidingLabel;
class GlyphButton;
class QLabel;
class ToggleSwitch;

// One row of the watch list: gear, name, match-mode badge, on/off switch and delete cross.
class TargetRow : public QWidget {
    Q_OBJECT
public:
    explicit TargetRow(const QString& identifier, QWidget* parent = nullptr);

    void setTarget(const TargetProcess& target);

Q_SIGNALS:
    // For the entry the row shows now: rows are reused as the list scrolls.
    void toggleClicked(const QUuid& id);
    void deleteClicked(const QUuid& id);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutContents();

    QUuid targetId_;
    QLabel* iconLabel_;
    ElidingLabel* nameLabel_;
    BadgeLabel* modeLabel_;
    ToggleSwitch* toggle_;
    GlyphButton* deleteBtn_;
};
