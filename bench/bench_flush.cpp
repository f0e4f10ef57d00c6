// A flush of 200 entries into a day file that already holds 20,000 (goal: at most 50 ms), and
// what its steps and the alternatives cost, on real files in a temporary directory.
#include "file_system.h"
#include "kill_log_store.h"
#include "record_json.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int runs = 15;
constexpr double goalMs = 50.0;

QList<KillLogEntry> makeEntries(int count, int firstPid) {
    static const QStringList names = {QStringLiteral("Web Content"), QStringLiteral("chrome"),
                                      QStringLiteral("Isolated Servic"), QStringLiteral("ストア"),
                                      QStringLiteral("updater \"beta\"")};
    QList<KillLogEntry> entries;
    entries.reserve(count);
    QDateTime moment(QDate(2024, 3, 1), QTime(8, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const QString& name = names[i % names.size()];
        const qint32 pid = firstPid + i;
        entries.append({QUuid::createUuid(), moment.addSecs(i), name, pid, i % 7 != 0,
                        QStringLiteral("Killed %1 (PID %2), freed 152.3 MB").arg(name).arg(pid)});
    }
    return entries;
}

// Median wall time of `step` in milliseconds; `prepare` runs untimed before each run.
template <class Prepare, class Step> double medianMs(Prepare prepare, Step step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

template <class Step> double medianMs(Step step) {
    return medianMs([] {}, step);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

void print(const char* what, double ms) {
    std::printf("  %-52s %8.2f ms\n", what, ms);
}
} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary directory\n");
        return 1;
    }
    LocalFileSystem files;
    KillLogStore store(files, dir.path());
    const QDate day(2024, 3, 1);
    const QString path = dir.filePath(KillLogStore::dayFileName(day));

    const QList<KillLogEntry> existing = makeEntries(20000, 1000);
    const QList<KillLogEntry> batch = makeEntries(200, 900000);
    const QByteArray existingBytes = encodeLogEntries(existing, JsonStyle::prettySorted);
    const QByteArray batchBytes = encodeLogEntries(batch, JsonStyle::prettySorted);

    bool allWritten = true;
    const double flush =
        medianMs([&] { allWritten = writeFile(path, existingBytes) && allWritten; },
                 [&] { allWritten = store.appendToDay(day, batch) && allWritten; });
    const auto reread = files.read(path);
    const auto decoded = reread ? decodeLogEntries(*reread) : std::nullopt;
    if (!allWritten || !decoded || decoded->size() != existing.size() + batch.size()) {
        std::fprintf(stderr, "the flush did not produce 20,200 entries\n");
        return 1;
    }

    std::printf("day file: %d entries, %.1f MB pretty; flush: %d entries; median of %d runs\n",
                int(existing.size()), existingBytes.size() / 1048576.0, int(batch.size()), runs);
    print("appendToDay (read, check, splice, atomic write)", flush);
    print("  read the day file", medianMs([&] { files.read(path); }));
    print("  encode the 200 new entries",
          medianMs([&] { encodeLogEntries(batch, JsonStyle::prettySorted); }));
    print("  check the old content and splice",
          medianMs([&] { appendedLogArray(existingBytes, batchBytes); }));
    print("  write 4.8 MB atomically (QSaveFile, commit)",
          medianMs([&] { files.writeAtomically(path, existingBytes); }));
    std::printf("for comparison:\n");
    print("decode 20,000 entries into records", medianMs([&] { decodeLogEntries(existingBytes); }));
    print("encode 20,200 entries (a full rewrite)",
          medianMs([&] { encodeLogEntries(*decoded, JsonStyle::prettySorted); }));

    const bool isMet = flush <= goalMs;
    std::printf("goal: appendToDay <= %.0f ms: %s\n", goalMs, isMet ? "met" : "MISSED");
    return isMet ? 0 : 1;
}
