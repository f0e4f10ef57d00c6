#pragma once

#include "engine/process/user_process.h"

#include <QWidget>
#include <functional>

class ElidingLabel;
class GlyphButton;
class QLabel;
class Plate;

// One row of the process browser: origin badge, name, the session mark, memory, PID and the add
// button.
class BrowseCellView : public QWidget {
    Q_OBJECT
public:
    explicit BrowseCellView(const QString& identifier, QWidget* parent = nullptr);

    // isAdded: the watch list already holds an entry of this name.
    void configure(const UserProcess& process, bool isAdded);

    // Set anew by the owner for every row it hands out; unset means a press does nothing.
    std::function<void()> onAdd;

    void didAdd();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutSubviews();

    Plate* badgeContainer_;
    QLabel* originBadge_;
    ElidingLabel* nameLabel_;
    // Shown for the session's own processes, which are never ended.
    QLabel* sessionMark_;
    QLabel* memLabel_;
    QLabel* pidLabel_;
    GlyphButton* addBtn_;
};
