#pragma once

#include <QIcon>

// The settings gear, drawn in the tertiary text grey.
QIcon gearIcon();
