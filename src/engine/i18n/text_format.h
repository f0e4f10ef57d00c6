#pragma once

#include <QString>

// Fills a printf-style text, such as a translation of a format key, with its arguments.
// Knows "%d" and "%i" for a number, "%s" for a text, "%%", and the positional "%2$s".
// Unlike printf it never reads an argument that is not there: a conversion without an
// argument of its kind stays in the text as written.
QString formatted(const QString& text, qint64 number);
QString formatted(const QString& text, const QString& argument);
QString formatted(const QString& text, const QString& first, const QString& second);
