#include "gear_icon.h"

#include <QString>

QIcon gearIcon() {
    return QIcon(QStringLiteral(":/icons/gear.svg"));
}
