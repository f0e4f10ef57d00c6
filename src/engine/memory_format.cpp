#include "memory_format.h"

// QString::asprintf formats in the C locale, so the decimal point stays "." everywhere.
QString formatMemoryKB(qint64 kilobytes) {
    if (kilobytes < 1024)
        return QString::number(kilobytes) + QStringLiteral(" KB");
    if (kilobytes < 1048576)
        return QString::asprintf("%.1f MB", double(kilobytes) / 1024.0);
    return QString::asprintf("%.1f GB", double(kilobytes) / 1048576.0);
}

QString memorySuffix(qint64 kilobytes) {
    if (kilobytes <= 0)
        return {};
    return QStringLiteral(" (") + formatMemoryKB(kilobytes) + QLatin1Char(')');
}
