#pragma once

#include "ui/widgets/flat_button.h"
#include "ui/widgets/plate.h"

#include <QList>

class QAbstractButton;
class QButtonGroup;

// One chosen of a group (the tabs, the scan intervals, the browser's filters, the history's
// ranges): flat buttons in a row, in one exclusive QButtonGroup, so each is announced as checked
// or not and the arrow keys move the choice. The chosen one is filled with the accent colour.
// The row sits on a plate of its own, transparent unless a colour is given.
class SegmentedControl : public Plate {
    Q_OBJECT
public:
    // `look`: the font, corners and padding of every segment, and the colours of those not chosen.
    explicit SegmentedControl(const FlatButtonLook& look, QWidget* parent = nullptr,
                              const QColor& plateColor = Qt::transparent, qreal plateRadius = 0);

    // A segment at the end of the row; `id` is what clicked() and chosenId() tell.
    FlatButton* addSegment(int id, const QString& title);
    void choose(int id);
    int chosenId() const;
    FlatButton* segment(int id) const;
    QList<FlatButton*> segments() const;
    // One Tab stop for the whole group, at the chosen segment; the arrow keys reach the others.
    void setSingleTabStop();

Q_SIGNALS:
    void clicked(int id);

private:
    void restyle(QAbstractButton* button, bool isChosen);

    QButtonGroup* group_;
    FlatButtonLook look_;
    bool isSingleTabStop_ = false;
};

// The look of the segments of a choice (an interval, a filter, a range): grey on a dark plate.
FlatButtonLook choiceLook(const QFont& font);
