#include "engine/i18n/memory_format.h"

#include <algorithm>

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

qsizetype memorySuffixStart(QStringView text) {
    const qsizetype none = text.size();
    const qsizetype start = text.lastIndexOf(u" (");
    if (start < 0 || !text.endsWith(u')'))
        return none;
    // "1023 KB", "1.5 MB", "3.0 GB": digits, a tenth for the larger units, the unit.
    const QStringView figure = text.sliced(start + 2).chopped(1);
    const bool isKB = figure.endsWith(u" KB");
    if (!isKB && !figure.endsWith(u" MB") && !figure.endsWith(u" GB"))
        return none;
    const QStringView number = figure.chopped(3);
    const qsizetype point = isKB ? number.size() : number.size() - 2;
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (point < 1 || !std::all_of(number.begin(), number.begin() + point, isDigit))
        return none;
    if (!isKB && (number[point] != u'.' || !isDigit(number.back())))
        return none;
    return start;
}
