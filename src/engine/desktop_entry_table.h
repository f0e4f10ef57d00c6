#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The desktop's application entries, looked up the ways a running process leads to one.
class DesktopEntryTable {
public:
    // Every shown entry in the folders and their subfolders. Of the entries with one
    // desktop-file id ("kde4/a.desktop" is "kde4-a.desktop") only the first folder's counts,
    // so a hidden one there hides the others.
    static DesktopEntryTable read(const QStringList& folders, const QStringList& nameKeys);

    // The name of the entry in this file (one outside the folders is read once, when first
    // asked for); empty when it is no shown application entry.
    QString nameOfFile(const QString& path);
    // The name of the entry whose Exec= program or StartupWMClass (in any case) is this
    // executable's file name; empty when none is, or entries of different names are.
    QString nameOfExecutable(const QString& executable) const;

private:
    QStringList nameKeys_;
    QHash<QString, QString> byFile_;
    QHash<QString, QString> byProgram_;
    QHash<QString, QString> byWindowClass_;
};
