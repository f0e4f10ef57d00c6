#include "record_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

namespace {
const QByteArray someId = "0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC";

using Members = QList<std::pair<QByteArray, QByteArray>>;

const Members targetMembers = {{"id", '"' + someId + '"'},
                               {"name", "\"Safari\""},
                               {"matchMode", "\"fuzzy\""},
                               {"isEnabled", "true"}};

const Members logMembers = {
    {"id", '"' + someId + '"'},    {"timestamp", "\"2024-03-01T12:34:56Z\""},
    {"processName", "\"Safari\""}, {"pid", "4242"},
    {"success", "true"},           {"message", "\"Killed\""}};

QByteArray object(const Members& members) {
    QByteArrayList parts;
    for (const auto& [key, value] : members)
        parts << '"' + key + "\":" + value;
    return '{' + parts.join(',') + '}';
}

// The members with one value replaced, or added when the key is new.
Members with(Members members, const QByteArray& key, const QByteArray& value) {
    const auto it = std::find_if(members.begin(), members.end(),
                                 [&](const auto& member) { return member.first == key; });
    if (it == members.end())
        members.append({key, value});
    else
        it->second = value;
    return members;
}

Members without(Members members, const QByteArray& key) {
    members.removeIf([&](const auto& member) { return member.first == key; });
    return members;
}

QByteArray array(const Members& members) {
    return '[' + object(members) + ']';
}

QStringList describe(const QList<TargetProcess>& targets) {
    QStringList lines;
    for (const TargetProcess& t : targets)
        lines << QStringLiteral("%1|%2|%3|%4")
                     .arg(t.id.toString(), t.name, matchModeRawValue(t.matchMode))
                     .arg(t.isEnabled);
    return lines;
}

QStringList describe(const QList<KillLogEntry>& entries) {
    QStringList lines;
    for (const KillLogEntry& e : entries)
        lines << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(e.id.toString(), e.timestamp.toUTC().toString(Qt::ISODateWithMs),
                          e.processName)
                     .arg(e.pid)
                     .arg(e.success)
                     .arg(e.message);
    return lines;
}

KillLogEntry logEntry(const QString& name, qint32 pid, const QDateTime& when) {
    return {QUuid::createUuid(), when, name, pid, pid % 2 == 0, QStringLiteral("Killed ") + name};
}

QDateTime utc(const char* isoText) {
    return QDateTime::fromString(QString::fromLatin1(isoText), Qt::ISODateWithMs);
}
} // namespace

class TestRecordJson : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void targetsRoundTrip_data();
    void targetsRoundTrip();
    void prettyTargetsAreOneSortedMemberPerLine();
    void prettyLogEntriesHaveSortedKeys();
    void emptyArrays();
    void rejectsTargets_data();
    void rejectsTargets();
    void acceptsTargets_data();
    void acceptsTargets();
    void idsAreWrittenUpperCase();
    void timestampForms_data();
    void timestampForms();
    void pidForms_data();
    void pidForms();
    void rejectsLogEntries_data();
    void rejectsLogEntries();
    void logEntriesRoundTripInUtcWholeSeconds();
    void timestampsWithoutJsonFormFailTheEncoding();
    void appendedLogArrayMatchesAFullRewrite();
    void appendedLogArrayKeepsForeignBytes();
    void appendedLogArrayRefusesWhatDoesNotDecode();
    void hostileInputs_data();
    void hostileInputs();
};

void TestRecordJson::targetsRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<JsonStyle>("style");
    const QList<std::pair<const char*, QString>> names = {
        {"plain", QStringLiteral("Safari")},
        {"empty", QString()},
        {"spaces", QStringLiteral("  Web Content\t")},
        {"quotes and backslashes", QStringLiteral(R"(a "b" c\d\\)")},
        {"solidus", QStringLiteral("/usr/bin/app")},
        {"every control character",
         [] {
             QString text;
             for (char16_t c = 0; c < 0x20; ++c)
                 text += QChar(c);
             return text + QChar(0x7f);
         }()},
        {"non-ASCII", QStringLiteral("Grüße 日本語 😀 \u2028 end")},
    };
    for (const auto& [label, name] : names) {
        QTest::addRow("%s, compact", label) << name << JsonStyle::compact;
        QTest::addRow("%s, pretty", label) << name << JsonStyle::prettySorted;
    }
}

