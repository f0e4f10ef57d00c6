#pragma once

class QColor;
class QWidget;

// Looks shared by the row views.
namespace RowStyle {

// Fixes the row's colour roles, so that its labels draw in their WindowText colour even inside
// a scroll area's viewport, whose Base role would turn them to Text.
void setUpRow(QWidget* row);
// The rounded dark plate behind a watch-list or process row, ringed while the keyboard is on it.
void paintRow(QWidget* row);
void setTextColor(QWidget* label, const QColor& color);

} // namespace RowStyle
