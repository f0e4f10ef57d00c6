#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class FlatButton;
class Plate;
class QLabel;
class QLineEdit;
class SegmentedControl;

// The band under the header: the input box with the shared name/search field and the process
// count, then either the watch-list group (match mode, add) or the browser's filter group.
class InputBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int bandHeight = 42;

    // One origin filter of the browser: its fixed caption, its identifier, and the keys of its
    // spoken name and of its tooltip (none for ALL).
    struct BrowseFilter {
        QString title;
        QString identifier;
        const char* nameKey;
        const char* tipKey;
    };
    // The browser's filters in display order: ALL, SYS, 3RD.
    static const QList<BrowseFilter>& browseFilters();

    explicit InputBar(QWidget* parent = nullptr);

    Plate* inputBox() const { return inputBox_; }
    QLineEdit* inputField() const { return inputField_; }
    QLabel* procCountLabel() const { return procCountLabel_; }
    QWidget* rightTargetsGroup() const { return rightTargetsGroup_; }
    QWidget* rightBrowseGroup() const { return rightBrowseGroup_; }
    FlatButton* matchModeBtn() const { return matchModeBtn_; }
    FlatButton* addBtn() const { return addBtn_; }
    // One button per entry of browseFilters(), in the same order, inside rightBrowseGroup.
    QList<FlatButton*> filterBtns() const;

    // Marks the filter button of this identifier, and only it, as selected.
    void selectFilter(const QString& identifier);

    // The field's grey hint, in the tertiary text colour; also the field's spoken name.
    void setPlaceholder(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Plate* inputBox_;
    QLineEdit* inputField_;
    QLabel* procCountLabel_;
    QWidget* rightTargetsGroup_;
    QWidget* rightBrowseGroup_;
    FlatButton* matchModeBtn_;
    FlatButton* addBtn_;
    SegmentedControl* filters_;
};

// "~Fuzzy" in orange or "=Exact" in blue, on a faint plate of the same colour.
void styleMatchModeButton(FlatButton& button, bool fuzzy);
