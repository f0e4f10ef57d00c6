#include "ui/localized_text.h"

#include "engine/i18n/lang.h"
#include "engine/i18n/text_format.h"

QString localizedText(const char* key) {
    return Lang::instance().localized(QString::fromLatin1(key));
}

QString localizedCount(const char* key, int count) {
    return Lang::instance().localized(QString::fromLatin1(key), count);
}

QString localizedText(const char* key, const QString& argument) {
    return formatted(localizedText(key), argument);
}

QString localizedCount(const char* key, int count, const QString& argument) {
    return formatted(localizedCount(key, count), argument);
}

QString localizedText(const char* key, const QString& first, const QString& second) {
    return formatted(localizedText(key), first, second);
}
