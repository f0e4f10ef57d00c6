// Import of a 1,000-entry watch-list file into an empty list (goal: at most 0.3 s), against
// adding the entries one by one with a save after each, as imports were once made. The real
// settings store, in a temporary configuration directory; the two take turns run by run.
#include "bench_timing.h"
#include "engine/monitor/process_monitor.h"
#include "engine/storage/file_chooser.h"
#include "engine/storage/file_system.h"
#include "engine/storage/record_json.h"
#include "engine/storage/settings_keys.h"
#include "engine/storage/settings_store.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int runs = 3;
constexpr double goalMs = 300.0;

class ChosenFile final : public FileChooser {
public:
    explicit ChosenFile(QString path) : path_(std::move(path)) {}
    std::optional<QString> chooseSaveLocation(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseFileToOpen() override { return path_; }
    void beep() override {}

private:
    QString path_;
};

QList<TargetProcess> watchList(int size) {
    QList<TargetProcess> targets;
    for (int i = 0; i < size; ++i)
        targets.append({QUuid::createUuid(), QStringLiteral("Unwanted Helper %1").arg(i),
                        i % 2 ? MatchMode::exact : MatchMode::fuzzy, i % 3 != 0});
    return targets;
}

// An import as it was: an add, and a save, per entry; another save per disabled one.
void importOneByOne(ProcessMonitor& monitor, const QList<TargetProcess>& imported) {
    for (const TargetProcess& entry : imported) {
        monitor.addTarget(entry.name, entry.matchMode);
        if (!entry.isEnabled)
            monitor.toggleTarget(monitor.targets().constLast().id);
    }
}

// What a list is without its ids, which every import makes anew.
QStringList withoutIds(const QList<TargetProcess>& targets) {
    QStringList lines;
    for (const TargetProcess& target : targets)
        lines << target.name + u'|' + matchModeRawValue(target.matchMode) + u'|' +
                     QString::number(target.isEnabled);
    return lines;
}

QList<TargetProcess> stored(SettingsStore& settings) {
    return decodeTargets(settings.value(SettingsKeys::targets).toByteArray())
        .value_or(QList<TargetProcess>());
}
} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QCoreApplication app(argc, argv);

    const QList<TargetProcess> imported = watchList(1000);
    const QString file = home.filePath(QStringLiteral("Zentrav-Targets.json"));
    LocalFileSystem files;
    if (!files.writeAtomically(file, encodeTargets(imported, JsonStyle::prettySorted)))
        return 1;
    MonitorServices services = MonitorServices::system();
    services.logsDir = home.filePath(QStringLiteral("logs"));
    ChosenFile chooser(file);

    std::vector<double> importMs;
    std::vector<double> oneByOneMs;
    bool isSame = true;
    for (int run = 0; run < runs; ++run) {
        services.settings->remove(SettingsKeys::targets);
        ProcessMonitor importing(services);
        importMs.push_back(elapsedMs([&] { importing.importTargets(chooser); }));
        const QStringList imports = withoutIds(stored(*services.settings));

        services.settings->remove(SettingsKeys::targets);
        ProcessMonitor adding(services);
        oneByOneMs.push_back(elapsedMs([&] { importOneByOne(adding, imported); }));
        isSame = isSame && imports == withoutIds(stored(*services.settings)) &&
                 imports == withoutIds(imported);
    }
    if (!isSame) {
        std::fprintf(stderr, "the two imports stored different lists\n");
        return 1;
    }
    const Spread import = spreadOf(importMs);
    const Spread oneByOne = spreadOf(oneByOneMs);
    std::printf("import of 1,000 entries, %d runs each, turn by turn\n", runs);
    printTimes("import (one save)", import);
    printTimes("one by one (a save per entry)", oneByOne);
    std::printf("  median ratio one by one / import: %.0fx\n", oneByOne.median / import.median);
    const bool isMet = import.median <= goalMs;
    std::printf("goal: an import's median <= %.0f ms: %s\n", goalMs, isMet ? "met" : "MISSED");
    return isMet ? 0 : 1;
}
