#pragma once

#include <QIcon>

// The side of the gear in points.
constexpr int gearIconSize = 16;

// The settings gear, drawn in the tertiary text grey.
QIcon gearIcon();
