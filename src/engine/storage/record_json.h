#pragma once

#include "engine/matching/target_process.h"
#include "engine/storage/kill_log_entry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

enum class JsonStyle { compact, prettySorted };

// Encoding gives an empty byte array when a record has no JSON form: a timestamp that is invalid
// or outside the years 0000 to 9999.
// Decoding is strict and all-or-nothing: one bad element fails the whole array.
QByteArray encodeTargets(const QList<TargetProcess>& targets, JsonStyle style);
std::optional<QList<TargetProcess>> decodeTargets(QByteArrayView json);

QByteArray encodeLogEntries(const QList<KillLogEntry>& entries, JsonStyle style);
std::optional<QList<KillLogEntry>> decodeLogEntries(QByteArrayView json);

// The log array `existing` followed by the entries of `added` (made by encodeLogEntries), without
// rewriting the existing bytes; nothing when `existing` does not decode as log entries.
std::optional<QByteArray> appendedLogArray(QByteArrayView existing, QByteArrayView added);
