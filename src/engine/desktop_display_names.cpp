#include "desktop_display_names.h"

#include "desktop_entry.h"
#include "proc_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

namespace {
// The entry file the desktop launched this very process from; a child inherits the variables
// but not the process id.
QString launchedDesktopFile(QByteArrayView environment, qint32 pid) {
    QByteArrayView file;
    QByteArrayView filePid;
    for (qsizetype start = 0; start < environment.size();) {
        qsizetype end = environment.indexOf('\0', start);
        if (end < 0)
            end = environment.size();
        const QByteArrayView variable = environment.sliced(start, end - start);
        start = end + 1;
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
                                         QStringList folders, const QString& languageCode)
    : proc_(std::move(proc)), folders_(std::move(folders)), nameKeys_(nameKeys(languageCode)) {
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
        table_ = DesktopEntryTable::read(folders_, nameKeys_);
        tableChanges_ = changes;
    }
    QHash<qint32, QString> names;
    for (const UserProcess& process : processes) {
        Known& known = known_[process];
        if (!known.origin) {
            known.origin = originOf(process);
            known.name = nameOf(*known.origin);
        } else if (isTableNew) {
            known.name = nameOf(*known.origin);
        }
        if (!known.name.isEmpty())
            names.insert(process.pid, known.name);
    }
    known_.endSnapshot();
    return names;
}

// The origin's own strings are held apart: the memo moves its entries at every scan.
std::unique_ptr<const DesktopDisplayNames::Origin>
DesktopDisplayNames::originOf(const UserProcess& process) const {
    auto origin = std::make_unique<Origin>();
    if (const auto environment = proc_->read(process.pid, "environ"))
        origin->launchedFile = launchedDesktopFile(*environment, process.pid);
    origin->executable = proc_->executable(process.pid);
    if (origin->executable.isEmpty())
        origin->executable = QFile::decodeName(argumentZero(*proc_, process.pid));
    return origin;
}

QString DesktopDisplayNames::nameOf(const Origin& origin) {
    const QString name =
        origin.launchedFile.isEmpty() ? QString() : table_->nameOfFile(origin.launchedFile);
    return name.isEmpty() ? table_->nameOfExecutable(origin.executable) : name;
}
