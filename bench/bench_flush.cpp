// A flush of 200 entries into a day file of 10,000 and of 100,000 entries (goal: at most 5 ms,
// whatever the file's size), against a rewrite of the whole file as flushes were once made;
// real files in a temporary directory, the two taking turns run by run.
#include "bench_timing.h"
#include "file_system.h"
#include "kill_log_store.h"
#include "record_json.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int runs = 15;
constexpr double goalMs = 5.0;
const QDate day(2024, 3, 1);

QList<KillLogEntry> makeEntries(int count, int firstPid) {
    static const QStringList names = {QStringLiteral("Web Content"), QStringLiteral("chrome"),
                                      QStringLiteral("Isolated Servic"), QStringLiteral("ストア"),
                                      QStringLiteral("updater \"beta\"")};
    QList<KillLogEntry> entries;
    entries.reserve(count);
    const QDateTime morning(day, QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        const QString& name = names[i % names.size()];
        const qint32 pid = firstPid + i;
        entries.append({QUuid::createUuid(), morning.addSecs(i % 3600).toUTC(), name, pid,
                        i % 7 != 0,
                        QStringLiteral("Killed %1 (PID %2), freed 152.3 MB").arg(name).arg(pid)});
    }
    return entries;
}

// A flush as it was: read the day file, check it, splice, replace it atomically.
bool rewriteWhole(FileSystem& files, const QString& path, const QList<KillLogEntry>& batch) {
    const std::optional<QByteArray> existing = files.read(path);
    const std::optional<QByteArray> combined =
        existing ? appendedLogArray(*existing, encodeLogEntries(batch, JsonStyle::prettySorted))
                 : std::nullopt;
    return combined && files.writeAtomically(path, *combined).isEmpty();
}

qsizetype entriesIn(FileSystem& files, const QString& path) {
    const std::optional<QByteArray> bytes = files.read(path);
    const auto entries = bytes ? decodeLogEntries(*bytes) : std::nullopt;
    return entries ? entries->size() : -1;
}

void printSpread(const char* what, const Spread& spread) {
    std::printf("  %-34s %8.2f %8.2f %8.2f ms\n", what, spread.min, spread.median, spread.max);
}
} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    LocalFileSystem files;
    bool isMet = true;
    std::printf("flush of 200 entries, %d runs each, turn by turn     min   median      max\n",
                runs);
    for (const int size : {10000, 100000}) {
        const QString appendDir = dir.filePath(QStringLiteral("append-%1").arg(size));
        const QString rewriteDir = dir.filePath(QStringLiteral("rewrite-%1").arg(size));
        KillLogStore store(files, appendDir);
        store.createDirectory();
        files.makePath(rewriteDir);
        const QString appendPath = appendDir + u'/' + KillLogStore::dayFileName(day);
        const QString rewritePath = rewriteDir + u'/' + KillLogStore::dayFileName(day);
        const QByteArray existing =
            encodeLogEntries(makeEntries(size, 1000), JsonStyle::prettySorted);
        // The program's first flush of a day checks the file whole; later ones are measured.
        bool isWritten = files.writeAtomically(appendPath, existing).isEmpty() &&
                         files.writeAtomically(rewritePath, existing).isEmpty() &&
                         store.append(makeEntries(200, 0)).isEmpty() &&
                         rewriteWhole(files, rewritePath, makeEntries(200, 0));
        std::vector<double> appendMs;
        std::vector<double> rewriteMs;
        for (int run = 0; run < runs; ++run) {
            const QList<KillLogEntry> batch = makeEntries(200, 900000 + run * 200);
            appendMs.push_back(elapsedMs([&] { isWritten &= store.append(batch).isEmpty(); }));
            rewriteMs.push_back(
                elapsedMs([&] { isWritten &= rewriteWhole(files, rewritePath, batch); }));
        }
        const qsizetype expected = size + 200 * (runs + 1);
        if (!isWritten || entriesIn(files, appendPath) != expected ||
            entriesIn(files, rewritePath) != expected) {
            std::fprintf(stderr, "the flushes did not leave %lld entries\n", (long long)expected);
            return 1;
        }
        const Spread append = spreadOf(appendMs);
        const Spread rewrite = spreadOf(rewriteMs);
        std::printf("into a day file of %d entries (%.1f MB):\n", size,
                    double(existing.size()) / 1048576.0);
        printSpread("append (flush now)", append);
        printSpread("whole rewrite (flush before)", rewrite);
        std::printf("  median ratio rewrite / append: %.0fx\n", rewrite.median / append.median);
        isMet = isMet && append.median <= goalMs;
    }
    std::printf("goal: a flush's median <= %.0f ms at both sizes: %s\n", goalMs,
                isMet ? "met" : "MISSED");
    return isMet ? 0 : 1;
}
