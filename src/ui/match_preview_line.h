#pragma once

#include "ui/widgets/plate.h"

class ElidingLabel;
struct MatchPreview;

// The line under the input box that says what the typed entry would match right now. It floats
// over the top of the pane below, like a tooltip, and lets clicks through to what it covers.
class MatchPreviewLine : public Plate {
    Q_OBJECT
public:
    static constexpr int lineHeight = 20;

    explicit MatchPreviewLine(QWidget* parent = nullptr);

    QString text() const;
    void setPreview(const MatchPreview& preview);

private:
    ElidingLabel* label_;
};

// "Matches 3 running processes: a, b, c", or "Matches no running process", with the session
// processes it leaves alone.
QString matchPreviewText(const MatchPreview& preview);
