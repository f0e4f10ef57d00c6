#pragma once

#include "engine/process/user_process.h"

#include <QHash>
#include <QUuid>

// Live figures of one watch-list entry from the latest completed scan.
struct RunningTargetInfo {
    qint64 totalMemoryKB = 0;
    ProcessOrigin origin = ProcessOrigin::unknown;
    qint64 processCount = 0;
};

using TargetInfoMap = QHash<QUuid, RunningTargetInfo>;
