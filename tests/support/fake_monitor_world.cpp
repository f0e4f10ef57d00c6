#include "fake_monitor_world.h"

#include "engine/desktop/display_name_source.h"
#include "engine/i18n/lang.h"
#include "engine/process/proc_reader.h"
#include "engine/process/session_processes.h"
#include "engine/storage/file_system.h"

#include <QCoreApplication>
#include <unistd.h>

FakeMonitorWorld::FakeMonitorWorld()
    : runner(std::make_shared<FakeProcessRunner>()),
      signals(std::make_shared<FakeProcessSignals>()),
      selfMemory(std::make_shared<FakeSelfMemory>()),
      settings(std::make_shared<MemorySettingsStore>()) {}

MonitorServices FakeMonitorWorld::services() const {
    MonitorServices services;
    services.runner = runner;
    // A /proc with nothing in it: the rows stay as the fake table prints them.
    services.proc = std::make_shared<ProcDirectory>(logs.filePath(QStringLiteral("no-proc")));
    services.displayNames = std::make_shared<NoDisplayNames>();
    services.signals = signals;
    services.sessionProcesses = std::make_shared<NoSessionProcesses>();
    services.selfMemory = selfMemory;
    services.files = std::make_shared<LocalFileSystem>();
    services.settings = settings;
    services.lang = &Lang::instance();
    services.logsDir = logs.filePath(QStringLiteral("logs"));
    services.currentUid = 501;
    services.ownPid = 1;
    return services;
}

MonitorServices FakeMonitorWorld::realProcessServices() const {
    MonitorServices services = this->services();
    services.runner = std::make_shared<PosixProcessRunner>();
    services.proc = std::make_shared<ProcDirectory>();
    services.signals = std::make_shared<SystemProcessSignals>();
    services.currentUid = ::getuid();
    services.ownPid = QCoreApplication::applicationPid();
    return services;
}

QString localized(const char* key) {
    return Lang::instance().localized(QString::fromLatin1(key));
}

QStringList namesOf(const QList<UserProcess>& processes) {
    QStringList names;
    for (const UserProcess& process : processes)
        names.append(process.name);
    return names;
}

KillLogEntry killLogEntry(const QString& processName, qint32 pid) {
    return KillLogEntry{
        QUuid::createUuid(),     QDateTime::currentDateTimeUtc(), processName, pid, true,
        QStringLiteral("killed")};
}
