#pragma once

#include "engine/base/result.h"

#include <QString>

class SettingsStore;

// Starting the program when the user logs in, by a freedesktop autostart entry. The entry on
// disk is the truth: present and not hidden means on. The "LaunchAtLogin" flag is kept in step
// with it on each toggle, for whoever reads the settings.
class LaunchAtLogin {
public:
    LaunchAtLogin(QString autostartDir, QString executablePath, SettingsStore& settings);
    // The user's autostart folder and the running program; needs the application object.
    static LaunchAtLogin forThisUser(SettingsStore& settings);

    bool isLaunchAtLoginEnabled() const;
    // Writes or removes the entry. A failure prints "LaunchAtLogin error: <reason>" as one line
    // on standard output and leaves the entry as it was.
    void toggleLaunchAtLogin();

    QString entryPath() const;

private:
    Result<void> writeEntry() const;
    Result<void> removeEntry() const;

    QString autostartDir_;
    QString executablePath_;
    SettingsStore& settings_;
};
