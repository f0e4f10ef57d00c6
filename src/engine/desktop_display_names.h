#pragma once

#include "desktop_entry_table.h"
#include "display_name_source.h"
#include "process_memo.h"

#include <QFileSystemWatcher>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

class ProcReader;

// Linux: the running applications are the processes started from the desktop's application
// entries. A process names its entry in its environment (GIO_LAUNCHED_DESKTOP_FILE, for the
// process of GIO_LAUNCHED_DESKTOP_FILE_PID), or else its executable is an entry's program.
//
// Made and destroyed on the main thread, whose event loop watches the folders; asked on the
// scan thread. The entries are read when first asked for and again only after a folder changed,
// and each process is looked up once while it lives.
class DesktopDisplayNames final : public DisplayNameSource {
public:
    DesktopDisplayNames(std::shared_ptr<const ProcReader> proc, QStringList folders,
                        const QString& languageCode);

    QHash<qint32, QString> displayNames(const QList<UserProcess>& processes) override;

    // $XDG_DATA_HOME's and $XDG_DATA_DIRS' applications folders, then the flatpak exports.
    static QStringList applicationFolders();

private:
    // What a process tells of where it comes from, read once while it lives.
    struct Origin {
        QString launchedFile;
        QString executable;
    };
    // The name it leads to, looked up again when the entries change.
    struct Known {
        QString name;
        std::unique_ptr<const Origin> origin;
    };

    void watchFolders();
    std::unique_ptr<const Origin> originOf(const UserProcess& process) const;
    QString nameOf(const Origin& origin);

    const std::shared_ptr<const ProcReader> proc_;
    const QStringList folders_;
    const QStringList nameKeys_;
    QFileSystemWatcher watcher_;
    std::atomic<quint64> folderChanges_{0};

    // The scan thread's alone.
    std::optional<DesktopEntryTable> table_;
    quint64 tableChanges_ = 0;
    ProcessMemo<Known> known_;
};
