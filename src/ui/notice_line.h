#pragma once

#include "ui/widgets/plate.h"

#include <QTimer>

class ElidingLabel;
class FlatButton;
class QGraphicsOpacityEffect;
class QPropertyAnimation;

// A line over the foot of the log pane that tells what came of something the user asked for.
// It fades away after a few seconds, later while the pointer or the keyboard is on it, and goes
// at once with its ✕ or Escape. Screen readers hear it as an alert.
class NoticeLine : public Plate {
    Q_OBJECT
public:
    static constexpr int lineHeight = 28;

    explicit NoticeLine(QWidget* parent = nullptr);

    // Replaces what is shown; with an action title, a button for it stands before the ✕.
    void showNotice(const QString& text, const QString& actionTitle = {});
    void dismiss();

    QString text() const;
    FlatButton* actionBtn() const { return actionBtn_; }
    FlatButton* dismissBtn() const { return dismissBtn_; }

Q_SIGNALS:
    void actionClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void fadeUnlessInUse();

    ElidingLabel* textLabel_;
    FlatButton* actionBtn_;
    FlatButton* dismissBtn_;
    QGraphicsOpacityEffect* opacity_;
    QPropertyAnimation* fade_;
    QTimer shownTimer_;
};
