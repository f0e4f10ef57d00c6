#pragma once

#include <QString>

// The window's texts, looked up by key in the chosen language at the moment they are set.
QString localizedText(const char* key);

// The text of a format key ("monitoring_count") filled with its one integer.
QString localizedCount(const char* key, int count);
