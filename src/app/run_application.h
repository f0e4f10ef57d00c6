#pragma once

class QApplication;
class SingleInstance;

// The program's names, set before its application object exists: settings, runtime files and
// the desktop entry are found by them.
void nameApplication();

// Everything the one instance does once its application object exists: room for the
// descriptors it may need, an orderly end on signals, the window, answers to later starts and
// their commands, and the event loop until the last window closes.
int runApplication(QApplication& app, SingleInstance& instance, bool startsMonitoring);