void TestRecordJson::targetsRoundTrip() {
    QFETCH(QString, name);
    QFETCH(JsonStyle, style);
    const QList<TargetProcess> targets = {{QUuid::createUuid(), name, MatchMode::exact, false},
                                          {QUuid::createUuid(), name, MatchMode::fuzzy, true}};
    const QByteArray json = encodeTargets(targets, style);

    const auto decoded = decodeTargets(json);
    QVERIFY(decoded);
    QCOMPARE(describe(*decoded), describe(targets));

    // An independent parser must read the same text: this checks the escaping, not just symmetry.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(document.array().at(0).toObject().value(u"name").toString(), name);
}

void TestRecordJson::prettyTargetsAreOneSortedMemberPerLine() {
    const QList<TargetProcess> targets = {
        {QUuid::fromString(QLatin1String(someId)), QStringLiteral("Safari"), MatchMode::exact,
         false},
        {QUuid::fromString(QLatin1String(someId)), QStringLiteral("Mail"), MatchMode::fuzzy, true}};
    QCOMPARE(encodeTargets(targets, JsonStyle::prettySorted),
             QByteArray("[\n"
                        "  {\n"
                        "    \"id\": \"" +
                        someId +
                        "\",\n"
                        "    \"isEnabled\": false,\n"
                        "    \"matchMode\": \"exact\",\n"
                        "    \"name\": \"Safari\"\n"
                        "  },\n"
                        "  {\n"
                        "    \"id\": \"" +
                        someId +
                        "\",\n"
                        "    \"isEnabled\": true,\n"
                        "    \"matchMode\": \"fuzzy\",\n"
                        "    \"name\": \"Mail\"\n"
                        "  }\n"
                        "]"));
    QCOMPARE(encodeTargets(targets.first(1), JsonStyle::compact),
             "[{\"id\":\"" + someId +
                 "\",\"isEnabled\":false,\"matchMode\":\"exact\",\"name\":\"Safari\"}]");
}

void TestRecordJson::prettyLogEntriesHaveSortedKeys() {
    const QByteArray json =
        encodeLogEntries({logEntry(QStringLiteral("a"), 1, QDateTime::currentDateTimeUtc())},
                         JsonStyle::prettySorted);
    QByteArrayList keys;
    for (const QByteArray& line : json.split('\n')) {
        if (line.trimmed().startsWith('"'))
            keys << line.trimmed().split('"').value(1);
    }
    QCOMPARE(keys, QByteArrayList({"id", "message", "pid", "processName", "success", "timestamp"}));
}

void TestRecordJson::emptyArrays() {
    QCOMPARE(encodeTargets({}, JsonStyle::compact), QByteArray("[]"));
    QCOMPARE(encodeTargets({}, JsonStyle::prettySorted), QByteArray("[]"));
    QCOMPARE(encodeLogEntries({}, JsonStyle::prettySorted), QByteArray("[]"));
    for (const QByteArray& json : {QByteArray("[]"), QByteArray(" \r\n\t[ \n ]\n")}) {
        QVERIFY(decodeTargets(json));
        QVERIFY(decodeTargets(json)->isEmpty());
        QVERIFY(decodeLogEntries(json));
        QVERIFY(decodeLogEntries(json)->isEmpty());
    }
}

