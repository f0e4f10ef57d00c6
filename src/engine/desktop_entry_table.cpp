#include "desktop_entry_table.h"

#include "desktop_entry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {
// Far beyond any real entry; what is larger is no entry.
constexpr qint64 maximumEntryBytes = 1024 * 1024;

// Only regular files: a FIFO or a device under an entry's name would block or never end.
std::optional<DesktopEntry> readEntry(const QString& path, const QStringList& nameKeys) {
    if (!path.endsWith(QLatin1String(".desktop")) || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.read(maximumEntryBytes + 1);
    if (content.size() > maximumEntryBytes)
        return std::nullopt;
    return parseDesktopEntry(content, nameKeys);
}

// A key two entries of different names claim names neither: it is kept, empty.
void claim(QHash<QString, QString>& index, const QString& key, const QString& name) {
    if (key.isEmpty())
        return;
    const auto found = index.constFind(key);
    if (found == index.cend())
        index.insert(key, name);
    else if (*found != name)
        index.insert(key, QString());
}
} // namespace

DesktopEntryTable DesktopEntryTable::read(const QStringList& folders, const QStringList& nameKeys) {
    DesktopEntryTable table;
    table.nameKeys_ = nameKeys;
    QSet<QString> ids;
    for (const QString& folder : folders) {
        const QDir root(folder);
        QDirIterator files(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = QDir::cleanPath(files.next());
            const QString id = root.relativeFilePath(path).replace(u'/', u'-');
            if (ids.contains(id))
                continue;
            ids.insert(id);
            const std::optional<DesktopEntry> entry = readEntry(path, nameKeys);
            const bool isShown = entry && entry->isShown;
            table.byFile_.insert(path, isShown ? entry->name : QString());
            if (!isShown)
                continue;
            claim(table.byProgram_, entry->program, entry->name);
            claim(table.byWindowClass_, entry->startupWMClass.toLower(), entry->name);
        }
    }
    return table;
}

QString DesktopEntryTable::nameOfFile(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (const auto found = byFile_.constFind(clean); found != byFile_.cend())
        return *found;
    const std::optional<DesktopEntry> entry = readEntry(clean, nameKeys_);
    const QString name = entry && entry->isShown ? entry->name : QString();
    byFile_.insert(clean, name);
    return name;
}

QString DesktopEntryTable::nameOfExecutable(const QString& executable) const {
    const QString program = QFileInfo(executable).fileName();
    if (program.isEmpty())
        return {};
    const QString byProgram = byProgram_.value(program);
    return byProgram.isEmpty() ? byWindowClass_.value(program.toLower()) : byProgram;
}
