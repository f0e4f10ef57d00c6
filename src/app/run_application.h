#pragma once

class QApplication;

// The program's names, set before its application object exists: settings, runtime files and
// the desktop entry are found by them.
void nameApplication();

// Everything the program does once its application object exists: one instance per user, an
// orderly end on signals, the window, and the event loop until the last window closes.
int runApplication(QApplication& app);