void TestRecordJson::rejectsTargets_data() {
    QTest::addColumn<QByteArray>("json");
    const QByteArray good = object(targetMembers);
    QTest::newRow("empty input") << QByteArray();
    QTest::newRow("whitespace only") << QByteArray(" \n");
    QTest::newRow("top-level object") << good;
    QTest::newRow("top-level string") << QByteArray("\"[]\"");
    QTest::newRow("element not an object") << '[' + good + ",42]";
    QTest::newRow("null element") << QByteArray("[null]");
    QTest::newRow("trailing comma") << '[' + good + ",]";
    QTest::newRow("trailing member comma")
        << "[{" + object(targetMembers).mid(1).chopped(1) + ",}]";
    QTest::newRow("unclosed array") << '[' + good;
    QTest::newRow("text after the array") << array(targetMembers) + " x";
    QTest::newRow("second array") << array(targetMembers) + "[]";
    QTest::newRow("comment") << "[/* c */" + good + ']';
    QTest::newRow("single quotes") << QByteArray("[{'id':'x'}]");
    QTest::newRow("one bad element fails all")
        << '[' + good + ',' + good + ',' + object(without(targetMembers, "name")) + ']';
    for (const char* key : {"id", "name", "matchMode", "isEnabled"})
        QTest::addRow("missing %s", key) << array(without(targetMembers, key));
    QTest::newRow("duplicate member") << array(with(targetMembers, "name", "\"a\",\"name\":\"b\""));
    QTest::newRow("matchMode capitalised") << array(with(targetMembers, "matchMode", "\"Fuzzy\""));
    QTest::newRow("matchMode unknown") << array(with(targetMembers, "matchMode", "\"regex\""));
    QTest::newRow("matchMode number") << array(with(targetMembers, "matchMode", "0"));
    QTest::newRow("isEnabled number") << array(with(targetMembers, "isEnabled", "1"));
    QTest::newRow("isEnabled string") << array(with(targetMembers, "isEnabled", "\"true\""));
    QTest::newRow("isEnabled null") << array(with(targetMembers, "isEnabled", "null"));
    QTest::newRow("isEnabled capitalised") << array(with(targetMembers, "isEnabled", "True"));
    QTest::newRow("name null") << array(with(targetMembers, "name", "null"));
    QTest::newRow("name number") << array(with(targetMembers, "name", "7"));
    QTest::newRow("id with braces") << array(with(targetMembers, "id", "\"{" + someId + "}\""));
    QTest::newRow("id without hyphens")
        << array(with(targetMembers, "id", '"' + QByteArray(someId).replace('-', "") + '"'));
    QTest::newRow("id hyphen misplaced")
        << array(with(targetMembers, "id", "\"0F8C3E2-A7B1D-4C5E-9A6F-123456789ABC\""));
    QTest::newRow("id not hex") << array(
        with(targetMembers, "id", "\"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABG\""));
    QTest::newRow("id too short") << array(
        with(targetMembers, "id", '"' + someId.chopped(1) + '"'));
    QTest::newRow("id URN") << array(with(targetMembers, "id", "\"urn:uuid:" + someId + '"'));
    QTest::newRow("invalid UTF-8") << array(with(targetMembers, "name", "\"Saf\xff\""));
    QTest::newRow("truncated UTF-8") << array(with(targetMembers, "name", "\"Saf\xc3\""));
    QTest::newRow("overlong UTF-8 slash") << array(with(targetMembers, "name", "\"\xc0\xaf\""));
    QTest::newRow("UTF-8 surrogate") << array(with(targetMembers, "name", "\"\xed\xa0\x80\""));
    QTest::newRow("beyond U+10FFFF") << array(with(targetMembers, "name", "\"\xf4\x90\x80\x80\""));
    QTest::newRow("invalid UTF-8 in ignored member")
        << array(with(targetMembers, "note", "[\"\xfe\"]"));
    QTest::newRow("lone high surrogate escape")
        << array(with(targetMembers, "name", R"("\ud83d x")"));
    QTest::newRow("lone low surrogate escape") << array(with(targetMembers, "name", R"("\ude00")"));
    QTest::newRow("unknown escape") << array(with(targetMembers, "name", R"("\x41")"));
    QTest::newRow("short unicode escape") << array(with(targetMembers, "name", R"("\u41")"));
    QTest::newRow("raw newline in string") << array(with(targetMembers, "name", "\"a\nb\""));
    QTest::newRow("malformed ignored member") << array(with(targetMembers, "note", "[1,]"));
    QTest::newRow("NaN in ignored member") << array(with(targetMembers, "note", "NaN"));
    QTest::newRow("leading zero in ignored member") << array(with(targetMembers, "note", "01"));
    QTest::newRow("bare minus in ignored member") << array(with(targetMembers, "note", "-"));
    QTest::newRow("unclosed ignored member") << array(with(targetMembers, "note", "{\"a\":[1}"));
}

void TestRecordJson::rejectsTargets() {
    QFETCH(QByteArray, json);
    QVERIFY(!decodeTargets(json));
}

