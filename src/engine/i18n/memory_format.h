#pragma once

#include <QString>

// The one text form of a size in kilobytes: "512 KB", "1.5 MB", "3.0 GB".
QString formatMemoryKB(qint64 kilobytes);

// " (1.5 MB)" after a kill message; empty for 0 or less.
QString memorySuffix(qint64 kilobytes);

// Where the memory figure that memorySuffix added to a text begins; the text's size when it
// ends in none.
qsizetype memorySuffixStart(QStringView text);
