#include "engine/process/self_memory.h"

#include "engine/process/proc_reader.h"

#include <QByteArray>
#include <limits>
#include <unistd.h>
#include <variant>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
enum class Field { missing, unparsable };

// The value of a "Key:   1234 kB" line, in bytes.
std::variant<qint64, Field> fieldBytes(QByteArrayView status, QByteArrayView key) {
    for (QByteArrayView rest = status; !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (!line.startsWith(key) || line.size() <= key.size() || line[key.size()] != ':')
            continue;
        const QByteArray value = line.sliced(key.size() + 1).trimmed().toByteArray();
        if (!value.endsWith(" kB"))
            return Field::unparsable;
        bool ok = false;
        const qint64 kilobytes = value.chopped(3).trimmed().toLongLong(&ok);
        if (!ok || kilobytes < 0 || kilobytes > std::numeric_limits<qint64>::max() / 2048)
            return Field::unparsable;
        return kilobytes * 1024;
    }
    return Field::missing;
}
} // namespace

qint64 parseFootprintBytes(QByteArrayView procStatus) {
    // Without RssAnon the kernel does not tell us the resident part, and swap alone would
    // understate the footprint; a kernel without swap support has no VmSwap line at all.
    const auto resident = fieldBytes(procStatus, "RssAnon");
    const auto swapped = fieldBytes(procStatus, "VmSwap");
    if (!std::holds_alternative<qint64>(resident))
        return 0;
    if (std::holds_alternative<Field>(swapped))
        return std::get<Field>(swapped) == Field::missing ? std::get<qint64>(resident) : 0;
    return std::get<qint64>(resident) + std::get<qint64>(swapped);
}

SystemSelfMemory::SystemSelfMemory(std::shared_ptr<const ProcReader> proc)
    : proc_(proc ? std::move(proc) : std::make_shared<ProcDirectory>()) {}

qint64 SystemSelfMemory::footprintBytes() {
    return parseFootprintBytes(proc_->read(getpid(), "status").value_or(QByteArray()));
}

void SystemSelfMemory::releaseFreeMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
