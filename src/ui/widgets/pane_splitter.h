#pragma once

#include <QSplitter>

// The two middle panes stacked on top of each other. The divider first sits at 55 % of the
// height, once; after that it stays where the user drags it, never closer than
// minimumPaneHeight to the top or the bottom.
class PaneSplitter : public QSplitter {
    Q_OBJECT
public:
    static constexpr int minimumPaneHeight = 80;
    static constexpr double initialTopShare = 0.55;

    explicit PaneSplitter(QWidget* parent = nullptr);

    void addPane(QWidget* pane);

protected:
    QSplitterHandle* createHandle() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool hasDivider_ = false;
};
