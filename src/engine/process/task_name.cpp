#include "engine/process/task_name.h"

namespace {
bool isPrintableAscii(unsigned char byte) {
    return byte >= 0x20 && byte < 0x7f;
}
} // namespace

// Counted without converting: this runs for every row of every scan.
bool isCutTaskName(QStringView shown) {
    if (shown.size() > taskNameBytes)
        return false;
    qsizetype bytes = 0;
    for (const QChar c : shown) {
        const char16_t unit = c.unicode();
        // A surrogate pair is one four-byte character, two bytes per half.
        bytes += unit < 0x80 ? 1 : unit < 0x800 || c.isSurrogate() ? 2 : 3;
    }
    return bytes == taskNameBytes;
}

bool showsTaskName(QByteArrayView shown, QByteArrayView taskName) {
    if (shown.size() != taskName.size())
        return false;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == taskName[i])
            continue;
        if (shown[i] != '?' || isPrintableAscii(static_cast<unsigned char>(taskName[i])))
            return false;
    }
    return true;
}

std::optional<QString> fullTaskName(const QString& shown, QByteArrayView argumentZero) {
    const QByteArray shownBytes = shown.toUtf8();
    if (shownBytes.size() != taskNameBytes)
        return std::nullopt;
    const QByteArrayView component = argumentZero.sliced(argumentZero.lastIndexOf('/') + 1);
    // A name that is no UTF-8 would not survive the way back to the kernel's bytes.
    if (component.size() <= taskNameBytes || !component.isValidUtf8() ||
        !showsTaskName(shownBytes, component.first(taskNameBytes)))
        return std::nullopt;
    return QString::fromUtf8(component);
}
