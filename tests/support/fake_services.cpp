#include "fake_services.h"

#include <csignal>

Result<ToolOutput> FakeProcessRunner::run(const QString&, const QStringList& arguments) {
    std::lock_guard lock(mutex_);
    if (arguments.value(1) == QLatin1String("pid,args"))
        return ToolOutput{"  PID COMMAND\n", 999999};
    ++tableRuns_;
    return ToolOutput{table_, 999999};
}

void FakeProcessRunner::setTable(const QByteArray& table) {
    std::lock_guard lock(mutex_);
    table_ = table;
}

QByteArray
FakeProcessRunner::tableOf(const QList<std::tuple<int, unsigned, qint64, QString>>& rows) {
    QByteArray table = "  PID   UID   RSS COMMAND\n";
    for (const auto& [pid, uid, rss, name] : rows)
        table += QByteArray::number(pid) + ' ' + QByteArray::number(uid) + ' ' +
                 QByteArray::number(rss) + ' ' + name.toUtf8() + '\n';
    return table;
}

namespace {
class ScriptedProcess final : public PinnedProcess {
public:
    ScriptedProcess(FakeProcessSignals& owner, qint32 pid, PinScript script)
        : owner_(owner), pid_(pid), script_(script) {}
    int sendSignal(int signal) override {
        owner_.record(QStringLiteral("signal %1 %2").arg(pid_).arg(signal));
        return signal == SIGTERM ? script_.termError : script_.killError;
    }
    bool hasEnded() override {
        owner_.record(QStringLiteral("probe %1").arg(pid_));
        return script_.endsAfterTerm;
    }

private:
    FakeProcessSignals& owner_;
    qint32 pid_;
    PinScript script_;
};
} // namespace

PinResult FakeProcessSignals::pin(const UserProcess& process) {
    if (onPin)
        onPin(process.pid);
    record(QStringLiteral("pin %1").arg(process.pid));
    PinScript script;
    {
        std::lock_guard lock(mutex_);
        QList<PinScript>& queue = scripts_[process.pid];
        script = queue.size() > 1 ? queue.takeFirst() : queue.value(0);
    }
    PinResult result{script.status, script.pinError, nullptr};
    if (script.status == PinResult::Status::pinned)
        result.process = std::make_unique<ScriptedProcess>(*this, process.pid, script);
    return result;
}

std::vector<bool> FakeProcessSignals::awaitEnd(const std::vector<SignalledProcess>& signalled,
                                               std::chrono::microseconds grace) {
    record(QStringLiteral("wait %1").arg(grace.count()));
    std::vector<bool> ended;
    for (const SignalledProcess& process : signalled)
        ended.push_back(process.process->hasEnded());
    return ended;
}

void FakeProcessSignals::script(qint32 pid, const QList<PinScript>& scripts) {
    std::lock_guard lock(mutex_);
    scripts_.insert(pid, scripts);
}

QStringList FakeProcessSignals::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

void FakeProcessSignals::record(const QString& event) {
    std::lock_guard lock(mutex_);
    events_.append(event);
}