void TestRecordJson::acceptsTargets_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("name");
    QTest::newRow("members in any order")
        << object({targetMembers[3], targetMembers[2], targetMembers[1], targetMembers[0]})
               .prepend('[')
               .append(']')
        << "Safari";
    QTest::newRow("ignored members of every kind")
        << array(with(targetMembers, "comment",
                      R"({"a":[1,-2.5e+3,true,false,null,"x",{},[]],"b":{"c":"\u00e9"}})"))
        << "Safari";
    QTest::newRow("whitespace everywhere")
        << QByteArray(" [ {\n\t\"id\" :\r\n \"" + someId +
                      "\" , \"name\" : \"Safari\" , \"matchMode\" : \"fuzzy\" , "
                      "\"isEnabled\" : true } ] \n")
        << "Safari";
    QTest::newRow("escaped member names")
        << array(without(with(targetMembers, R"(\u006eame)", "\"Safari\""), "name")) << "Safari";
    QTest::newRow("escaped solidus")
        << array(with(targetMembers, "name", R"("\/bin\/sh")")) << "/bin/sh";
    QTest::newRow("surrogate pair escape")
        << array(with(targetMembers, "name", R"("\ud83d\ude00")")) << QStringLiteral("😀");
    QTest::newRow("raw UTF-8") << array(with(targetMembers, "name", "\"Gr\xc3\xbc\xc3\x9f\x65\""))
                               << QStringLiteral("Grüße");
    QTest::newRow("NUL escape") << array(with(targetMembers, "name", R"("a\u0000b")"))
                                << QString::fromUtf16(u"a\0b", 3);
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + array(targetMembers) << "Safari";
    QTest::newRow("duplicate ignored member")
        << array(with(with(targetMembers, "x", "1"), "x\":2,\"x", "3")) << "Safari";
}

void TestRecordJson::acceptsTargets() {
    QFETCH(QByteArray, json);
    QFETCH(QString, name);
    const auto decoded = decodeTargets(json);
    QVERIFY(decoded);
    QCOMPARE(decoded->size(), 1);
    QCOMPARE(decoded->first().name, name);
    QCOMPARE(decoded->first().id, QUuid::fromString(QLatin1String(someId)));
    // Ignored members are not written back.
    QVERIFY(!encodeTargets(*decoded, JsonStyle::compact).contains("comment"));
}

void TestRecordJson::idsAreWrittenUpperCase() {
    const auto decoded =
        decodeTargets(array(with(targetMembers, "id", '"' + someId.toLower() + '"')));
    QVERIFY(decoded);
    QCOMPARE(decoded->first().id, QUuid::fromString(QLatin1String(someId)));
    const QByteArray json = encodeTargets(*decoded, JsonStyle::compact);
    QVERIFY(json.contains(someId));
    QVERIFY(!json.contains(someId.toLower()));
}

void TestRecordJson::timestampForms_data() {
    QTest::addColumn<QByteArray>("timestamp");
    QTest::addColumn<QDateTime>("expected"); // invalid when the form must fail
    const QDateTime fails;
    QTest::newRow("plain") << QByteArray("\"2024-03-01T12:34:56Z\"") << utc("2024-03-01T12:34:56Z");
    QTest::newRow("leap day") << QByteArray("\"2024-02-29T23:59:59Z\"")
                              << utc("2024-02-29T23:59:59Z");
    QTest::newRow("leap day of 2000")
        << QByteArray("\"2000-02-29T00:00:00Z\"") << utc("2000-02-29T00:00:00Z");
    QTest::newRow("before 1970") << QByteArray("\"1969-12-31T23:59:59Z\"")
                                 << utc("1969-12-31T23:59:59Z");
    QTest::newRow("last second") << QByteArray("\"9999-12-31T23:59:59Z\"")
                                 << utc("9999-12-31T23:59:59Z");
    QTest::newRow("escaped characters")
        << QByteArray(R"("2024-03-01\u005412:34:56Z")") << utc("2024-03-01T12:34:56Z");
    QTest::newRow("fraction") << QByteArray("\"2024-03-01T12:34:56.5Z\"") << fails;
    QTest::newRow("offset") << QByteArray("\"2024-03-01T12:34:56+01:00\"") << fails;
    QTest::newRow("zero offset") << QByteArray("\"2024-03-01T12:34:56+00:00\"") << fails;
    QTest::newRow("no zone") << QByteArray("\"2024-03-01T12:34:56\"") << fails;
    QTest::newRow("lower-case t") << QByteArray("\"2024-03-01t12:34:56Z\"") << fails;
    QTest::newRow("lower-case z") << QByteArray("\"2024-03-01T12:34:56z\"") << fails;
    QTest::newRow("space for T") << QByteArray("\"2024-03-01 12:34:56Z\"") << fails;
    QTest::newRow("date only") << QByteArray("\"2024-03-01\"") << fails;
    QTest::newRow("no minutes separator") << QByteArray("\"2024-03-01T1234:56Z\"") << fails;
    QTest::newRow("one-digit month") << QByteArray("\"2024-3-01T12:34:56Z\"") << fails;
    QTest::newRow("sign in a field") << QByteArray("\"2024-+3-01T12:34:56Z\"") << fails;
    QTest::newRow("29 February 2023") << QByteArray("\"2023-02-29T00:00:00Z\"") << fails;
    QTest::newRow("29 February 1900") << QByteArray("\"1900-02-29T00:00:00Z\"") << fails;
    QTest::newRow("31 April") << QByteArray("\"2024-04-31T00:00:00Z\"") << fails;
    QTest::newRow("month 13") << QByteArray("\"2024-13-01T00:00:00Z\"") << fails;
    QTest::newRow("month 0") << QByteArray("\"2024-00-01T00:00:00Z\"") << fails;
    QTest::newRow("day 0") << QByteArray("\"2024-01-00T00:00:00Z\"") << fails;
    QTest::newRow("hour 24") << QByteArray("\"2024-01-01T24:00:00Z\"") << fails;
    QTest::newRow("minute 60") << QByteArray("\"2024-01-01T23:60:00Z\"") << fails;
    QTest::newRow("leap second") << QByteArray("\"2016-12-31T23:59:60Z\"") << fails;
    QTest::newRow("seconds since 1970") << QByteArray("1709296496") << fails;
    QTest::newRow("seconds since 2001") << QByteArray("731000000.5") << fails;
    QTest::newRow("null") << QByteArray("null") << fails;
}

