#include "record_json.h"
#include "record_lines.h"

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

KillLogEntry logEntry(const QString& name, qint32 pid, const QDateTime& when) {
    return {QUuid::createUuid(), when, name, pid, pid % 2 == 0, QStringLiteral("Killed ") + name};
}

QDateTime utc(const char* isoText) {
    return QDateTime::fromString(QString::fromLatin1(isoText), Qt::ISODateWithMs);
}

QByteArray withSomeId(const char* json) {
    return QByteArray(json).replace("<id>", someId);
}
} // namespace

class TestRecordJson : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void targetNamesSurviveBothStyles();
    void storedLayoutIsFixed();
    void rejects_data();
    void rejects();
    void acceptsTargets_data();
    void acceptsTargets();
    void logMemberForms_data();
    void logMemberForms();
    void logEntriesRoundTripInUtcWholeSeconds();
    void timestampsWithoutJsonFormFailTheEncoding();
    void appendedLogArrayMatchesAFullRewrite();
    void appendedLogArrayKeepsForeignBytes();
    void hostileInputs();
};

void TestRecordJson::targetNamesSurviveBothStyles() {
    QString controls;
    for (char16_t c = 0; c < 0x20; ++c)
        controls += QChar(c);
    const QStringList names = {QString(), QStringLiteral("  Web Content\t"),
                               QStringLiteral(R"(a "b" c\d\\ /usr/bin)"), controls + QChar(0x7f),
                               QStringLiteral("Grüße 日本語 😀 \u2028 end")};
    QList<TargetProcess> targets;
    for (const QString& name : names)
        targets.append({QUuid::createUuid(), name,
                        targets.size() % 2 ? MatchMode::fuzzy : MatchMode::exact,
                        targets.size() % 2 == 0});

    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::prettySorted}) {
        const QByteArray json = encodeTargets(targets, style);
        QCOMPARE(recordLines(decodeTargets(json).value_or(QList<TargetProcess>())),
                 recordLines(targets));
        // An independent parser must read the same names: this checks the escaping itself.
        const QJsonArray parsed = QJsonDocument::fromJson(json).array();
        QCOMPARE(parsed.size(), names.size());
        for (qsizetype i = 0; i < names.size(); ++i)
            QCOMPARE(parsed.at(i).toObject().value(u"name").toString(), names[i]);
    }
}

void TestRecordJson::storedLayoutIsFixed() {
    const QUuid id = QUuid::fromString(QLatin1String(someId));
    const QList<TargetProcess> targets = {{id, QStringLiteral("Safari"), MatchMode::exact, false},
                                          {id, QStringLiteral("Mail"), MatchMode::fuzzy, true}};
    QCOMPARE(encodeTargets(targets, JsonStyle::prettySorted), withSomeId(R"([
  {
    "id": "<id>",
    "isEnabled": false,
    "matchMode": "exact",
    "name": "Safari"
  },
  {
    "id": "<id>",
    "isEnabled": true,
    "matchMode": "fuzzy",
    "name": "Mail"
  }
])"));
    QCOMPARE(
        encodeTargets(targets.first(1), JsonStyle::compact),
        withSomeId(R"([{"id":"<id>","isEnabled":false,"matchMode":"exact","name":"Safari"}])"));
    QCOMPARE(encodeTargets({}, JsonStyle::prettySorted), QByteArray("[]"));

    // Log entries are written in UTC and whole seconds, whatever the zone of the moment.
    const QDateTime inBerlin(QDate(2024, 7, 1), QTime(2, 30, 15, 999), Qt::OffsetFromUTC, 7200);
    KillLogEntry entry = logEntry(QStringLiteral("Mail"), 17, inBerlin);
    entry.id = id;
    QCOMPARE(encodeLogEntries({entry}, JsonStyle::compact),
             withSomeId(R"([{"id":"<id>","message":"Killed Mail","pid":17,"processName":"Mail",)"
                        R"("success":false,"timestamp":"2024-07-01T00:30:15Z"}])"));
    QCOMPARE(encodeLogEntries({}, JsonStyle::prettySorted), QByteArray("[]"));
}

