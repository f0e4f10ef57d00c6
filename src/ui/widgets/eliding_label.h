#pragma once

#include <QLabel>

// A one-line label that cuts its text at the tail with "…" when it is narrower than the text.
// text() keeps the whole text, and so do its tooltip and its spoken name.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    bool isElided() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