void TestRecordJson::timestampForms() {
    QFETCH(QByteArray, timestamp);
    QFETCH(QDateTime, expected);
    const auto decoded = decodeLogEntries(array(with(logMembers, "timestamp", timestamp)));
    QCOMPARE(decoded.has_value(), expected.isValid());
    if (decoded)
        QCOMPARE(decoded->first().timestamp, expected);
}

void TestRecordJson::pidForms_data() {
    QTest::addColumn<QByteArray>("pid");
    QTest::addColumn<bool>("decodes");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("minus one") << QByteArray("-1") << true << -1;
    QTest::newRow("minus zero") << QByteArray("-0") << true << 0;
    QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << true << qint32(-2147483648LL);
    QTest::newRow("one too large") << QByteArray("2147483648") << false << 0;
    QTest::newRow("one too small") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("far too large") << QByteArray("99999999999999999999999") << false << 0;
    QTest::newRow("fraction") << QByteArray("1.5") << false << 0;
    QTest::newRow("whole fraction") << QByteArray("1.0") << false << 0;
    QTest::newRow("exponent") << QByteArray("1e10") << false << 0;
    QTest::newRow("small exponent") << QByteArray("1e2") << false << 0;
    QTest::newRow("leading zero") << QByteArray("012") << false << 0;
    QTest::newRow("plus sign") << QByteArray("+1") << false << 0;
    QTest::newRow("string") << QByteArray("\"12\"") << false << 0;
    QTest::newRow("boolean") << QByteArray("true") << false << 0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0;
}

void TestRecordJson::pidForms() {
    QFETCH(QByteArray, pid);
    QFETCH(bool, decodes);
    QFETCH(qint32, expected);
    const auto decoded = decodeLogEntries(array(with(logMembers, "pid", pid)));
    QCOMPARE(decoded.has_value(), decodes);
    if (decoded)
        QCOMPARE(decoded->first().pid, expected);
}

void TestRecordJson::rejectsLogEntries_data() {
    QTest::addColumn<QByteArray>("json");
    for (const auto& [key, value] : logMembers)
        QTest::addRow("missing %s", key.constData()) << array(without(logMembers, key));
    QTest::newRow("success as number") << array(with(logMembers, "success", "0"));
    QTest::newRow("message null") << array(with(logMembers, "message", "null"));
    QTest::newRow("processName number") << array(with(logMembers, "processName", "1"));
    QTest::newRow("duplicate pid") << array(with(logMembers, "pid", "1,\"pid\":2"));
    QTest::newRow("a target, not a log entry") << array(targetMembers);
}

void TestRecordJson::rejectsLogEntries() {
    QFETCH(QByteArray, json);
    QVERIFY(!decodeLogEntries(json));
}

