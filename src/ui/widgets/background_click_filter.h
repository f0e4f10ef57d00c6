#pragma once

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

// Ends editing of the input field when the user clicks on the window's background: empty
// space, a label, a row, a table. Clicks on a control or inside the input box are left alone.
class BackgroundClickFilter : public QObject {
    Q_OBJECT
public:
    BackgroundClickFilter(QWidget* root, QLineEdit* inputField, QWidget* inputBox);
    ~BackgroundClickFilter() override;

    // Whether a click that lands on hit ends editing.
    bool isBackground(const QWidget* hit) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> root_;
    QPointer<QLineEdit> inputField_;
    QPointer<QWidget> inputBox_;
};
