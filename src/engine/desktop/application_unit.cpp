#include "engine/desktop/application_unit.h"

#include "engine/process/proc_reader.h"

#include <ranges>

namespace {
// systemd's escapes: \xNN for each byte that a unit name cannot hold as it is.
QString unescaped(QByteArrayView name) {
    QByteArray text;
    for (qsizetype i = 0; i < name.size(); ++i) {
        bool isByte = false;
        const int byte = name.sliced(i).startsWith("\\x") && i + 4 <= name.size()
                             ? name.sliced(i + 2, 2).toInt(&isByte, 16)
                             : 0;
        text += isByte ? char(byte) : name[i];
        if (isByte)
            i += 3;
    }
    return QString::fromUtf8(text);
}
} // namespace

QByteArray unitOf(QByteArrayView cgroup) {
    // cgroup v2's line "0::<path>", or v1's systemd hierarchy "<n>:name=systemd:<path>".
    constexpr QByteArrayView systemdHierarchy = ":name=systemd:";
    for (const QByteArrayView line : piecesOf(cgroup, '\n')) {
        const qsizetype v1 = line.indexOf(systemdHierarchy);
        if (!line.startsWith("0::") && v1 < 0)
            continue;
        const QByteArrayView path =
            v1 < 0 ? line.sliced(3) : line.sliced(v1 + systemdHierarchy.size());
        for (const QByteArrayView component : piecesOf(path, '/') | std::views::reverse) {
            if (component.endsWith(".service") || component.endsWith(".scope"))
                return component.toByteArray();
        }
    }
    return {};
}

QStringList applicationIdsOf(QByteArrayView unit) {
    if (!unit.startsWith("app-"))
        return {};
    QByteArrayView name = unit.sliced(4);
    if (name.endsWith(".service")) {
        name.chop(8);
        if (const qsizetype random = name.indexOf('@'); random >= 0)
            name.truncate(random);
    } else if (name.endsWith(".scope")) {
        // "-<random>.scope" goes; without it there is no id.
        name.truncate(qMax<qsizetype>(name.lastIndexOf('-'), 0));
    } else {
        return {};
    }
    // An unescaped "-" ends the launcher's name; the whole name is the id where none was given
    // or the launcher did not escape the id.
    QStringList ids;
    if (const qsizetype dash = name.indexOf('-'); dash >= 0)
        ids.append(unescaped(name.sliced(dash + 1)));
    ids.append(unescaped(name));
    ids.removeAll(QString());
    return ids;
}
