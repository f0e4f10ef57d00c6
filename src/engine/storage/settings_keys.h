#pragma once

#include <QString>

// Every key the program keeps in the settings.
namespace SettingsKeys {
inline const QString targets = QStringLiteral("Quorvane.targets");    // binary: compact JSON
inline const QString appLanguage = QStringLiteral("AppLanguage");     // text; absent = "system"
inline const QString launchAtLogin = QStringLiteral("LaunchAtLogin"); // boolean; absent = false
// Boolean, absent = false: each start of the program (not a language change) begins monitoring
// at once, every "ScanInterval" seconds, the interval last chosen.
inline const QString startMonitoringAtLaunch = QStringLiteral("StartMonitoringAtLaunch");
inline const QString scanInterval = QStringLiteral("ScanInterval");
// Boolean, absent = false: a desktop notification for each scan that ended processes.
inline const QString notifyWhenEnded = QStringLiteral("NotifyWhenEnded");
} // namespace SettingsKeys
