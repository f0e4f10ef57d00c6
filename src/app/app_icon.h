#pragma once

#include <QIcon>
#include <QPixmap>

class QWidget;

// The program's icon, drawn from the SVG in the app library's resources.
QIcon appIcon();
// Makes it the icon of every window once this shown window has drawn its first frame: drawing
// it at all its sizes would hold that frame up.
void setAppIconAfterFirstFrame(QWidget& window);
// The icon at one size in device-independent pixels, sharp at the given pixel ratio.
QPixmap appIconPixmap(int size, qreal devicePixelRatio);
