#pragma once

#include <QLabel>

// The muted text a pane shows while its table is empty: centred across the pane, 10 px below
// its middle, drawn over the table and letting clicks through to it.
class EmptyStateLabel : public QLabel {
    Q_OBJECT
public:
    EmptyStateLabel(const QString& text, int pixelSize, QWidget* pane);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeInPane();
};
