#include "localized_text.h"

#include "lang.h"

QString localizedText(const char* key) {
    return Lang::shared().localized(QString::fromLatin1(key));
}

QString localizedCount(const char* key, int count) {
    return QString::asprintf(localizedText(key).toUtf8().constData(), count);
}
