#pragma once

#include <QPalette>

// The one dark look of the program for the Fusion style: every colour role, in every group.
QPalette darkPalette();
