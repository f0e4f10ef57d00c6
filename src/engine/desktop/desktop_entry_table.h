#pragma once

#include "engine/storage/file_id.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The desktop's application entries, looked up the ways a running process leads to one.
class DesktopEntryTable {
public:
    // An entry as the unit of a process started from it finds it.
    struct Application {
        QString name;
        std::optional<FileId> program; // the file that its processes run
        QString sandboxCommand;        // a flatpak's, by file name
    };

    // Every entry in the folders and their subfolders, with their programs found on the search
    // path ($PATH when empty). Of the entries with one desktop-file id ("kde4/a.desktop" is
    // "kde4-a") only the first folder's counts, so a hidden one there hides the others.
    static DesktopEntryTable read(const QStringList& folders, const QStringList& nameKeys,
                                  const QStringList& searchPath);

    // The name of the entry in this file (one outside the folders is read once, when first
    // asked for); empty for a hidden entry or none.
    QString nameOfFile(const QString& path);
    // The entry of a desktop-file id; null when there is none or it is hidden.
    const Application* application(const QString& id) const;
    // Whether a menu entry's Exec= runs this file: only then is a command line worth reading.
    bool isProgram(const FileId& file) const;
    // The name of the menu entry whose Exec= a process runs: this file, its arguments after
    // argv[0] beginning with the entry's (all of them, where the launcher adds none). Of several,
    // the one with the most arguments; empty when there is none, or several of different names.
    QString nameOfCommand(const FileId& file, QByteArrayView commandLine) const;

private:
    struct Command {
        QList<QByteArray> arguments;
        bool takesMoreArguments = false;
        QString name;
    };

    QStringList nameKeys_;
    QHash<QString, QString> byFile_;
    QHash<QString, Application> byId_;
    QHash<FileId, QList<Command>> byProgram_;
};