void TestRecordJson::logEntriesRoundTripInUtcWholeSeconds() {
    const QDateTime inBerlin(QDate(2024, 7, 1), QTime(2, 30, 15, 999), Qt::OffsetFromUTC, 7200);
    const QList<KillLogEntry> entries = {
        logEntry(QStringLiteral("Web Content"), 17, inBerlin),
        logEntry(QStringLiteral("\"odd\"\n"), -1, utc("1969-12-31T23:59:59.500Z")),
        logEntry(QStringLiteral("x"), 2147483647, utc("2024-02-29T23:59:59.001Z")),
    };
    const QByteArray json = encodeLogEntries(entries, JsonStyle::prettySorted);
    QVERIFY(json.contains("\"timestamp\": \"2024-07-01T00:30:15Z\""));
    QVERIFY(json.contains("\"timestamp\": \"1969-12-31T23:59:59Z\""));

    const auto decoded = decodeLogEntries(json);
    QVERIFY(decoded);
    QList<KillLogEntry> expected = entries;
    expected[0].timestamp = utc("2024-07-01T00:30:15Z");
    expected[1].timestamp = utc("1969-12-31T23:59:59Z");
    expected[2].timestamp = utc("2024-02-29T23:59:59Z");
    QCOMPARE(describe(*decoded), describe(expected));
    QCOMPARE(decoded->first().timestamp.timeSpec(), Qt::UTC);
    QCOMPARE(encodeLogEntries(*decoded, JsonStyle::prettySorted), json);
}

void TestRecordJson::timestampsWithoutJsonFormFailTheEncoding() {
    const KillLogEntry good = logEntry(QStringLiteral("a"), 1, utc("2024-01-01T00:00:00Z"));
    for (const QDateTime& when : {QDateTime(), utc("9999-12-31T23:59:59Z").addSecs(1),
                                  utc("0000-01-01T00:00:00Z").addSecs(-1)}) {
        const KillLogEntry bad = logEntry(QStringLiteral("b"), 2, when);
        QVERIFY(encodeLogEntries({good, bad}, JsonStyle::compact).isEmpty());
        QVERIFY(encodeLogEntries({good, bad}, JsonStyle::prettySorted).isEmpty());
    }
}

void TestRecordJson::appendedLogArrayMatchesAFullRewrite() {
    QList<KillLogEntry> old;
    for (int i = 0; i < 3; ++i)
        old << logEntry(QStringLiteral("old %1").arg(i), i, QDateTime::currentDateTimeUtc());
    QList<KillLogEntry> added;
    for (int i = 0; i < 2; ++i)
        added << logEntry(QStringLiteral("new %1").arg(i), i, QDateTime::currentDateTimeUtc());
    const auto pretty = [](const QList<KillLogEntry>& entries) {
        return encodeLogEntries(entries, JsonStyle::prettySorted);
    };

    QCOMPARE(appendedLogArray(pretty(old), pretty(added)), pretty(old + added));
    QCOMPARE(appendedLogArray("[]", pretty(added)), pretty(added));
    QCOMPARE(appendedLogArray(pretty(old), "[]"), pretty(old));
}

void TestRecordJson::appendedLogArrayKeepsForeignBytes() {
    const KillLogEntry first = logEntry(QStringLiteral("first"), 1, utc("2024-01-01T00:00:00Z"));
    const KillLogEntry second = logEntry(QStringLiteral("second"), 2, utc("2024-01-01T00:01:00Z"));
    // Written by someone else: compact, with a member of their own and trailing blank lines.
    const QByteArray foreign =
        encodeLogEntries({first}, JsonStyle::compact).chopped(2) + ",\"note\":\"kept\"}]\n\n";
    const auto joined =
        appendedLogArray(foreign, encodeLogEntries({second}, JsonStyle::prettySorted));
    QVERIFY(joined);
    QVERIFY(joined->startsWith(foreign.trimmed().chopped(1)));
    const auto decoded = decodeLogEntries(*joined);
    QVERIFY(decoded);
    QCOMPARE(describe(*decoded), describe(QList<KillLogEntry>{first, second}));
}