void TestRecordJson::rejects_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("isLog");
    const auto target = [](const char* tag, const QByteArray& json) {
        QTest::newRow(tag) << json << false;
    };
    const auto targetWith = [&](const char* tag, const QByteArray& key, const QByteArray& value) {
        target(tag, array(with(targetMembers, key, value)));
    };
    const QByteArray good = object(targetMembers);
    target("empty input", {});
    target("top-level object", good);
    target("element not an object", '[' + good + ",42]");
    target("trailing comma", '[' + good + ",]");
    target("trailing member comma", "[{" + good.mid(1).chopped(1) + ",}]");
    target("unclosed array", '[' + good);
    target("text after the array", array(targetMembers) + " x");
    target("one bad element fails all",
           '[' + good + ',' + good + ',' + object(without(targetMembers, "name")) + ']');
    for (const auto& [key, value] : targetMembers)
        QTest::addRow("target without %s", key.constData())
            << array(without(targetMembers, key)) << false;
    targetWith("duplicate member", "name", "\"a\",\"name\":\"b\"");
    targetWith("matchMode capitalised", "matchMode", "\"Fuzzy\"");
    targetWith("isEnabled string", "isEnabled", "\"true\"");
    targetWith("name null", "name", "null");
    targetWith("id with braces", "id", "\"{" + someId + "}\"");
    targetWith("id hyphen misplaced", "id", "\"0F8C3E2-A7B1D-4C5E-9A6F-123456789ABC\"");
    targetWith("id not hex", "id", "\"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABG\"");
    targetWith("overlong UTF-8", "name", "\"\xc0\xaf\"");
    targetWith("truncated UTF-8", "name", "\"Saf\xc3\"");
    targetWith("UTF-8 surrogate", "name", "\"\xed\xa0\x80\"");
    targetWith("UTF-8 beyond U+10FFFF", "name", "\"\xf4\x90\x80\x80\"");
    targetWith("lone high surrogate escape", "name", R"("\ud83d x")");
    targetWith("lone low surrogate escape", "name", R"("\ude00")");
    targetWith("unknown escape", "name", R"("\x41")");
    targetWith("raw line feed in a string", "name", "\"a\nb\"");
    targetWith("invalid UTF-8 in an ignored member", "note", "[\"\xfe\"]");
    targetWith("trailing comma in an ignored member", "note", "[1,]");
    targetWith("NaN in an ignored member", "note", "NaN");
    targetWith("leading zero in an ignored member", "note", "01");
    for (const auto& [key, value] : logMembers)
        QTest::addRow("log entry without %s", key.constData())
            << array(without(logMembers, key)) << true;
    QTest::newRow("success as number") << array(with(logMembers, "success", "0")) << true;
    QTest::newRow("duplicate pid") << array(with(logMembers, "pid", "1,\"pid\":2")) << true;
}

void TestRecordJson::rejects() {
    QFETCH(QByteArray, json);
    QFETCH(bool, isLog);
    QVERIFY(isLog ? !decodeLogEntries(json) : !decodeTargets(json));
}

void TestRecordJson::acceptsTargets_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* tag, const QByteArray& json,
                        const QString& name = QStringLiteral("Safari")) {
        QTest::newRow(tag) << json << name;
    };
    row("members in any order",
        '[' + object({targetMembers[3], targetMembers[2], targetMembers[1], targetMembers[0]}) +
            ']');
    row("ignored members of every kind",
        array(with(targetMembers, "comment",
                   R"({"a":[1,-2.5e+3,true,false,null,"x",{},[]],"b":{"c":"\u00e9"}})")));
    row("whitespace everywhere", " [ {\n\t\"id\" :\r\n \"" + someId +
                                     "\" , \"name\" : \"Safari\" , \"matchMode\" : \"fuzzy\" , "
                                     "\"isEnabled\" : true } ] \n");
    row("escaped member name",
        array(without(with(targetMembers, R"(\u006eame)", "\"Safari\""), "name")));
    row("escapes", array(with(targetMembers, "name", R"("\/bin\u0000\ud83d\ude00\t")")),
        QStringLiteral("/bin") + QChar(0) + QStringLiteral("😀\t"));
    row("byte-order mark", "\xEF\xBB\xBF" + array(targetMembers));
    row("duplicate ignored member", array(with(with(targetMembers, "x", "1"), "x\":2,\"x", "3")));
    row("lower-case id", array(with(targetMembers, "id", '"' + someId.toLower() + '"')));
}

