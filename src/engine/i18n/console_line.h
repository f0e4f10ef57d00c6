#pragma once

#include <QString>

// One line on standard output, flushed at once; line breaks inside become spaces so that
// the line stays one line.
void printLine(QString line);
