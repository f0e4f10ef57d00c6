#pragma once

#include <QString>

// The one text form of a size in kilobytes: "512 KB", "1.5 MB", "3.0 GB".
QString formatMemoryKB(qint64 kilobytes);

// " (1.5 MB)" after a kill message; empty for 0 or less.
QString memorySuffix(qint64 kilobytes);