void TestRecordJson::acceptsTargets() {
    QFETCH(QByteArray, json);
    QFETCH(QString, name);
    const auto decoded = decodeTargets(json);
    QVERIFY(decoded);
    QCOMPARE(decoded->size(), 1);
    QCOMPARE(decoded->first().name, name);
    QCOMPARE(decoded->first().id, QUuid::fromString(QLatin1String(someId)));
    // Ids are written in upper case, and members this program does not know are not kept.
    const QByteArray written = encodeTargets(*decoded, JsonStyle::compact);
    QVERIFY(written.contains(someId));
    QVERIFY(!written.contains("comment"));
}

void TestRecordJson::logMemberForms_data() {
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("decoded"); // empty when the form must fail
    const auto timestamp = [](const char* tag, const char* text, const char* decoded = "") {
        QTest::newRow(tag) << QByteArray("timestamp") << '"' + QByteArray(text) + '"'
                           << QString::fromLatin1(decoded);
    };
    const auto pid = [](const char* tag, const char* value, const char* decoded = "") {
        QTest::newRow(tag) << QByteArray("pid") << QByteArray(value)
                           << QString::fromLatin1(decoded);
    };
    timestamp("leap day", "2024-02-29T23:59:59Z", "2024-02-29T23:59:59Z");
    timestamp("leap day of 2000", "2000-02-29T00:00:00Z", "2000-02-29T00:00:00Z");
    timestamp("before 1970", "1969-12-31T23:59:59Z", "1969-12-31T23:59:59Z");
    timestamp("escaped characters", R"(2024-03-01\u005412:34:56Z)", "2024-03-01T12:34:56Z");
    timestamp("29 February 2023", "2023-02-29T00:00:00Z");
    timestamp("29 February 1900", "1900-02-29T00:00:00Z");
    timestamp("31 April", "2024-04-31T00:00:00Z");
    timestamp("month 0", "2024-00-01T00:00:00Z");
    timestamp("month 13", "2024-13-01T00:00:00Z");
    timestamp("day 0", "2024-01-00T00:00:00Z");
    timestamp("hour 24", "2024-01-01T24:00:00Z");
    timestamp("minute 60", "2024-01-01T23:60:00Z");
    timestamp("leap second", "2016-12-31T23:59:60Z");
    timestamp("fraction of a second", "2024-03-01T12:34:56.5Z");
    timestamp("lower-case z", "2024-03-01T12:34:56z");
    timestamp("sign in a field", "2024-+3-01T12:34:56Z");
    QTest::newRow("seconds since 1970")
        << QByteArray("timestamp") << QByteArray("1709296496") << QString();
    pid("largest", "2147483647", "2147483647");
    pid("smallest", "-2147483648", "-2147483648");
    pid("one too large", "2147483648");
    pid("one too small", "-2147483649");
    pid("whole fraction", "1.0");
    pid("leading zero", "012");
    pid("string", "\"12\"");
}

void TestRecordJson::logMemberForms() {
    QFETCH(QByteArray, member);
    QFETCH(QByteArray, value);
    QFETCH(QString, decoded);
    const auto entries = decodeLogEntries(array(with(logMembers, member, value)));
    QCOMPARE(entries.has_value(), !decoded.isEmpty());
    if (entries)
        QCOMPARE(member == "pid" ? QString::number(entries->first().pid)
                                 : entries->first().timestamp.toString(Qt::ISODate),
                 decoded);
}

