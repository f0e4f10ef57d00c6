#pragma once

#include <QList>
#include <QWidget>

class FlatButton;
class MenuButton;
class QLabel;
class SegmentedControl;

// The band at the bottom: the scan interval choice, the two log actions and the gear.
class FooterBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int bandHeight = 40;
    // The choosable scan intervals in seconds, in display order.
    static const QList<int>& intervals();

    explicit FooterBar(int selectedInterval, QWidget* parent = nullptr);

    // One button per entry of intervals(), in the same order.
    QList<FlatButton*> intervalBtns() const;
    FlatButton* exportLogBtn() const { return exportLogBtn_; }
    FlatButton* clearLogBtn() const { return clearLogBtn_; }
    MenuButton* settingsBtn() const { return settingsBtn_; }

    // Marks the button of this interval, and only it, as selected.
    void selectInterval(int seconds);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* caption_;
    SegmentedControl* intervals_;
    FlatButton* exportLogBtn_;
    FlatButton* clearLogBtn_;
    MenuButton* settingsBtn_;
};
