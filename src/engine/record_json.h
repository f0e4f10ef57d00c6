#pragma once

#include "kill_log_entry.h"
#include "target_process.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

enum class JsonStyle { compact, prettySorted };

// Decoding is strict and all-or-nothing: one bad element fails the whole array.
QByteArray encodeTargets(const QList<TargetProcess>& targets, JsonStyle style);
std::optional<QList<TargetProcess>> decodeTargets(QByteArrayView json);

QByteArray encodeLogEntries(const QList<KillLogEntry>& entries, JsonStyle style);
std::optional<QList<KillLogEntry>> decodeLogEntries(QByteArrayView json);
