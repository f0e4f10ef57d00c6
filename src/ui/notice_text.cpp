#include "ui/notice_text.h"

#include "ui/localized_text.h"

#include <QFileInfo>

namespace {
// Counts are of files and list entries, far below the range of an int.
int countOf(qsizetype count) {
    return int(count);
}

QString importedText(const Notice& notice) {
    const QString file = QFileInfo(notice.file).fileName();
    if (notice.count > 0) {
        QString text = localizedCount("notice_imported", countOf(notice.count));
        if (notice.otherCount > 0)
            text += localizedCount("notice_also_listed", countOf(notice.otherCount));
        return text;
    }
    if (notice.otherCount > 0)
        return localizedCount("notice_all_listed", countOf(notice.otherCount));
    return localizedText("notice_import_empty", file);
}

QString clearedText(const Notice& notice) {
    if (notice.count == 0 && notice.otherCount == 0)
        return localizedText("notice_logs_none");
    if (notice.count == 0)
        return localizedCount("notice_logs_deleted", countOf(notice.otherCount));
    QString text = localizedCount("notice_logs_trashed", countOf(notice.count));
    if (notice.otherCount > 0)
        text += localizedCount("notice_also_deleted", countOf(notice.otherCount));
    return text;
}
} // namespace

QString noticeText(const Notice& notice) {
    const QString file = QFileInfo(notice.file).fileName();
    switch (notice.kind) {
    case Notice::Kind::targetsExported:
        return localizedCount("notice_targets_exported", countOf(notice.count), file);
    case Notice::Kind::logsExported:
        return localizedCount("notice_logs_exported", countOf(notice.count), file);
    case Notice::Kind::watchListEmpty:
        return localizedText("notice_watch_list_empty");
    case Notice::Kind::killLogEmpty:
        return localizedText("notice_kill_log_empty");
    case Notice::Kind::exportFailed:
        return localizedText("notice_export_failed", file, notice.detail);
    case Notice::Kind::imported:
        return importedText(notice);
    case Notice::Kind::importUnreadable:
        return localizedText("notice_import_unreadable", file);
    case Notice::Kind::importNotAWatchList:
        return localizedText("notice_import_invalid", file);
    case Notice::Kind::settingsNotSaved:
        return localizedText("notice_settings_not_saved");
    case Notice::Kind::dayFileRefused:
        return localizedText("notice_day_file_refused", file, QFileInfo(notice.detail).fileName());
    case Notice::Kind::logNotSaved:
        return localizedCount("notice_log_not_saved", countOf(notice.count));
    case Notice::Kind::logsCleared:
        return clearedText(notice);
    case Notice::Kind::logsRestored: {
        QString text = localizedCount("notice_logs_restored", countOf(notice.count));
        if (notice.otherCount > 0)
            text += localizedCount("notice_not_restored", countOf(notice.otherCount));
        return text;
    }
    }
    return {};
}
