#include "localized_text.h"

#include "lang.h"
#include "text_format.h"

QString localizedText(const char* key) {
    return Lang::shared().localized(QString::fromLatin1(key));
}

QString localizedCount(const char* key, int count) {
    return formatted(localizedText(key), count);
}
