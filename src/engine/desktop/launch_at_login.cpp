#include "engine/desktop/launch_at_login.h"

#include "engine/desktop/desktop_entry.h"
#include "engine/i18n/console_line.h"
#include "engine/storage/file_system.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {
const QString entryName = QStringLiteral("zentrav.desktop");

// One argument of an Exec line: quoted when it holds a reserved character, then "%" doubled
// for field codes, then backslashes doubled, as in every desktop-entry string value.
QString execArgument(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = path;
    if (std::any_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); })) {
        argument.clear();
        for (const QChar c : path) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                argument += u'\\';
            argument += c;
        }
        argument = u'"' + argument + u'"';
    }
    argument.replace(u'%', QStringLiteral("%%"));
    argument.replace(u'\\', QStringLiteral("\\\\"));
    return argument;
}

QByteArray desktopEntry(const QString& executablePath) {
    // The icon is the installed one of the applications menu, named by the application id.
    // TryExec: once the program is removed, the desktop skips the entry left behind. Its value is
    // a plain string, in which only the backslash needs escaping (control characters never
    // reach here).
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Zentrav\n"
                          "Comment=Ends the processes on your watch list and logs every attempt\n"
                          "Icon=app.zentrav.Zentrav\n"
                          "TryExec=%1\n"
                          "Exec=%2\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QString(executablePath).replace(u'\\', QStringLiteral("\\\\")),
             execArgument(executablePath))
        .toUtf8();
}

// Hidden=true is the freedesktop way to switch an entry off; GNOME's own switch does the same.
bool isSwitchedOff(const QByteArray& entry) {
    const QHash<QString, QString> values = desktopEntryGroup(entry);
    const QString hidden = values.value(QStringLiteral("Hidden"));
    const QString enabled = values.value(QStringLiteral("X-GNOME-Autostart-enabled"));
    return hidden == u"true" || hidden == u"1" || enabled == u"false" || enabled == u"0";
}

} // namespace

LaunchAtLogin::LaunchAtLogin(QString autostartDir, QString executablePath, SettingsStore& settings)
    : autostartDir_(std::move(autostartDir)), executablePath_(std::move(executablePath)),
      settings_(settings) {}

LaunchAtLogin LaunchAtLogin::forThisUser(SettingsStore& settings) {
    // No config location (no home) must not turn into "/autostart".
    const QString configDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return LaunchAtLogin(configDir.isEmpty() ? QString() : configDir + QStringLiteral("/autostart"),
                         QCoreApplication::applicationFilePath(), settings);
}

QString LaunchAtLogin::entryPath() const {
    return autostartDir_.isEmpty() ? QString() : autostartDir_ + u'/' + entryName;
}

bool LaunchAtLogin::isLaunchAtLoginEnabled() const {
    if (autostartDir_.isEmpty() || !QFileInfo(entryPath()).isFile())
        return false;
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return !isSwitchedOff(file.readAll());
}

void LaunchAtLogin::toggleLaunchAtLogin() {
    const Result<void> toggled = isLaunchAtLoginEnabled() ? removeEntry() : writeEntry();
    if (!toggled)
        printLine(QStringLiteral("LaunchAtLogin error: ") + toggled.error().reason);
    settings_.setValue(SettingsKeys::launchAtLogin, isLaunchAtLoginEnabled());
}

Result<void> LaunchAtLogin::writeEntry() const {
    if (autostartDir_.isEmpty())
        return Error{QStringLiteral("the user's configuration folder is unknown")};
    if (executablePath_.isEmpty() || !QDir::isAbsolutePath(executablePath_))
        return Error{QStringLiteral("the program's own path is unknown")};
    if (std::any_of(executablePath_.begin(), executablePath_.end(),
                    [](QChar c) { return c.unicode() < 0x20; }))
        return Error{QStringLiteral("the program's path holds a control character")};

    LocalFileSystem files;
    if (const Result<void> made = files.makePath(autostartDir_); !made)
        return made.error().during(QStringLiteral("cannot create ") + autostartDir_);
    if (const Result<void> written =
            files.writeAtomically(entryPath(), desktopEntry(executablePath_));
        !written)
        return written.error().during(QStringLiteral("cannot write ") + entryPath());
    return {};
}

Result<void> LaunchAtLogin::removeEntry() const {
    if (const Result<void> removed = LocalFileSystem().remove(entryPath()); !removed)
        return removed.error().during(QStringLiteral("cannot remove ") + entryPath());
    return {};
}
