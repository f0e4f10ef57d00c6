#pragma once

#include <QString>

// What came of something the user asked for, or of a save they did not see fail, for the window
// to tell in words of the user's language.
struct Notice {
    enum class Kind {
        // count entries went to `file`.
        targetsExported,
        logsExported,
        // Nothing to export: the watch list, or the kill log, is empty.
        watchListEmpty,
        killLogEmpty,
        // `file` could not be written; `detail` says why.
        exportFailed,
        // count entries came in from `file`; otherCount were listed already.
        imported,
        // Nothing came in from `file`: it could not be read, or holds no watch list.
        importUnreadable,
        importNotAWatchList,
        // A change of the watch list is not on disk yet; it is tried again. `detail` says why.
        settingsNotSaved,
        // Day file `file` could not be written; its entries went to `detail` instead.
        dayFileRefused,
        // count kill-log entries could not be written anywhere; they are tried again. `detail`
        // says why.
        logNotSaved,
        // count day files went to the trash (and can come back), otherCount were deleted.
        logsCleared,
        // count day files came back from the trash; otherCount could not.
        logsRestored,
    };

    Kind kind;
    qsizetype count = 0;
    qsizetype otherCount = 0;
    QString file = {};
    QString detail = {};

    friend bool operator==(const Notice&, const Notice&) = default;
};
