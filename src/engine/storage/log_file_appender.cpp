#include "engine/storage/log_file_appender.h"

#include "engine/base/engine_log.h"
#include "engine/storage/record_json.h"

#include <QFile>
#include <QList>

namespace {
// More than the end of any array this program writes, whitespace included.
constexpr qint64 endWindow = 256;

// Where the last element of an array on disk ends, and the bytes after it.
struct ArrayEnd {
    qint64 offset = 0;
    QByteArray rest;
};

// The bytes an in-place append replaces, and where they begin.
struct UndoNote {
    QString path;
    qint64 offset = 0;
    QByteArray replaced;
};

// The array's last bytes must close a non-empty array: "}", whitespace, "]", whitespace.
std::optional<ArrayEnd> arrayEnd(const FileSystem& files, const QString& path, qint64 size) {
    const qint64 from = std::max<qint64>(0, size - endWindow);
    const Result<QByteArray> end = files.readAt(path, from, size - from);
    if (!end || end->size() != size - from)
        return std::nullopt;
    const QByteArrayView closed = QByteArrayView(*end).trimmed();
    if (!closed.endsWith(']'))
        return std::nullopt;
    const QByteArrayView elements = closed.chopped(1).trimmed();
    if (!elements.endsWith('}'))
        return std::nullopt;
    const qsizetype cut = elements.data() + elements.size() - end->constData();
    return ArrayEnd{from + cut, end->sliced(cut)};
}

// The elements of `added` as they follow an existing element: a pretty array opens with "[\n"
// and separates its elements with ",\n".
QByteArray continuation(const QByteArray& added) {
    return ",\n" + added.sliced(2);
}

// "<offset> <path size> <replaced size>\n<path><replaced>": a note cut short never reads whole.
QByteArray encodeNote(const UndoNote& note) {
    const QByteArray path = QFile::encodeName(note.path);
    return QByteArray::number(note.offset) + ' ' + QByteArray::number(path.size()) + ' ' +
           QByteArray::number(note.replaced.size()) + '\n' + path + note.replaced;
}

std::optional<UndoNote> decodeNote(const QByteArray& bytes) {
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QList<QByteArray> numbers = bytes.left(lineEnd).split(' ');
    if (lineEnd < 0 || numbers.size() != 3)
        return std::nullopt;
    qint64 values[3];
    for (int i = 0; i < 3; ++i) {
        bool isNumber = false;
        values[i] = numbers[i].toLongLong(&isNumber);
        if (!isNumber || values[i] < 0)
            return std::nullopt;
    }
    const auto [offset, pathSize, replacedSize] = values;
    if (pathSize > bytes.size() || replacedSize != bytes.size() - lineEnd - 1 - pathSize)
        return std::nullopt;
    return UndoNote{QFile::decodeName(bytes.mid(lineEnd + 1, pathSize)), offset,
                    bytes.right(replacedSize)};
}

// True when the note may go: it names no log file of its own folder, or not the end of an array
// (then it is not ours to follow); the file is whole (the append ended, or never began), gone or
// no regular file; or the undo mended it and is on disk.
bool rollBack(FileSystem& files, const UndoNote& note, const QString& folder,
              const std::function<bool(const QString&)>& isLogFileName) {
    if (folderOf(note.path) != folder || !isLogFileName(note.path.sliced(folder.size() + 1)) ||
        QByteArrayView(note.replaced).trimmed() != "]")
        return true;
    const Result<FileStamp> stamp = files.stamp(note.path);
    if (!stamp)
        return true;
    const Result<QByteArray> content = files.readAt(note.path, 0, stamp->size);
    if (!content)
        return false;
    if (decodeLogEntries(*content) || content->size() < note.offset)
        return true;
    if (!decodeLogEntries(content->first(note.offset) + note.replaced))
        return true;
    return files.writeAt(note.path, note.offset, note.replaced) && files.sync(note.path);
}

void warnNotWritten(const QString& path, const Error& error) {
    qCWarning(engineLog).noquote()
        << QStringLiteral("Could not write %1: %2").arg(path, error.reason);
}

bool isStampIn(const QHash<QString, FileStamp>& stamps, const QString& path,
               const FileStamp& stamp) {
    const auto found = stamps.constFind(path);
    return found != stamps.cend() && *found == stamp;
}
} // namespace

