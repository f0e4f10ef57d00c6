#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

// What a freedesktop application entry (a .desktop file) tells about the program it starts.
struct DesktopEntry {
    QString name; // Name, localised
    // What Exec= runs, past an env prefix: the program as written and the arguments before its
    // first field code; the launcher appends more only where there is a field code.
    QString program;
    QStringList arguments;
    bool takesMoreArguments = false;
    // The command a flatpak entry runs in its sandbox (flatpak run --command=), by file name.
    QString sandboxCommand;
    bool isHidden = false;    // Hidden=true: as good as deleted
    bool isNoDisplay = false; // NoDisplay=true: kept out of the menus
};

// The locale the desktop's menus speak: LC_ALL, LC_MESSAGES or LANG, the first one set.
QString messagesLocale(const QProcessEnvironment& environment);

// The keys of the localised name, best first, for a locale: "de_AT.UTF-8@euro" gives
// Name[de_AT@euro], Name[de_AT], Name[de@euro], Name[de], Name; C and POSIX give Name.
QStringList nameKeys(const QString& locale);

// The keys of the [Desktop Entry] group and their values as written (escapes kept); a key given
// twice keeps its last value. Comments, blank lines and the other groups are skipped.
QHash<QString, QString> desktopEntryGroup(QByteArrayView content);

// The [Desktop Entry] group of an application's entry; nothing for an entry of another type,
// one without a name, or no UTF-8 text.
std::optional<DesktopEntry> parseDesktopEntry(QByteArrayView content, const QStringList& nameKeys);
