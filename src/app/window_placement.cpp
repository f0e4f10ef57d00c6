#include "app/window_placement.h"

#include <algorithm>

QPoint placedTopLeft(const QSize& frameSize, const QRect& available) {
    QRect frame(QPoint(), frameSize);
    frame.moveCenter(available.center());
    const int x =
        std::max(available.left(),
                 std::min(frame.left(), available.left() + available.width() - frameSize.width()));
    const int y =
        std::max(available.top(),
                 std::min(frame.top(), available.top() + available.height() - frameSize.height()));
    return {x, y};
}