LogFileAppender::LogFileAppender(FileSystem& files, QString notePath,
                                 std::function<bool(const QString&)> isLogFileName)
    : files_(files), notePath_(std::move(notePath)), isLogFileName_(std::move(isLogFileName)) {}

Result<LogFileAppender::Outcome> LogFileAppender::append(const QString& path,
                                                         const QByteArray& added) {
    const Result<FileStamp> stamp = files_.stamp(path);
    if (!stamp) {
        if (files_.exists(path))
            return Outcome::refused;
        if (const Result<void> written = files_.writeAtomically(path, added); !written) {
            warnNotWritten(path, written.error());
            return written.error();
        }
        remember(path);
        return Outcome::appended;
    }
    if (isStampIn(refused_, path, *stamp))
        return Outcome::refused;
    if (isNoteClear_ && isStampIn(verified_, path, *stamp)) {
        if (const std::optional<Outcome> outcome = appendInPlace(path, stamp->size, added))
            return *outcome;
    }
    const Result<QByteArray> existing = files_.read(path);
    const std::optional<QByteArray> combined =
        existing ? appendedLogArray(*existing, added) : std::nullopt;
    if (!combined)
        return refuse(path);
    if (const Result<void> written = files_.writeAtomically(path, *combined); !written) {
        warnNotWritten(path, written.error());
        return refuse(path);
    }
    remember(path);
    return Outcome::appended;
}

// Nothing when the file's end or the note does not allow it; the caller checks the file whole.
std::optional<LogFileAppender::Outcome>
LogFileAppender::appendInPlace(const QString& path, qint64 size, const QByteArray& added) {
    const std::optional<ArrayEnd> end = arrayEnd(files_, path, size);
    if (!end)
        return std::nullopt;
    isNoteClear_ = false;
    // The note is on disk before the file changes, and the file before the note goes: a power
    // cut at any moment leaves the file whole, or torn beside the note that mends it.
    if (!writeNote(encodeNote({path, end->offset, end->rest})))
        return std::nullopt;
    // A write cut short is undone by the next user of the lock, as after a crash.
    Result<void> written = files_.writeAt(path, end->offset, continuation(added));
    if (written)
        written = files_.sync(path);
    if (!written) {
        warnNotWritten(path, written.error());
        return refuse(path);
    }
    isNoteClear_ = files_.writeAt(notePath_, 0, {}).hasValue();
    remember(path);
    return Outcome::appended;
}

// The note's own name must be on disk too; the lock made the file, and nothing synced its folder.
bool LogFileAppender::writeNote(const QByteArray& note) {
    if (!isNoteNamed_)
        isNoteNamed_ = files_.syncFolder(folderOf(notePath_)).hasValue();
    return isNoteNamed_ && files_.writeAt(notePath_, 0, note) && files_.sync(notePath_);
}

void LogFileAppender::undoUnfinished() {
    const Result<QByteArray> bytes = files_.read(notePath_);
    if (!bytes) {
        isNoteClear_ = false;
        return;
    }
    if (bytes->isEmpty()) {
        isNoteClear_ = true;
        return;
    }
    const std::optional<UndoNote> note = decodeNote(*bytes);
    isNoteClear_ = (!note || rollBack(files_, *note, folderOf(notePath_), isLogFileName_)) &&
                   files_.writeAt(notePath_, 0, {});
}

void LogFileAppender::forgetFiles() {
    verified_.clear();
    refused_.clear();
}

LogFileAppender::Outcome LogFileAppender::refuse(const QString& path) {
    verified_.remove(path);
    if (const Result<FileStamp> stamp = files_.stamp(path))
        refused_.insert(path, *stamp);
    return Outcome::refused;
}

void LogFileAppender::remember(const QString& path) {
    refused_.remove(path);
    if (const Result<FileStamp> stamp = files_.stamp(path))
        verified_.insert(path, *stamp);
    else
        verified_.remove(path);
}
