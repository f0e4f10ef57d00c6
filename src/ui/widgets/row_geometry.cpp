#include "ui/widgets/row_geometry.h"

#include <QWidget>
#include <algorithm>

namespace RowGeometry {

void place(QWidget* child, int x, int width, int rowHeight) {
    place(child, x, width, child->sizeHint().height(), rowHeight);
}

void place(QWidget* child, int x, int width, int height, int rowHeight) {
    child->setGeometry(x, (rowHeight - height) / 2, std::max(0, width), height);
}

int preferredWidth(const QWidget* child) {
    return child->sizeHint().width();
}

} // namespace RowGeometry
