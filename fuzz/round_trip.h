#pragma once

#include "engine/storage/record_json.h"
#include "record_lines.h"

#include <cstdint>
#include <cstdlib>

// Aborts unless the records `decode` accepts from the input come back the same when written
// by `encode` in either form and read again.
template <class Decode, class Encode>
int checkRoundTrip(const std::uint8_t* data, std::size_t size, Decode decode, Encode encode) {
    const auto records =
        decode(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!records)
        return 0;
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::prettySorted}) {
        const auto again = decode(encode(*records, style));
        if (!again || recordLines(*again) != recordLines(*records))
            std::abort();
    }
    return 0;
}