void TestRecordJson::logEntriesRoundTripInUtcWholeSeconds() {
    QList<KillLogEntry> entries = {
        logEntry(QStringLiteral("\"odd\"\n"), -1, utc("1969-12-31T23:59:59.500Z")),
        logEntry(QStringLiteral("x"), 2147483647, utc("2024-02-29T23:59:59.001Z"))};
    const QByteArray json = encodeLogEntries(entries, JsonStyle::compact);
    // Seconds are cut towards the past, also before 1970.
    entries[0].timestamp = utc("1969-12-31T23:59:59Z");
    entries[1].timestamp = utc("2024-02-29T23:59:59Z");
    const auto decoded = decodeLogEntries(json);
    QVERIFY(decoded);
    QCOMPARE(recordLines(*decoded), recordLines(entries));
    QCOMPARE(decoded->first().timestamp.timeSpec(), Qt::UTC);
    QCOMPARE(encodeLogEntries(*decoded, JsonStyle::compact), json);
}

void TestRecordJson::timestampsWithoutJsonFormFailTheEncoding() {
    const KillLogEntry good = logEntry(QStringLiteral("a"), 1, utc("2024-01-01T00:00:00Z"));
    for (const QDateTime& when : {QDateTime(), utc("9999-12-31T23:59:59Z").addSecs(1),
                                  utc("0000-01-01T00:00:00Z").addSecs(-1)})
        QVERIFY(encodeLogEntries({good, logEntry(QStringLiteral("b"), 2, when)},
                                 JsonStyle::prettySorted)
                    .isEmpty());
}

void TestRecordJson::appendedLogArrayMatchesAFullRewrite() {
    QList<KillLogEntry> old;
    QList<KillLogEntry> added;
    for (int i = 0; i < 3; ++i) {
        old << logEntry(QStringLiteral("old %1").arg(i), i, QDateTime::currentDateTimeUtc());
        added << logEntry(QStringLiteral("new %1").arg(i), i, QDateTime::currentDateTimeUtc());
    }
    const auto pretty = [](const QList<KillLogEntry>& entries) {
        return encodeLogEntries(entries, JsonStyle::prettySorted);
    };
    QCOMPARE(appendedLogArray(pretty(old), pretty(added)), pretty(old + added));
    QCOMPARE(appendedLogArray("[]", pretty(added)), pretty(added));
    QCOMPARE(appendedLogArray(pretty(old), "[]"), pretty(old));
    for (const QByteArray& existing : {QByteArray(), QByteArray("[{}]"), pretty(old).chopped(1),
                                       array(with(logMembers, "pid", "1.5"))})
        QVERIFY(!appendedLogArray(existing, pretty(added)));
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
    QCOMPARE(recordLines(*decoded), recordLines(QList<KillLogEntry>{first, second}));
}

void TestRecordJson::hostileInputs() {
    // Large and deep enough that recursion or a copy per level would give way;
    // bench_hostile_json takes them further.
    constexpr qsizetype size = 16 * 1024 * 1024;
    const QByteArray entry = object(logMembers).chopped(1); // open for one more member
    QByteArray random(size, Qt::Uninitialized);
    QRandomGenerator(20240301).fillRange(reinterpret_cast<quint32*>(random.data()), size / 4);
    const QByteArray huge(size, 'a');
    const QList<std::tuple<const char*, QByteArray, bool>> inputs = {
        {"random bytes", random, false},
        {"huge unterminated string", "[{\"message\":\"" + huge, false},
        {"huge string in a good entry", '[' + entry + ",\"note\":\"" + huge + "\"}]", true},
        {"huge string, then a bad pid", '[' + entry + ",\"note\":\"" + huge + "\",\"pid\":42.5}]",
         false},
        {"huge array, bad last element", '[' + (entry + "},").repeated(size / entry.size()) + "{}]",
         false},
        {"deeply nested ignored member",
         '[' + entry + ",\"note\":" + QByteArray(size / 2, '[') + QByteArray(size / 2, ']') + "}]",
         true},
        {"deeply nested, never closed", '[' + entry + ",\"note\":" + QByteArray(size, '['), false},
    };
    for (const auto& [shape, json, decodes] : inputs)
        QVERIFY2(decodeLogEntries(json).has_value() == decodes, shape);
}

QTEST_APPLESS_MAIN(TestRecordJson)
#include "test_record_json.moc"
