#pragma once

#include <QLoggingCategory>

// The application shell's diagnostics, on standard error, beside the engine's.
Q_DECLARE_LOGGING_CATEGORY(appLog)
