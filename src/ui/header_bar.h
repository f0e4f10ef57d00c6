#pragma once

#include <QWidget>

class FlatButton;
class Plate;
class QLabel;

// The band at the top: status dot and text, the two tabs, and the start/stop button.
class HeaderBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int bandHeight = 44;

    explicit HeaderBar(QWidget* parent = nullptr);

    FlatButton* targetsTabBtn() const { return targetsTabBtn_; }
    FlatButton* browseTabBtn() const { return browseTabBtn_; }
    FlatButton* toggleBtn() const { return toggleBtn_; }

    // The "off" look when isMonitoring is false, otherwise the "on" look with its status text.
    void showMonitoringState(bool isMonitoring, const QString& statusText);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Plate* statusDot_;
    QLabel* statusLabel_;
    FlatButton* targetsTabBtn_;
    FlatButton* browseTabBtn_;
    FlatButton* toggleBtn_;
};

void styleTabButton(FlatButton& button, const QString& title, bool selected);
