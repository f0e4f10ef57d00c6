#pragma once

#include <QLoggingCategory>

// The engine's diagnostics, on standard error: what went wrong where no user-facing line says it.
// Standard output carries only the program's documented lines (console_line.h).
Q_DECLARE_LOGGING_CATEGORY(engineLog)
