#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The kernel keeps a process's name (its task name) in 15 bytes; ps prints that cut name, with
// a "?" for every byte it cannot show (a control byte, or one of no whole UTF-8 character).
constexpr qsizetype taskNameBytes = 15;

// True when the name takes exactly 15 bytes: it may be the start of a longer one.
bool isCutTaskName(QStringView shown);

// True when `shown` is how ps prints the kernel's `taskName`.
bool showsTaskName(QByteArrayView shown, QByteArrayView taskName);

// The name that a shown task name cut at 15 bytes stands for: the last path component of
// argv[0] when it begins with the shown name; nothing otherwise.
std::optional<QString> fullTaskName(const QString& shown, QByteArrayView argumentZero);
