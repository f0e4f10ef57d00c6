#pragma once

class RowTable;

// Row heights of the three tables.
namespace RowHeights {
constexpr int targets = 40;
constexpr int browse = 34;
constexpr int log = 30;
} // namespace RowHeights

// Rows keep this distance from the pane's left and right edges, as inset tables do.
constexpr int tableSideInset = 10;

// The set-up the three tables share: transparent, frameless, a vertical scroll bar only when
// the rows need it, never a horizontal one.
void configureTable(RowTable& table);
