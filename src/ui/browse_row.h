#pragma once

#include "engine/process/user_process.h"

#include <QWidget>

class ElidingLabel;
class GlyphButton;
class QLabel;
class Plate;

// One row of the process browser: origin badge, name, the session mark, memory, PID and the add
// button.
class BrowseRow : public QWidget {
    Q_OBJECT
public:
    explicit BrowseRow(const QString& identifier, QWidget* parent = nullptr);

    // isAdded: the watch list already holds an entry of this name.
    void setProcess(const UserProcess& process, bool isAdded);

Q_SIGNALS:
    // For the process the row shows now: rows are reused as the list scrolls.
    void addClicked(const QString& name, bool isAdded);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutContents();

    QString name_;
    bool isAdded_ = false;
    Plate* badgeContainer_;
    QLabel* originBadge_;
    ElidingLabel* nameLabel_;
    // Shown for the session's own processes, which are never ended.
    QLabel* sessionMark_;
    QLabel* memLabel_;
    QLabel* pidLabel_;
    GlyphButton* addBtn_;
};
