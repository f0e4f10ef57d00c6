#pragma once

#include "engine/process/process_runner.h"
#include "engine/process/process_signals.h"
#include "engine/process/self_memory.h"
#include "engine/storage/file_chooser.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

// A process-table tool that prints whatever the test sets; counts its runs.
class FakeProcessRunner final : public ProcessRunner {
public:
    Result<ToolOutput> run(const QString& program, const QStringList& arguments) override;
    void setTable(const QByteArray& table);
    int tableRuns() const { return tableRuns_; }

    // Made by a row per process: "pid uid rss name".
    static QByteArray tableOf(const QList<std::tuple<int, unsigned, qint64, QString>>& rows);

private:
    mutable std::mutex mutex_;
    QByteArray table_ = "  PID   UID   RSS COMMAND\n";
    std::atomic<int> tableRuns_ = 0;
};

// How one pin of a process goes, and how the process answers the signals after it.
struct PinScript {
    PinResult::Status status = PinResult::Status::pinned;
    int pinError = 0;
    int termError = 0;
    bool endsAfterTerm = true;
    int killError = 0;
};

// Signals nothing: plays a script per process and writes down every step in order
// ("pin 42", "signal 42 15", "wait 100000", "probe 42"). Unscripted processes end politely.
class FakeProcessSignals final : public ProcessSignals {
public:
    PinResult pin(const UserProcess& process) override;
    std::size_t pinnableNow() const override { return pinnable; }
    std::vector<bool> awaitEnd(const std::vector<SignalledProcess>& signalled,
                               std::chrono::microseconds grace) override;
    std::size_t pinnable = SIZE_MAX;
    // One script per pin of the process, the last one repeating.
    void script(qint32 pid, const QList<PinScript>& scripts);
    QStringList events() const;
    void record(const QString& event);
    // Called on the scanning thread before each pin, with the process id.
    std::function<void(qint32)> onPin;

private:
    mutable std::mutex mutex_;
    QHash<qint32, QList<PinScript>> scripts_;
    QStringList events_;
};

class FakeSelfMemory final : public SelfMemory {
public:
    qint64 footprintBytes() override { return bytes; }
    void releaseFreeMemory() override { ++releases; }
    qint64 bytes = 0;
    int releases = 0;
};

// Answers the panels with scripted locations and counts beeps.
class FakeFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseSaveLocation(const QString&, const QString&) override {
        ++savePanels;
        return savePath;
    }
    std::optional<QString> chooseFileToOpen() override {
        ++openPanels;
        return openPath;
    }
    void beep() override { ++beeps; }

    std::optional<QString> savePath;
    std::optional<QString> openPath;
    int savePanels = 0;
    int openPanels = 0;
    int beeps = 0;
};
