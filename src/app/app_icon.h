#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, drawn from the SVG in the app library's resources.
QIcon appIcon();
// The icon at one size in device-independent pixels, sharp at the given pixel ratio.
QPixmap appIconPixmap(int size, qreal devicePixelRatio);
