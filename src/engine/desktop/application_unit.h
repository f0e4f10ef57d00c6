#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// Desktops start each application in a systemd unit of its own, named after its desktop-file
// id: app-[<launcher>-]<id>[@<random>].service or app-[<launcher>-]<id>-<random>.scope
// (flatpak's app-flatpak-<id>-<n>.scope among them), a "-" within a name escaped as \x2d.

// The unit a process runs in, from its /proc/<pid>/cgroup: the deepest service or scope of its
// systemd hierarchy; empty when there is none.
QByteArray unitOf(QByteArrayView cgroup);

// The desktop-file ids (without ".desktop") an application's unit may stand for, best first;
// none for a unit of no application.
QStringList applicationIdsOf(QByteArrayView unit);
