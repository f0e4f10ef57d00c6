#include "fake_monitor_world.h"

#include "display_name_source.h"
#include "file_system.h"
#include "lang.h"

FakeMonitorWorld::FakeMonitorWorld()
    : runner(std::make_shared<FakeProcessRunner>()),
      signals(std::make_shared<FakeProcessSignals>()),
      selfMemory(std::make_shared<FakeSelfMemory>()),
      settings(std::make_shared<MemorySettingsStore>()) {}

MonitorServices FakeMonitorWorld::services() const {
    MonitorServices services;
    services.runner = runner;
    services.displayNames = std::make_shared<NoDisplayNames>();
    services.signals = signals;
    services.selfMemory = selfMemory;
    services.files = std::make_shared<LocalFileSystem>();
    services.settings = settings;
    services.lang = &Lang::shared();
    services.logsDir = logs.filePath(QStringLiteral("logs"));
    services.currentUid = 501;
    services.ownPid = 1;
    return services;
}
