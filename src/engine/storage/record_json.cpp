// JSON is ours: QJsonDocument lacks duplicate-key and exact-number checks. Ids, dates are Qt's.
#include "engine/storage/record_json.h"

#include "engine/storage/strict_json_reader.h"

#include <QStringDecoder>

namespace {
// ---- Text forms of ids, timestamps and names

void appendUuid(QByteArray& out, const QUuid& id) {
    out += '"';
    out += id.toByteArray(QUuid::WithoutBraces).toUpper();
    out += '"';
}

// The 8-4-4-4-12 form only: no braces, no URN prefix, digits in either case.
std::optional<QUuid> parseUuid(QByteArrayView text) {
    static constexpr QLatin1StringView nil("00000000-0000-0000-0000-000000000000");
    const QLatin1StringView latin1(text.data(), text.size());
    if (latin1.size() != nil.size())
        return std::nullopt;
    // Qt answers a text it cannot read with the nil id, which is also an id of its own.
    const QUuid id = QUuid::fromString(latin1);
    if (id.isNull() && latin1 != nil)
        return std::nullopt;
    return id;
}

void appendDecimal(QByteArray& out, int value, int digits) {
    char text[4];
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        text[i] = char('0' + value % 10);
    out.append(text, digits);
}

// "YYYY-MM-DDTHH:MM:SSZ" in UTC; sub-second parts are dropped, not rounded. The digits are
// written here because Qt's ISO form has no year 0000, which names the year before 1.
bool appendTimestamp(QByteArray& out, const QDateTime& moment) {
    if (!moment.isValid())
        return false;
    const QDateTime utc = moment.toUTC();
    const QDate date = utc.date();
    const QTime time = utc.time();
    const int year = date.year() < 0 ? date.year() + 1 : date.year();
    if (year < 0 || year > 9999)
        return false;
    out += '"';
    appendDecimal(out, year, 4);
    out += '-';
    appendDecimal(out, date.month(), 2);
    out += '-';
    appendDecimal(out, date.day(), 2);
    out += 'T';
    appendDecimal(out, time.hour(), 2);
    out += ':';
    appendDecimal(out, time.minute(), 2);
    out += ':';
    appendDecimal(out, time.second(), 2);
    out += "Z\"";
    return true;
}

struct UtcMoment {
    QDate date;
    QTime time;
};

// A real UTC moment written exactly as appendTimestamp writes it. A QDateTime is made only for
// the records kept: a check of a whole day file makes none.
std::optional<UtcMoment> parseTimestamp(QByteArrayView text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    bool allDigits = true;
    const auto number = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            allDigits = allDigits && text[i] >= '0' && text[i] <= '9';
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4);
    const QDate date(year == 0 ? -1 : year, number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!allDigits || !date.isValid() || !time.isValid())
        return std::nullopt;
    return UtcMoment{date, time};
}

// QString::fromUtf8 drops a leading U+FEFF as a byte-order mark; in a name it is content.
QString textOf(QByteArrayView utf8) {
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(utf8);
}

// ---- Writing

void appendString(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    out += '"';
    const char* run = utf8.constData();
    const char* const end = run + utf8.size();
    for (const char* p = run; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(run, p - run);
        run = p + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += "\\u00";
            out += "0123456789ABCDEF"[c >> 4];
            out += "0123456789ABCDEF"[c & 0xF];
        }
    }
    out.append(run, end - run);
    out += '"';
}

void appendBool(QByteArray& out, bool value) {
    out += value ? "true" : "false";
}

struct Layout {
    const char* arrayOpen;
    const char* objectSeparator;
    const char* objectOpen;
    const char* firstMember;
    const char* nextMember;
    const char* nameEnd;
    const char* objectClose;
    const char* arrayClose;
};

constexpr Layout compactLayout{"[", ",", "{", "\"", ",\"", "\":", "}", "]"};
constexpr Layout prettyLayout{"[\n", ",\n", "  {", "\n    \"", ",\n    \"", "\": ", "\n  }", "\n]"};

