// A day file (the bytes before the first NUL) gets a batch (the log after it, when it decodes)
// appended: the result reads as the file's entries followed by the batch's, and keeps the file's
// bytes up to its last entry; a file that does not decode gets nothing.
#include "engine/storage/record_json.h"
#include "record_lines.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    if (split < 0)
        return 0;
    const QByteArrayView dayFile = input.first(split);
    const auto batch = decodeLogEntries(input.sliced(split + 1));
    if (!batch)
        return 0;
    const auto existing = decodeLogEntries(dayFile);
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::prettySorted}) {
        const QByteArray added = encodeLogEntries(*batch, style);
        const auto joined = appendedLogArray(dayFile, added);
        if (joined.has_value() != existing.has_value())
            std::abort();
        if (!joined)
            continue;
        const auto decoded = decodeLogEntries(*joined);
        if (!decoded || recordLines(*decoded) != recordLines(*existing + *batch))
            std::abort();
        const QByteArrayView kept = existing->isEmpty()
                                        ? QByteArrayView(added)
                                        : dayFile.first(dayFile.lastIndexOf('}') + 1);
        if (!joined->startsWith(kept))
            std::abort();
    }
    return 0;
}
