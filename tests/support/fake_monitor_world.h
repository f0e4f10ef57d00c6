#pragma once

#include "fake_services.h"
#include "memory_settings_store.h"
#include "process_monitor.h"

#include <QTemporaryDir>
#include <memory>

// Everything a monitor touches, made of fakes: the process table is empty unless a test fills
// it, no real process is signalled, settings stay in memory and logs in a temporary directory.
struct FakeMonitorWorld {
    FakeMonitorWorld();
    MonitorServices services() const;

    QTemporaryDir logs;
    std::shared_ptr<FakeProcessRunner> runner;
    std::shared_ptr<FakeProcessSignals> signals;
    std::shared_ptr<FakeSelfMemory> selfMemory;
    std::shared_ptr<MemorySettingsStore> settings;
};
