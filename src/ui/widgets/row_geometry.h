#pragma once

#include <QRect>

class QWidget;

// Row views place their children by hand, as fixed edges and gaps from the row's sides.
namespace RowGeometry {

// A child at x with the given width and its own preferred height, centred vertically in the row.
void place(QWidget* child, int x, int width, int rowHeight);
// The same with a fixed height.
void place(QWidget* child, int x, int width, int height, int rowHeight);
int preferredWidth(const QWidget* child);

} // namespace RowGeometry
