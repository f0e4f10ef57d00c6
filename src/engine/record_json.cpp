#include "record_json.h"

#include "strict_json_reader.h"

namespace {
// ---- Text forms of ids and timestamps

constexpr char upperHexDigits[] = "0123456789ABCDEF";

void appendHex(QByteArray& out, quint32 value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += upperHexDigits[(value >> shift) & 0xF];
}

void appendUuid(QByteArray& out, const QUuid& id) {
    out += '"';
    appendHex(out, id.data1, 8);
    out += '-';
    appendHex(out, id.data2, 4);
    out += '-';
    appendHex(out, id.data3, 4);
    out += '-';
    appendHex(out, quint32(id.data4[0]) << 8 | id.data4[1], 4);
    out += '-';
    for (int i = 2; i < 8; ++i)
        appendHex(out, id.data4[i], 2);
    out += '"';
}

// The 8-4-4-4-12 form only: no braces, no URN prefix, digits in either case.
std::optional<QUuid> parseUuid(QByteArrayView text) {
    if (text.size() != 36)
        return std::nullopt;
    char bytes[16];
    int count = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-')
                return std::nullopt;
            ++i;
            continue;
        }
        const int high = hexDigitValue(text[i]);
        const int low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[count++] = char(high << 4 | low);
        i += 2;
    }
    return QUuid::fromRfc4122(QByteArrayView(bytes, sizeof bytes));
}

struct CivilDate {
    qint64 year;
    int month;
    int day;
};

// Proleptic Gregorian calendar, days counted from 1970-01-01 (after H. Hinnant's algorithms).
qint64 daysFromCivil(qint64 year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(qint64 days) {
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

int daysInMonth(qint64 year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool isLeapYear = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month == 2 && isLeapYear ? 29 : days[month - 1];
}

qint64 floorDivide(qint64 value, qint64 divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

void appendDecimal(QByteArray& out, qint64 value, int digits) {
    char text[4];
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        text[i] = char('0' + value % 10);
    out.append(text, digits);
}

// "YYYY-MM-DDTHH:MM:SSZ" in UTC; sub-second parts are dropped, not rounded.
bool appendTimestamp(QByteArray& out, const QDateTime& moment) {
    if (!moment.isValid())
        return false;
    const qint64 seconds = floorDivide(moment.toMSecsSinceEpoch(), 1000);
    const qint64 days = floorDivide(seconds, 86400);
    const qint64 secondOfDay = seconds - days * 86400;
    const CivilDate date = civilFromDays(days);
    if (date.year < 0 || date.year > 9999)
        return false;
    out += '"';
    appendDecimal(out, date.year, 4);
    out += '-';
    appendDecimal(out, date.month, 2);
    out += '-';
    appendDecimal(out, date.day, 2);
    out += 'T';
    appendDecimal(out, secondOfDay / 3600, 2);
    out += ':';
    appendDecimal(out, secondOfDay / 60 % 60, 2);
    out += ':';
    appendDecimal(out, secondOfDay % 60, 2);
    out += "Z\"";
    return true;
}

// Seconds since 1970 of a real UTC moment written exactly as appendTimestamp writes it.
std::optional<qint64> parseTimestamp(QByteArrayView text) {
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
    const int month = number(5, 2);
    const int day = number(8, 2);
    const int hour = number(11, 2);
    const int minute = number(14, 2);
    const int second = number(17, 2);
    if (!allDigits || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) ||
        hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
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
            appendHex(out, c, 2);
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

// Marks a member as seen; a second copy of the same member makes the object ambiguous.
bool claim(unsigned& seen, unsigned member) {
    if (seen & member)
        return false;
    seen |= member;
    return true;
}

std::optional<TargetProcess> readTarget(StrictJsonReader& reader) {
    enum : unsigned { id = 1, name = 2, matchMode = 4, isEnabled = 8, all = 15 };
    TargetProcess target;
    unsigned seen = 0;
    const bool isWellFormed = readObject(reader, [&](QByteArrayView key) {
        if (key == "id") {
            const auto text = reader.readString();
            const auto uuid = text ? parseUuid(*text) : std::nullopt;
            if (uuid)
                target.id = *uuid;
            return uuid && claim(seen, id);
        }
        if (key == "name") {
            const auto text = reader.readString();
            if (text)
                target.name = QString::fromUtf8(*text);
            return text && claim(seen, name);
        }
        if (key == "matchMode") {
            const auto text = reader.readString();
            const auto mode = text ? matchModeFromRawValue(QString::fromUtf8(*text)) : std::nullopt;
            if (mode)
                target.matchMode = *mode;
            return mode && claim(seen, matchMode);
        }
        if (key == "isEnabled") {
            const auto flag = reader.readBool();
            if (flag)
                target.isEnabled = *flag;
            return flag && claim(seen, isEnabled);
        }
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
    unsigned seen = 0;
    const bool isWellFormed = readObject(reader, [&](QByteArrayView key) {
        if (key == "id") {
            const auto text = reader.readString();
            const auto uuid = text ? parseUuid(*text) : std::nullopt;
            if (uuid && entry)
                entry->id = *uuid;
            return uuid && claim(seen, id);
        }
        if (key == "timestamp") {
            const auto text = reader.readString();
            const auto seconds = text ? parseTimestamp(*text) : std::nullopt;
            if (seconds && entry)
                entry->timestamp = QDateTime::fromSecsSinceEpoch(*seconds, Qt::UTC);
            return seconds && claim(seen, timestamp);
        }
        if (key == "processName") {
            const auto text = reader.readString();
            if (text && entry)
                entry->processName = QString::fromUtf8(*text);
            return text && claim(seen, processName);
        }
        if (key == "pid") {
            const auto number = reader.readInt32();
            if (number && entry)
                entry->pid = *number;
            return number && claim(seen, pid);
        }
        if (key == "success") {
            const auto flag = reader.readBool();
            if (flag && entry)
                entry->success = *flag;
            return flag && claim(seen, success);
        }
        if (key == "message") {
            const auto text = reader.readString();
            if (text && entry)
                entry->message = QString::fromUtf8(*text);
            return text && claim(seen, message);
        }
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

bool isJsonWhitespace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
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
