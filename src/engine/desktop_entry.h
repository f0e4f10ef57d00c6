#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// What a freedesktop application entry (a .desktop file) tells about the program it starts.
struct DesktopEntry {
    QString name; // Name, localised
    // The file name of the program that Exec= runs, through env and "flatpak run --command=";
    // empty when Exec= runs a shell or a flatpak without naming its command.
    QString program;
    QString startupWMClass;
    bool isShown = true; // false with NoDisplay=true or Hidden=true
};

// The keys of the localised name, best first, for an interface language: "zh-Hant" gives
// Name[zh_TW], Name[zh], Name.
QStringList nameKeys(const QString& languageCode);

// The [Desktop Entry] group of an application's entry; nothing for an entry of another type,
// one without a name, or no UTF-8 text.
std::optional<DesktopEntry> parseDesktopEntry(QByteArrayView content, const QStringList& nameKeys);