void TestRecordJson::appendedLogArrayRefusesWhatDoesNotDecode() {
    const QByteArray added = encodeLogEntries(
        {logEntry(QStringLiteral("a"), 1, utc("2024-01-01T00:00:00Z"))}, JsonStyle::prettySorted);
    for (const QByteArray& existing :
         {QByteArray(), QByteArray("{}"), QByteArray("[{}]"), QByteArray("[1]"), added.chopped(1),
          array(with(logMembers, "pid", "1.5"))})
        QVERIFY(!appendedLogArray(existing, added));
}

// Large inputs, built one at a time rather than kept in the data table.
enum class Hostile {
    randomBytes,
    randomBytesInAString,
    hugeUnterminatedString,
    hugeStringInAGoodEntry,
    hugeStringThenABadPid,
    deeplyNestedIgnoredMember,
    deeplyNestedNeverClosed,
    hugeObjectOfIgnoredMembers,
    hugeArrayBadLastElement,
    hugeArrayUnterminated,
};

QByteArray hostileInput(Hostile shape, qsizetype size) {
    const QByteArray entry = object(logMembers).chopped(1); // open for one more member
    switch (shape) {
    case Hostile::randomBytes:
    case Hostile::randomBytesInAString: {
        QByteArray garbage(size, Qt::Uninitialized);
        QRandomGenerator(20240301).fillRange(reinterpret_cast<quint32*>(garbage.data()), size / 4);
        if (shape == Hostile::randomBytesInAString)
            garbage.replace(0, 2, "[\"");
        return garbage;
    }
    case Hostile::hugeUnterminatedString:
        return "[{\"message\":\"" + QByteArray(size, 'a');
    case Hostile::hugeStringInAGoodEntry:
        return '[' + entry + ",\"note\":\"" + QByteArray(size, 'a') + "\"}]";
    case Hostile::hugeStringThenABadPid:
        return '[' + entry + ",\"note\":\"" + QByteArray(size, 'a') + "\",\"pid\":42.5}]";
    case Hostile::deeplyNestedIgnoredMember:
        return '[' + entry + ",\"note\":" + QByteArray(size / 2, '[') + QByteArray(size / 2, ']') +
               "}]";
    case Hostile::deeplyNestedNeverClosed:
        return '[' + entry + ",\"note\":" + QByteArray(size, '[');
    case Hostile::hugeObjectOfIgnoredMembers:
        return '[' + entry + ",\"note\":{" + QByteArray("\"k\":1,").repeated(size / 6) +
               "\"k\":1}}]";
    case Hostile::hugeArrayBadLastElement:
    case Hostile::hugeArrayUnterminated: {
        const QByteArray entries = '[' + (entry + "},").repeated(size / (entry.size() + 2));
        return shape == Hostile::hugeArrayUnterminated ? entries : entries + "{}]";
    }
    }
    return {};
}

void TestRecordJson::hostileInputs_data() {
    constexpr qsizetype large = 100 * 1024 * 1024;
    constexpr qsizetype medium = 10 * 1024 * 1024; // bench_hostile_json takes these to 100 MB
    QTest::addColumn<Hostile>("shape");
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("decodes");
    QTest::newRow("random bytes") << Hostile::randomBytes << large << false;
    QTest::newRow("random bytes in a string") << Hostile::randomBytesInAString << large << false;
    QTest::newRow("huge unterminated string") << Hostile::hugeUnterminatedString << large << false;
    QTest::newRow("huge string in a good entry")
        << Hostile::hugeStringInAGoodEntry << large << true;
    QTest::newRow("huge string then a bad pid") << Hostile::hugeStringThenABadPid << large << false;
    QTest::newRow("huge array, bad last element")
        << Hostile::hugeArrayBadLastElement << large << false;
    QTest::newRow("huge array, unterminated") << Hostile::hugeArrayUnterminated << medium << false;
    QTest::newRow("deeply nested ignored member")
        << Hostile::deeplyNestedIgnoredMember << medium << true;
    QTest::newRow("deeply nested, never closed")
        << Hostile::deeplyNestedNeverClosed << medium << false;
    QTest::newRow("huge object of ignored members")
        << Hostile::hugeObjectOfIgnoredMembers << medium << true;
}

void TestRecordJson::hostileInputs() {
    QFETCH(Hostile, shape);
    QFETCH(qsizetype, size);
    QFETCH(bool, decodes);
    QCOMPARE(decodeLogEntries(hostileInput(shape, size)).has_value(), decodes);
}

QTEST_APPLESS_MAIN(TestRecordJson)
#include "test_record_json.moc"
