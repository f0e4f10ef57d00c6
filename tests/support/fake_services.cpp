#include "fake_services.h"

#include <csignal>

std::optional<ToolOutput> FakeProcessRunner::run(const QString&, const QStringList& arguments) {
    std::lock_guard lock(mutex_);
    if (arguments.value(1) == QLatin1String("pid,args"))
        return ToolOutput{commandLines_, 999999};
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
class EndsOnTerm final : public PinnedProcess {
public:
    EndsOnTerm(qint32 pid, std::mutex& mutex, QList<std::pair<qint32, int>>& sent)
        : pid_(pid), mutex_(mutex), sent_(sent) {}
    int sendSignal(int signal) override {
        std::lock_guard lock(mutex_);
        sent_.append({pid_, signal});
        return 0;
    }
    bool hasEnded() override { return true; }

private:
    qint32 pid_;
    std::mutex& mutex_;
    QList<std::pair<qint32, int>>& sent_;
};
} // namespace

PinResult FakeProcessSignals::pin(const UserProcess& process) {
    return PinResult{PinResult::Status::pinned, 0,
                     std::make_unique<EndsOnTerm>(process.pid, mutex_, sent_)};
}

QList<std::pair<qint32, int>> FakeProcessSignals::sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

std::optional<QString> FakeFileChooser::chooseSaveLocation(const QString& title,
                                                           const QString& suggestedName) {
    ++savePanels;
    lastTitle = title;
    lastSuggestedName = suggestedName;
    return savePath;
}
