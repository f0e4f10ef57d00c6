#pragma once

#include <QByteArrayView>
#include <memory>

class ProcReader;

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
    // `proc`: where /proc is read; the system's own when none is given.
    explicit SystemSelfMemory(std::shared_ptr<const ProcReader> proc = {});

    qint64 footprintBytes() override;
    void releaseFreeMemory() override;

private:
    std::shared_ptr<const ProcReader> proc_;
};
