#include "engine/desktop/desktop_entry_table.h"

#include "engine/desktop/desktop_entry.h"
#include "engine/process/proc_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

namespace {
// Far beyond any real entry; what is larger is no entry.
constexpr qint64 maximumEntryBytes = 1024 * 1024;
// All of a script's first line that the kernel reads.
constexpr qint64 interpreterLineBytes = 256;

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

// What a process started from an entry runs: the file, and the arguments it is given before the
// entry's own. A script ("#!interpreter [argument]") runs its interpreter with the script's path;
// "#!/usr/bin/env name" runs whichever program of that name the path holds.
struct Launch {
    std::optional<FileId> file;
    QList<QByteArray> arguments;
};

Launch launchOf(const DesktopEntry& entry, const QStringList& searchPath) {
    Launch launch;
    const QString path = entry.program.isEmpty()
                             ? QString()
                             : QStandardPaths::findExecutable(entry.program, searchPath);
    if (path.isEmpty())
        return launch;
    QString program = path;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.read(2) == "#!") {
        const QByteArray line = file.read(interpreterLineBytes - 2).split('\n').first().trimmed();
        qsizetype blank = 0;
        while (blank < line.size() && line[blank] != ' ' && line[blank] != '\t')
            ++blank;
        const QByteArray interpreter = line.first(blank);
        const QByteArray argument = line.sliced(blank).trimmed();
        if (QFileInfo(QFile::decodeName(interpreter)).fileName() == u"env" && !argument.isEmpty() &&
            !argument.contains(' ') && !argument.contains('\t')) {
            program = QStandardPaths::findExecutable(QFile::decodeName(argument), searchPath);
        } else {
            program = QFile::decodeName(interpreter);
            if (!argument.isEmpty())
                launch.arguments.append(argument);
        }
        launch.arguments.append(QFile::encodeName(path));
    }
    for (const QString& argument : entry.arguments)
        launch.arguments.append(QFile::encodeName(argument));
    launch.file = fileIdOf(QFile::encodeName(program));
    return launch;
}
} // namespace

DesktopEntryTable DesktopEntryTable::read(const QStringList& folders, const QStringList& nameKeys,
                                          const QStringList& searchPath) {
    DesktopEntryTable table;
    table.nameKeys_ = nameKeys;
    QSet<QString> ids;
    for (const QString& folder : folders) {
        const QDir root(folder);
        QDirIterator files(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = QDir::cleanPath(files.next());
            QString id = root.relativeFilePath(path).replace(u'/', u'-');
            id.chop(8); // ".desktop"
            if (ids.contains(id))
                continue;
            ids.insert(id);
            const std::optional<DesktopEntry> entry = readEntry(path, nameKeys);
            const bool isHidden = !entry || entry->isHidden;
            table.byFile_.insert(path, isHidden ? QString() : entry->name);
            if (isHidden)
                continue;
            const Launch launch = launchOf(*entry, searchPath);
            table.byId_.insert(id, {entry->name, launch.file, entry->sandboxCommand});
            // What is kept out of the menus names no process by its command alone.
            if (launch.file && !entry->isNoDisplay)
                table.byProgram_[*launch.file].append(
                    {launch.arguments, entry->takesMoreArguments, entry->name});
        }
    }
    return table;
}

QString DesktopEntryTable::nameOfFile(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (const auto found = byFile_.constFind(clean); found != byFile_.cend())
        return *found;
    const std::optional<DesktopEntry> entry = readEntry(clean, nameKeys_);
    const QString name = entry && !entry->isHidden ? entry->name : QString();
    byFile_.insert(clean, name);
    return name;
}

const DesktopEntryTable::Application* DesktopEntryTable::application(const QString& id) const {
    const auto found = byId_.constFind(id);
    return found == byId_.cend() ? nullptr : &*found;
}

bool DesktopEntryTable::isProgram(const FileId& file) const {
    return byProgram_.contains(file);
}

QString DesktopEntryTable::nameOfCommand(const FileId& file, QByteArrayView commandLine) const {
    const auto commands = byProgram_.constFind(file);
    if (commands == byProgram_.cend())
        return {};
    // argv[0] is how the program was called, not which it is.
    const QList<QByteArrayView> arguments = piecesOf(commandLine, '\0').mid(1);
    QString name;
    qsizetype longest = -1;
    bool isAmbiguous = false;
    for (const Command& command : *commands) {
        const qsizetype count = command.arguments.size();
        if (count > arguments.size() ||
            (!command.takesMoreArguments && count != arguments.size()) ||
            !std::equal(command.arguments.cbegin(), command.arguments.cend(), arguments.cbegin()))
            continue;
        if (count > longest) {
            longest = count;
            name = command.name;
            isAmbiguous = false;
        } else if (count == longest && command.name != name) {
            isAmbiguous = true;
        }
    }
    return isAmbiguous ? QString() : name;
}
