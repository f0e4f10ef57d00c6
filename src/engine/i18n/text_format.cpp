#include "engine/i18n/text_format.h"

#include <QList>
#include <variant>

namespace {
using Argument = std::variant<qint64, QString>;

bool isConversion(QChar c) {
    return c == u'd' || c == u'i' || c == u's';
}

bool fits(const Argument& argument, QChar conversion) {
    if (conversion == u'd' || conversion == u'i')
        return std::holds_alternative<qint64>(argument);
    if (conversion == u's')
        return std::holds_alternative<QString>(argument);
    return false;
}

QString toText(const Argument& argument) {
    if (const auto* number = std::get_if<qint64>(&argument))
        return QString::number(*number);
    return std::get<QString>(argument);
}

QString fill(const QString& text, const QList<Argument>& arguments) {
    QString result;
    result.reserve(text.size() + 16);
    qsizetype nextArgument = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'%' || i + 1 >= text.size()) {
            result += text[i++];
            continue;
        }
        if (text[i + 1] == u'%') {
            result += u'%';
            i += 2;
            continue;
        }
        // An optional "<n>$" picks the argument by position; otherwise they go in order.
        qsizetype end = i + 1;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        const bool isPositional = end > i + 1 && end < text.size() && text[end] == u'$';
        end = isPositional ? end + 1 : i + 1;
        if (end >= text.size() || !isConversion(text[end])) {
            result += text[i++];
            continue;
        }
        const qsizetype index =
            isPositional ? text.mid(i + 1, end - i - 2).toLongLong() - 1 : nextArgument++;
        if (index >= 0 && index < arguments.size() && fits(arguments[index], text[end])) {
            result += toText(arguments[index]);
            i = end + 1;
        } else {
            result += text[i++];
        }
    }
    return result;
}
} // namespace

QString formatted(const QString& text, qint64 number) {
    return fill(text, {number});
}

QString formatted(const QString& text, const QString& argument) {
    return fill(text, {argument});
}

QString formatted(const QString& text, const QString& first, const QString& second) {
    return fill(text, {first, second});
}
