#pragma once

#include <QByteArrayView>

// The program's own memory, and the allocator's release of what it no longer uses.
class SelfMemory {
public:
    virtual ~SelfMemory() = default;
    // Bytes charged to this process; 0 when they cannot be read.
    virtual qint64 footprintBytes() = 0;
    virtual void releaseFreeMemory() = 0;
};

// Anonymous resident plus swapped-out memory, from a /proc/<pid>/status text; 0 when absent.
qint64 parseFootprintBytes(QByteArrayView procStatus);

class SystemSelfMemory final : public SelfMemory {
public:
    qint64 footprintBytes() override;
    void releaseFreeMemory() override;
};
