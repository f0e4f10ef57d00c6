#pragma once

#include "engine/matching/target_process.h"
#include "engine/storage/kill_log_entry.h"

#include <QStringList>

// One line of text per record, so that a failed comparison shows the field that differs.
QStringList recordLines(const QList<TargetProcess>& targets);
QStringList recordLines(const QList<KillLogEntry>& entries);
QStringList pidsOf(const QList<KillLogEntry>& entries);
// As a day file holds them.
QByteArray pretty(const QList<KillLogEntry>& entries);
