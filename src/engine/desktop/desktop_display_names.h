#pragma once

#include "engine/desktop/desktop_entry_table.h"
#include "engine/desktop/display_name_source.h"
#include "engine/process/process_memo.h"

#include <QFileSystemWatcher>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

class ProcReader;

// Linux: the running applications are the processes started from the desktop's application
// entries, and a process goes by an entry's name only where something ties it to that entry:
// - its environment names the entry it was launched from (GIO_LAUNCHED_DESKTOP_FILE, for the
//   process of GIO_LAUNCHED_DESKTOP_FILE_PID);
// - its systemd unit is the entry's application unit, and it is the unit's first process (its
//   parent is outside) or runs the entry's program;
// - it runs the very file of a menu entry's Exec= with the arguments Exec= gives it.
// Never by a file name alone: sleep, python3, java or sh are the file of many programs.
//
// Made and destroyed on the main thread, whose event loop watches the folders; asked on the
// scan thread. The entries are read when first asked for and again only after a folder changed,
// and each process is looked up once while it lives.
class DesktopDisplayNames final : public DisplayNameSource {
public:
    // Names in the language of `locale`; programs found on `searchPath` ($PATH when empty).
    DesktopDisplayNames(std::shared_ptr<const ProcReader> proc, QStringList folders,
                        const QString& locale, QStringList searchPath = {});

    QHash<qint32, QString> displayNames(const QList<UserProcess>& processes) override;

    // $XDG_DATA_HOME's and $XDG_DATA_DIRS' applications folders, then the flatpak exports.
    static QStringList applicationFolders();

private:
    // What a process tells of where it comes from, read once while it lives; what only some
    // entries need is read when one first does.
    struct Origin {
        QString launchedFile;
        QStringList unitIds;
        bool isUnitLeader = false;
        std::optional<FileId> executable;
        std::optional<QString> executableName;
        std::optional<QByteArray> commandLine;
    };
    // The name it leads to, looked up again when the entries change.
    struct Known {
        QString name;
        std::unique_ptr<Origin> origin;
    };

    void watchFolders();
    std::unique_ptr<Origin> originOf(qint32 pid) const;
    QString nameOf(qint32 pid, Origin& origin);
    bool runsProgramOf(qint32 pid, Origin& origin,
                       const DesktopEntryTable::Application& application) const;

    const std::shared_ptr<const ProcReader> proc_;
    const QStringList folders_;
    const QStringList nameKeys_;
    const QStringList searchPath_;
    QFileSystemWatcher watcher_;
    std::atomic<quint64> folderChanges_{0};

    // The scan thread's alone.
    std::optional<DesktopEntryTable> table_;
    quint64 tableChanges_ = 0;
    ProcessMemo<Known> known_;
};
