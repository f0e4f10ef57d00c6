#pragma once

#include <QtGlobal>

class QPainter;
class QRectF;
class QWidget;

// Whether widget shows that the focus is on it or inside it: only after the keyboard moved the
// focus; a click in the window hides the rings until the keyboard moves the focus again.
bool showsFocusRing(const QWidget& widget);

// A ring that stands out on any plate and any background: a light line along the edge with a
// dark one inside it.
void paintFocusRing(QPainter& painter, const QRectF& rect, qreal cornerRadius);
