#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window's frame goes on a screen: centred in the available area (the screen less its
// panels), moved in until it fits; one larger than the area puts its top-left corner, and with it
// the title bar, at the area's top-left corner.
QPoint placedTopLeft(const QSize& frameSize, const QRect& available);
