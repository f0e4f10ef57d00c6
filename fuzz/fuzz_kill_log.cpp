// Every kill log the reader accepts is written in both forms and read back unchanged.
#include "round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return checkRoundTrip(data, size, decodeLogEntries, encodeLogEntries);
}
