#pragma once

#include "engine/monitor/process_monitor.h"
#include "engine/process/user_process.h"
#include "engine/storage/kill_log_entry.h"
#include "fake_services.h"
#include "memory_settings_store.h"

#include <QTemporaryDir>
#include <memory>

// Everything a monitor touches, made of fakes: the process table is empty unless a test fills
// it, no real process is signalled, settings stay in memory and logs in a temporary directory.
struct FakeMonitorWorld {
    FakeMonitorWorld();
    MonitorServices services() const;
    // The same, but reading and signalling this machine's processes as this test's own user:
    // only for tests that look for children they started themselves.
    MonitorServices realProcessServices() const;

    QTemporaryDir logs;
    std::shared_ptr<FakeProcessRunner> runner;
    std::shared_ptr<FakeProcessSignals> signals;
    std::shared_ptr<FakeSelfMemory> selfMemory;
    std::shared_ptr<MemorySettingsStore> settings;
};

// The text the window shows for a key in the current language.
QString localized(const char* key);
QStringList namesOf(const QList<UserProcess>& processes);
// A successful kill of that process, stamped now.
KillLogEntry killLogEntry(const QString& processName, qint32 pid = 4242);
