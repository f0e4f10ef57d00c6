#include "ui/widgets/segmented_control.h"

#include "ui/theme.h"

#include <QButtonGroup>
#include <QHBoxLayout>

FlatButtonLook choiceLook(const QFont& font) {
    FlatButtonLook look;
    look.background = Theme::surface;
    look.text = Theme::textSecondary;
    look.font = font;
    look.cornerRadius = 4;
    return look;
}

SegmentedControl::SegmentedControl(const FlatButtonLook& look, QWidget* parent,
                                   const QColor& plateColor, qreal plateRadius)
    : Plate(plateColor, plateRadius, parent), group_(new QButtonGroup(this)), look_(look) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    connect(group_, &QButtonGroup::buttonToggled, this,
            [this](QAbstractButton* button, bool isChosen) { restyle(button, isChosen); });
    connect(group_, &QButtonGroup::idClicked, this, &SegmentedControl::clicked);
}

FlatButton* SegmentedControl::addSegment(int id, const QString& title) {
    auto* button = new FlatButton(this);
    button->setText(title);
    button->setCheckable(true);
    group_->addButton(button, id);
    layout()->addWidget(button);
    restyle(button, false);
    return button;
}

void SegmentedControl::choose(int id) {
    if (QAbstractButton* button = group_->button(id))
        button->setChecked(true);
}

int SegmentedControl::chosenId() const {
    return group_->checkedId();
}

FlatButton* SegmentedControl::segment(int id) const {
    return static_cast<FlatButton*>(group_->button(id));
}

QList<FlatButton*> SegmentedControl::segments() const {
    QList<FlatButton*> buttons;
    for (QAbstractButton* button : group_->buttons())
        buttons.append(static_cast<FlatButton*>(button));
    return buttons;
}

void SegmentedControl::setSingleTabStop() {
    isSingleTabStop_ = true;
    for (QAbstractButton* button : group_->buttons())
        restyle(button, button->isChecked());
}

void SegmentedControl::restyle(QAbstractButton* button, bool isChosen) {
    FlatButtonLook look = look_;
    if (isChosen) {
        look.background = Theme::accent;
        look.text = Qt::white;
    }
    static_cast<FlatButton*>(button)->setLook(button->text(), look);
    if (isSingleTabStop_)
        button->setFocusPolicy(isChosen ? Qt::TabFocus : Qt::NoFocus);
}
