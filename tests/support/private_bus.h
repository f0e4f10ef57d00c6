#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// Writes the configuration of a session bus of a test's own into `dir` and returns its path,
// empty when it could not be written. Only dbus-daemon itself is on such a bus: nothing can be
// started on demand.
inline QString writePrivateBusConfig(const QDir& dir) {
    QFile config(dir.filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return {};
    config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:path=%1</listen>"
                                "<auth>EXTERNAL</auth><policy context=\"default\">"
                                "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                "<allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                                "</policy></busconfig>")
                     .arg(dir.filePath(QStringLiteral("bus")))
                     .toUtf8());
    return config.fileName();
}
