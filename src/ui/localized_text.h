#pragma once

#include <QString>

// The window's texts, looked up by key in the chosen language at the moment they are set.
QString localizedText(const char* key);

// The text of a count key ("process_count") in the plural form for count.
QString localizedCount(const char* key, int count);

// The text of a format key with one text argument ("a11y_remove": "Remove %s").
QString localizedText(const char* key, const QString& argument);

// The same, filled with one text argument ("Exported %n entries to %s").
QString localizedCount(const char* key, int count, const QString& argument);

// The text of a format key with two text arguments ("%1$s … %2$s").
QString localizedText(const char* key, const QString& first, const QString& second);