// Writes the members of one object; the callers name them in byte order of their keys, which
// makes the pretty form sorted and does no harm to the compact one.
class ObjectWriter {
public:
    ObjectWriter(QByteArray& out, const Layout& layout) : out_(out), layout_(layout) {
        out_ += layout_.objectOpen;
    }

    QByteArray& member(const char* name) {
        out_ += isFirst_ ? layout_.firstMember : layout_.nextMember;
        isFirst_ = false;
        out_ += name;
        out_ += layout_.nameEnd;
        return out_;
    }

    void close() { out_ += layout_.objectClose; }

private:
    QByteArray& out_;
    const Layout& layout_;
    bool isFirst_ = true;
};

template <class Record, class ObjectEncoder>
QByteArray encodeArray(const QList<Record>& records, JsonStyle style, ObjectEncoder encodeObject) {
    if (records.isEmpty())
        return QByteArrayLiteral("[]");
    const Layout& layout = style == JsonStyle::compact ? compactLayout : prettyLayout;
    QByteArray out;
    out.reserve(records.size() * 256);
    out += layout.arrayOpen;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (i > 0)
            out += layout.objectSeparator;
        ObjectWriter object(out, layout);
        if (!encodeObject(object, records[i]))
            return {};
        object.close();
    }
    out += layout.arrayClose;
    return out;
}

// ---- Reading

// Takes one member's value when it is there and valid: `store` gets it and the member counts as
// seen. A second copy of the same member makes the object ambiguous.
template <class Value, class Store>
bool take(unsigned& seen, unsigned member, const std::optional<Value>& value, Store store) {
    if (!value || (seen & member))
        return false;
    seen |= member;
    store(*value);
    return true;
}

std::optional<QUuid> readUuid(StrictJsonReader& reader) {
    const auto text = reader.readString();
    return text ? parseUuid(*text) : std::nullopt;
}

std::optional<UtcMoment> readTimestamp(StrictJsonReader& reader) {
    const auto text = reader.readString();
    return text ? parseTimestamp(*text) : std::nullopt;
}

std::optional<MatchMode> readMatchMode(StrictJsonReader& reader) {
    const auto text = reader.readString();
    return text ? matchModeFromRawValue(textOf(*text)) : std::nullopt;
}

std::optional<TargetProcess> readTarget(StrictJsonReader& reader) {
    enum : unsigned { id = 1, name = 2, matchMode = 4, isEnabled = 8, all = 15 };
    TargetProcess target;
    unsigned seen = 0;
    const bool isWellFormed = readObject(reader, [&](QByteArrayView key) {
        if (key == "id")
            return take(seen, id, readUuid(reader), [&](QUuid value) { target.id = value; });
        if (key == "name")
            return take(seen, name, reader.readString(),
                        [&](QByteArrayView text) { target.name = textOf(text); });
        if (key == "matchMode")
            return take(seen, matchMode, readMatchMode(reader),
                        [&](MatchMode mode) { target.matchMode = mode; });
        if (key == "isEnabled")
            return take(seen, isEnabled, reader.readBool(),
                        [&](bool flag) { target.isEnabled = flag; });
        return reader.skipValue();
    });
    if (!isWellFormed || seen != all)
        return std::nullopt;
    return target;
}

// Checks one log object, and fills `entry` when there is one; a check alone builds nothing.
bool readLogEntry(StrictJsonReader& reader, KillLogEntry* entry) {
    enum : unsigned {
        id = 1,
        timestamp = 2,
        processName = 4,
        pid = 8,
        success = 16,
        message = 32,
        all = 63
    };
    // What is kept of a member's value, and only when there is an entry to fill.
    const auto into = [entry](auto keep) {
        return [entry, keep](const auto& value) {
            if (entry)
                keep(*entry, value);
        };
    };
    unsigned seen = 0;
    const bool isWellFormed = readObject(reader, [&](QByteArrayView key) {
        if (key == "id")
            return take(seen, id, readUuid(reader),
                        into([](KillLogEntry& e, QUuid value) { e.id = value; }));
        if (key == "timestamp")
            return take(seen, timestamp, readTimestamp(reader),
                        into([](KillLogEntry& e, const UtcMoment& moment) {
                            e.timestamp = QDateTime(moment.date, moment.time, Qt::UTC);
                        }));
        if (key == "processName")
            return take(
                seen, processName, reader.readString(),
                into([](KillLogEntry& e, QByteArrayView text) { e.processName = textOf(text); }));
        if (key == "pid")
            return take(seen, pid, reader.readInt32(),
                        into([](KillLogEntry& e, qint32 value) { e.pid = value; }));
        if (key == "success")
            return take(seen, success, reader.readBool(),
                        into([](KillLogEntry& e, bool flag) { e.success = flag; }));
        if (key == "message")
            return take(
                seen, message, reader.readString(),
                into([](KillLogEntry& e, QByteArrayView text) { e.message = textOf(text); }));
        return reader.skipValue();
    });
    return isWellFormed && seen == all;
}

