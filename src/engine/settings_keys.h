#pragma once

#include <QString>

// Every key the program keeps in the defaults store.
namespace SettingsKeys {
inline const QString targets = QStringLiteral("Quorvane.targets");        // binary: compact JSON
inline const QString appLanguage = QStringLiteral("AppLanguage");         // text; absent = "system"
inline const QString launchAtLogin = QStringLiteral("LaunchAtLogin");     // boolean; absent = false
} // namespace SettingsKeys
