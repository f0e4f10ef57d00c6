#include "localized_text.h"

#include "lang.h"
#include "text_format.h"

QString localizedText(const char* key) {
    return Lang::shared().localized(QString::fromLatin1(key));
}

QString localizedCount(const char* key, int count) {
    return Lang::shared().localized(QString::fromLatin1(key), count);
}

QString localizedText(const char* key, const QString& argument) {
    return formatted(localizedText(key), argument);
}