std::optional<qsizetype> countLogEntries(QByteArrayView json) {
    StrictJsonReader reader(json);
    qsizetype count = 0;
    const bool isWellFormed = readArray(reader, [&] {
        ++count;
        return readLogEntry(reader, nullptr);
    });
    if (!isWellFormed || !reader.atEnd())
        return std::nullopt;
    return count;
}
} // namespace

QByteArray encodeTargets(const QList<TargetProcess>& targets, JsonStyle style) {
    return encodeArray(targets, style, [](ObjectWriter& object, const TargetProcess& target) {
        appendUuid(object.member("id"), target.id);
        appendBool(object.member("isEnabled"), target.isEnabled);
        appendString(object.member("matchMode"), matchModeRawValue(target.matchMode));
        appendString(object.member("name"), target.name);
        return true;
    });
}

std::optional<QList<TargetProcess>> decodeTargets(QByteArrayView json) {
    StrictJsonReader reader(json);
    QList<TargetProcess> targets;
    const bool isWellFormed = readArray(reader, [&] {
        std::optional<TargetProcess> target = readTarget(reader);
        if (target)
            targets.append(std::move(*target));
        return target.has_value();
    });
    if (!isWellFormed || !reader.atEnd())
        return std::nullopt;
    return targets;
}

QByteArray encodeLogEntries(const QList<KillLogEntry>& entries, JsonStyle style) {
    return encodeArray(entries, style, [](ObjectWriter& object, const KillLogEntry& entry) {
        appendUuid(object.member("id"), entry.id);
        appendString(object.member("message"), entry.message);
        object.member("pid") += QByteArray::number(entry.pid);
        appendString(object.member("processName"), entry.processName);
        appendBool(object.member("success"), entry.success);
        return appendTimestamp(object.member("timestamp"), entry.timestamp);
    });
}

std::optional<QList<KillLogEntry>> decodeLogEntries(QByteArrayView json) {
    StrictJsonReader reader(json);
    QList<KillLogEntry> entries;
    const bool isWellFormed = readArray(reader, [&] {
        KillLogEntry entry;
        if (!readLogEntry(reader, &entry))
            return false;
        entries.append(std::move(entry));
        return true;
    });
    if (!isWellFormed || !reader.atEnd())
        return std::nullopt;
    return entries;
}

std::optional<QByteArray> appendedLogArray(QByteArrayView existing, QByteArrayView added) {
    const std::optional<qsizetype> existingCount = countLogEntries(existing);
    if (!existingCount)
        return std::nullopt;
    if (*existingCount == 0)
        return added.toByteArray();
    if (added == "[]")
        return existing.toByteArray();
    // Both arrays are well formed and non-empty: drop the one's closing and the other's opening
    // bracket and join the elements, in the layout `added` was written in.
    QByteArrayView head = existing;
    while (isJsonWhitespace(head.back()))
        head.chop(1);
    head.chop(1);
    while (isJsonWhitespace(head.back()))
        head.chop(1);
    const bool isPretty = added.startsWith(prettyLayout.arrayOpen);
    const QByteArrayView tail = added.sliced(isPretty ? 2 : 1);
    QByteArray joined;
    joined.reserve(head.size() + tail.size() + 2);
    joined += head;
    joined += isPretty ? prettyLayout.objectSeparator : compactLayout.objectSeparator;
    joined += tail;
    return joined;
}
