// Decoding 100 MB inputs of hostile shapes: each must end in bounded time, none may crash.
#include "engine/storage/record_json.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

namespace {
constexpr qsizetype size = 100 * 1024 * 1024;

const QByteArray entry = "{\"id\":\"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC\","
                         "\"timestamp\":\"2024-03-01T12:34:56Z\",\"processName\":\"Safari\","
                         "\"pid\":4242,\"success\":true,\"message\":\"Killed\"";

QByteArray randomBytes() {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

QByteArray entryWithNote(const QByteArray& note) {
    return "[" + entry + ",\"note\":" + note + "}]";
}

void measure(const char* shape, const QByteArray& json) {
    QElapsedTimer timer;
    timer.start();
    const bool decodes = decodeLogEntries(json).has_value();
    std::printf("  %-40s %8.1f ms  %s\n", shape, timer.nsecsElapsed() / 1e6,
                decodes ? "decodes" : "fails");
}
} // namespace

int main() {
    std::printf("decodeLogEntries on 100 MB inputs:\n");
    measure("random bytes", randomBytes());
    measure("unterminated string", "[{\"message\":\"" + QByteArray(size, 'a'));
    measure("one good entry with a 100 MB message",
            "[" + entry.chopped(8) + "\"" + QByteArray(size, 'a') + "\"}]");
    measure("100 MB of nesting in an ignored member",
            entryWithNote(QByteArray(size / 2, '[') + QByteArray(size / 2, ']')));
    measure("valid entries, bad last element",
            "[" + (entry + "},").repeated(size / (entry.size() + 2)) + "{}]");
    return 0;
}
