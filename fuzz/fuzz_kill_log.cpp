// Every kill log the decoder accepts is written in both forms and read back unchanged.
#include "record_json.h"
#include "record_lines.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto entries =
        decodeLogEntries(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!entries)
        return 0;
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::prettySorted}) {
        const auto again = decodeLogEntries(encodeLogEntries(*entries, style));
        if (!again || recordLines(*again) != recordLines(*entries))
            std::abort();
    }
    return 0;
}
