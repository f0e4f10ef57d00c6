#pragma once

#include <QWidget>

class FlatButton;
class Plate;
class QLabel;
class SegmentedControl;

// The band at the top: status dot and text, the two tabs, and the start/stop button.
class HeaderBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int bandHeight = 44;

    enum Tab { targetsTab, browseTab };

    explicit HeaderBar(QWidget* parent = nullptr);

    FlatButton* targetsTabBtn() const;
    FlatButton* browseTabBtn() const;
    FlatButton* toggleBtn() const { return toggleBtn_; }

    void chooseTab(Tab tab);

    // The "off" look when isMonitoring is false, otherwise the "on" look with its status text.
    void showMonitoringState(bool isMonitoring, const QString& statusText);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Plate* statusDot_;
    QLabel* statusLabel_;
    SegmentedControl* tabs_;
    FlatButton* toggleBtn_;
};
