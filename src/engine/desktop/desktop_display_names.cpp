#include "engine/desktop/desktop_display_names.h"

#include "engine/desktop/application_unit.h"
#include "engine/desktop/desktop_entry.h"
#include "engine/process/proc_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// The entry file the desktop launched this very process from; a child inherits the variables
// but not the process id.
QString launchedDesktopFile(QByteArrayView environment, qint32 pid) {
    QByteArrayView file;
    QByteArrayView filePid;
    for (const QByteArrayView variable : piecesOf(environment, '\0')) {
        if (variable.startsWith("GIO_LAUNCHED_DESKTOP_FILE="))
            file = variable.sliced(26);
        else if (variable.startsWith("GIO_LAUNCHED_DESKTOP_FILE_PID="))
            filePid = variable.sliced(30);
    }
    bool ok = false;
    if (file.isEmpty() || filePid.toLongLong(&ok) != pid || !ok)
        return {};
    return QFile::decodeName(file.toByteArray());
}
} // namespace

DesktopDisplayNames::DesktopDisplayNames(std::shared_ptr<const ProcReader> proc,
                                         QStringList folders, const QString& locale,
                                         QStringList searchPath)
    : proc_(std::move(proc)), folders_(std::move(folders)), nameKeys_(nameKeys(locale)),
      searchPath_(std::move(searchPath)) {
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, &watcher_, [this] {
        watchFolders();
        folderChanges_.fetch_add(1, std::memory_order_release);
    });
    watchFolders();
}

QStringList DesktopDisplayNames::applicationFolders() {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    const QString exports = QStringLiteral("flatpak/exports/share/applications");
    for (const QString& folder :
         {QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
              .filePath(exports),
          QStringLiteral("/var/lib/flatpak/exports/share/applications")}) {
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

// Every folder and subfolder there is; for a folder not yet there, its parent, to see it come.
void DesktopDisplayNames::watchFolders() {
    QStringList paths;
    for (const QString& folder : folders_) {
        if (!QDir(folder).exists()) {
            const QString parent = QDir::cleanPath(folder + QStringLiteral("/.."));
            if (QDir(parent).exists())
                paths.append(parent);
            continue;
        }
        paths.append(folder);
        QDirIterator subfolders(folder, QDir::Dirs | QDir::NoDotAndDotDot,
                                QDirIterator::Subdirectories);
        while (subfolders.hasNext())
            paths.append(subfolders.next());
    }
    const QStringList watched = watcher_.directories();
    paths.removeIf([&watched](const QString& path) { return watched.contains(path); });
    paths.removeDuplicates();
    if (!paths.isEmpty())
        watcher_.addPaths(paths);
}

QHash<qint32, QString> DesktopDisplayNames::displayNames(const QList<UserProcess>& processes) {
    const quint64 changes = folderChanges_.load(std::memory_order_acquire);
    const bool isTableNew = !table_ || changes != tableChanges_;
    if (isTableNew) {
        table_ = DesktopEntryTable::read(folders_, nameKeys_, searchPath_);
        tableChanges_ = changes;
    }
    QHash<qint32, QString> names;
    for (const UserProcess& process : processes) {
        Known& known = known_[process];
        if (!known.origin) {
            known.origin = originOf(process.pid);
            known.name = nameOf(process.pid, *known.origin);
        } else if (isTableNew) {
            known.name = nameOf(process.pid, *known.origin);
        }
        if (!known.name.isEmpty())
            names.insert(process.pid, known.name);
    }
    known_.endSnapshot();
    return names;
}

// The origin's own strings are held apart: the memo moves its entries at every scan.
std::unique_ptr<DesktopDisplayNames::Origin> DesktopDisplayNames::originOf(qint32 pid) const {
    auto origin = std::make_unique<Origin>();
    if (const auto environment = proc_->read(pid, "environ"))
        origin->launchedFile = launchedDesktopFile(*environment, pid);
    if (const auto cgroup = proc_->read(pid, "cgroup")) {
        const QByteArray unit = unitOf(*cgroup);
        origin->unitIds = applicationIdsOf(unit);
        if (!origin->unitIds.isEmpty()) {
            const std::optional<qint32> parent = parentPid(*proc_, pid);
            const auto parentCgroup = parent ? proc_->read(*parent, "cgroup") : std::nullopt;
            origin->isUnitLeader = parentCgroup && unitOf(*parentCgroup) != unit;
        }
    }
    origin->executable = proc_->executableFile(pid);
    return origin;
}

QString DesktopDisplayNames::nameOf(qint32 pid, Origin& origin) {
    if (!origin.launchedFile.isEmpty()) {
        const QString name = table_->nameOfFile(origin.launchedFile);
        if (!name.isEmpty())
            return name;
    }
    // The first id that is an entry's decides: a terminal's shells share its unit, not its name.
    for (const QString& id : origin.unitIds) {
        if (const auto* application = table_->application(id)) {
            if (origin.isUnitLeader || runsProgramOf(pid, origin, *application))
                return application->name;
            break;
        }
    }
    if (!origin.executable || !table_->isProgram(*origin.executable))
        return {};
    if (!origin.commandLine)
        origin.commandLine = proc_->read(pid, "cmdline").value_or(QByteArray());
    return table_->nameOfCommand(*origin.executable, *origin.commandLine);
}

// Inside its sandbox a flatpak's processes run files the host cannot find by path.
bool DesktopDisplayNames::runsProgramOf(qint32 pid, Origin& origin,
                                        const DesktopEntryTable::Application& application) const {
    if (application.program && origin.executable == application.program)
        return true;
    if (application.sandboxCommand.isEmpty())
        return false;
    if (!origin.executableName)
        origin.executableName = QFileInfo(proc_->executable(pid)).fileName();
    return *origin.executableName == application.sandboxCommand;
}
