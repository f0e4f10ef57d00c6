#pragma once

#include <QColor>
#include <QFont>

class QLabel;

// Font and text colour of a plain, non-selectable label.
void styleLabel(QLabel& label, const QFont& font, const QColor& color);
