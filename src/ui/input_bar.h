#pragma once

#include <QWidget>

class FlatButton;
class Plate;
class QLabel;
class QLineEdit;

// The band under the header: the input box with the shared name/search field and the process
// count, then either the watch-list group (match mode, add) or the browser's filter group.
class InputBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int bandHeight = 42;

    explicit InputBar(QWidget* parent = nullptr);

    Plate* inputBox() const { return inputBox_; }
    QLineEdit* inputField() const { return inputField_; }
    QLabel* procCountLabel() const { return procCountLabel_; }
    QWidget* rightTargetsGroup() const { return rightTargetsGroup_; }
    QWidget* rightBrowseGroup() const { return rightBrowseGroup_; }
    FlatButton* matchModeBtn() const { return matchModeBtn_; }
    FlatButton* addBtn() const { return addBtn_; }

    // The field's grey hint, in the tertiary text colour.
    void setPlaceholder(const QString& text);

private:
    Plate* inputBox_;
    QLineEdit* inputField_;
    QLabel* procCountLabel_;
    QWidget* rightTargetsGroup_;
    QWidget* rightBrowseGroup_;
    FlatButton* matchModeBtn_;
    FlatButton* addBtn_;
};

// "~Fuzzy" in orange or "=Exact" in blue, on a faint plate of the same colour.
void styleMatchModeButton(FlatButton& button, bool fuzzy);
