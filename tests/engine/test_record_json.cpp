#include "engine/storage/record_json.h"
#include "record_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {
const QByteArray someId = "0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC";
const QByteArray bom = "\xEF\xBB\xBF";

// One valid record of each kind, in an array; the tables edit them.
const QByteArray goodTarget = R"([{"id":"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC","name":"Safari",)"
                              R"("matchMode":"fuzzy","isEnabled":true}])";
const QByteArray goodLogEntry =
    R"([{"id":"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC","timestamp":"2024-03-01T12:34:56Z",)"
    R"("processName":"Safari","pid":4242,"success":true,"message":"Killed"}])";

QByteArray edited(const QByteArray& json, const QByteArray& from, const QByteArray& to) {
    return QByteArray(json).replace(from, to);
}

QByteArray withNote(const QByteArray& json, const QByteArray& note) {
    return edited(json, "}]", ",\"note\":" + note + "}]");
}

KillLogEntry logEntry(const char* isoTime, qint32 pid = 1) {
    return {QUuid::createUuid(),
            QDateTime::fromString(QString::fromLatin1(isoTime), Qt::ISODateWithMs),
            QStringLiteral("p%1").arg(pid),
            pid,
            pid % 2 == 0,
            QStringLiteral("Killed")};
}
} // namespace

class TestRecordJson : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Log entries are written in UTC and whole seconds, cut towards the past.
    void storedLayoutIsFixed() {
        const QUuid id = QUuid::fromString(QLatin1String(someId));
        const QByteArray layout = "[\n  {\n    \"id\": \"<id>\",\n    \"isEnabled\": false,\n"
                                  "    \"matchMode\": \"exact\",\n    \"name\": \"Safari\"\n  }\n]";
        QCOMPARE(encodeTargets({{id, QStringLiteral("Safari"), MatchMode::exact, false}},
                               JsonStyle::prettySorted),
                 edited(layout, "<id>", someId));
        QCOMPARE(encodeTargets({}, JsonStyle::prettySorted), "[]");
        KillLogEntry entry = logEntry("2024-07-01T02:30:15.999+02:00", 17);
        entry.id = id;
        QCOMPARE(encodeLogEntries({entry}, JsonStyle::compact),
                 edited(R"([{"id":"<id>","message":"Killed","pid":17,"processName":"p17",)"
                        R"("success":false,"timestamp":"2024-07-01T00:30:15Z"}])",
                        "<id>", someId));
        entry.timestamp = logEntry("1969-12-31T23:59:59.500Z").timestamp;
        QVERIFY(encodeLogEntries({entry}, JsonStyle::compact).contains("\"1969-12-31T23:59:59Z\""));
        // Moments outside the years 0000 to 9999, or none, have no form: the whole array fails.
        for (const QDateTime& when :
             {QDateTime(), logEntry("9999-12-31T23:59:59Z").timestamp.addSecs(1),
              logEntry("0000-01-01T00:00:00Z").timestamp.addSecs(-1)}) {
            entry.timestamp = when;
            QVERIFY(
                encodeLogEntries({logEntry("2024-01-01T00:00:00Z"), entry}, JsonStyle::prettySorted)
                    .isEmpty());
        }
    }

    // Decoding is strict and all or nothing; what it accepts keeps its meaning.
    void targetForms_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("name"); // null when the array must be refused
        const auto accepted = [](const char* tag, const QByteArray& json,
                                 const QString& name = QStringLiteral("Safari")) {
            QTest::newRow(tag) << json << name;
        };
        const auto row = [](const char* tag, const QByteArray& json) {
            QTest::newRow(tag) << json << QString();
        };
        const QByteArray element = goodTarget.sliced(1).chopped(1);
        accepted(
            "members in any order",
            edited(goodTarget, R"("name":"Safari",)", "").replace("}]", R"(,"name":"Safari"}])"));
        accepted(
            "whitespace everywhere",
            edited(edited(edited(goodTarget, "[{", " [ {\n\t"), "\":", "\" :\r\n "), ",", " , "));
        accepted("byte-order marks of the file and of the name",
                 bom + edited(goodTarget, "Safari", bom + "Safari"),
                 QChar(0xFEFF) + QStringLiteral("Safari"));
        accepted("lower-case id", edited(goodTarget, someId, someId.toLower()));
        accepted("escaped member name", edited(goodTarget, "\"name\"", R"("\u006eame")"));
        accepted("escapes",
                 edited(goodTarget, "Safari",
                        R"(\/bin\u0000\ud83d\ude00\udbff\udfff\t\n\u001f\"\\\u007f\u2028)"),
                 QStringLiteral("/bin") + QChar(0) + QStringLiteral("😀\U0010FFFF\t\n") +
                     QChar(0x1f) + QStringLiteral("\"\\\x7f\u2028"));
        accepted("ignored members of every kind",
                 withNote(goodTarget,
                          R"({"a":[1,-2.5e+3,true,false,null,"x",{},[]],"b":{"c":"\u00e9"}})"));

        row("empty input", {});
        row("top-level object", element);
        row("trailing comma", '[' + element + ",]");
        row("text after the array", goodTarget + " x");
        row("one bad element fails all",
            '[' + element + ',' + edited(element, "\"name\":\"Safari\",", "") + ']');
        const QByteArrayList members = {"\"id\":\"" + someId + "\",", R"("name":"Safari",)",
                                        R"("matchMode":"fuzzy",)", R"(,"isEnabled":true)"};
        for (const QByteArray& member : members)
            QTest::addRow("without %s", member.constData())
                << edited(goodTarget, member, "") << QString();
        row("duplicate member", edited(goodTarget, "\"Safari\"", R"("a","name":"b")"));
        row("matchMode capitalised", edited(goodTarget, "fuzzy", "Fuzzy"));
        row("isEnabled string", edited(goodTarget, "true", "\"true\""));
        row("id with braces", edited(goodTarget, someId, '{' + someId + '}'));
        row("UTF-8 surrogate", edited(goodTarget, "Safari", "\xed\xa0\x80"));
        row("lone high surrogate escape", edited(goodTarget, "Safari", R"(\ud83d x)"));
        row("lone low surrogate escape", edited(goodTarget, "Safari", R"(\udc00)"));
        row("unknown escape", edited(goodTarget, "Safari", R"(\x41)"));
        row("raw line feed in a string", edited(goodTarget, "Safari", "a\nb"));
        row("invalid UTF-8 in an ignored member", withNote(goodTarget, "[\"\xfe\"]"));
    }

    // Ids are written in upper case, members this program does not know are not kept, and the
    // name comes back the same in both styles.
    void targetForms() {
        QFETCH(QByteArray, json);
        QFETCH(QString, name);
        const auto decoded = decodeTargets(json);
        QCOMPARE(decoded.has_value(), !name.isNull());
        if (!decoded)
            return;
        QCOMPARE(decoded->size(), 1);
        QCOMPARE(decoded->first().name, name);
        for (const JsonStyle style : {JsonStyle::compact, JsonStyle::prettySorted}) {
            const QByteArray written = encodeTargets(*decoded, style);
            QVERIFY(written.contains(someId) && !written.contains("note"));
            QCOMPARE(recordLines(decodeTargets(written).value_or(QList<TargetProcess>())),
                     recordLines(*decoded));
            // An independent parser reads the same name: this checks the escaping itself. (Qt's
            // drops a byte-order mark inside a string.)
            QCOMPARE(QJsonDocument::fromJson(written).array().at(0)[u"name"].toString(),
                     QString(name).remove(QChar(0xFEFF)));
        }
    }

    void logEntryForms_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("decoded"); // "<timestamp> <pid>"; empty when refused
        const auto timestamp = [](const char* tag, const char* text, const char* decoded = "") {
            QTest::newRow(tag) << edited(goodLogEntry, "2024-03-01T12:34:56Z", text)
                               << QString::fromLatin1(decoded);
        };
        const auto pid = [](const char* tag, const char* value, const char* decoded = "") {
            QTest::newRow(tag) << edited(goodLogEntry, "4242", value)
                               << QString::fromLatin1(decoded);
        };
        timestamp("leap day", "2024-02-29T23:59:59Z", "2024-02-29T23:59:59Z 4242");
        timestamp("before 1970", "1969-12-31T23:59:59Z", "1969-12-31T23:59:59Z 4242");
        timestamp("31 April", "2024-04-31T00:00:00Z");
        timestamp("hour 24", "2024-01-01T24:00:00Z");
        timestamp("lower-case z", "2024-03-01T12:34:56z");
        timestamp("text after the Z", "2024-03-01T12:34:56ZZ");
        QTest::newRow("seconds since 1970")
            << edited(goodLogEntry, "\"2024-03-01T12:34:56Z\"", "1709296496") << QString();
        pid("largest pid", "2147483647", "2024-03-01T12:34:56Z 2147483647");
        pid("pid one too large", "2147483648");
        pid("pid with a leading zero", "012");
        const QByteArrayList members = {"\"id\":\"" + someId + "\",",
                                        "\"pid\":4242,",
                                        "\"timestamp\":\"2024-03-01T12:34:56Z\",",
                                        "\"processName\":\"Safari\",",
                                        "\"success\":true,",
                                        ",\"message\":\"Killed\""};
        for (const QByteArray& member : members)
            QTest::addRow("without %s", member.constData())
                << edited(goodLogEntry, member, "") << QString();
        QTest::newRow("success as number") << edited(goodLogEntry, "true", "0") << QString();
    }

    void logEntryForms() {
        QFETCH(QByteArray, json);
        QFETCH(QString, decoded);
        const auto entries = decodeLogEntries(json);
        QCOMPARE(entries.has_value(), !decoded.isEmpty());
        if (entries)
            QCOMPARE(entries->first().timestamp.toString(Qt::ISODate) + u' ' +
                         QString::number(entries->first().pid),
                     decoded);
    }

    void appendedLogArrayKeepsTheFileAndAddsTheBatch() {
        const QList<KillLogEntry> old = {logEntry("2024-01-01T00:00:00Z", 1),
                                         logEntry("2024-01-01T00:01:00Z", 2)};
        const QList<KillLogEntry> added = {logEntry("2024-01-01T00:02:00Z", 3)};
        QCOMPARE(appendedLogArray(pretty(old), pretty(added)), pretty(old + added));
        QCOMPARE(appendedLogArray("[]", pretty(added)), pretty(added));
        QCOMPARE(appendedLogArray(pretty(old), "[]"), pretty(old));
        for (const QByteArray& existing : {QByteArray(), QByteArray("[{}]"), pretty(old).chopped(1),
                                           edited(goodLogEntry, "4242", "1.5")})
            QVERIFY(!appendedLogArray(existing, pretty(added)));

        // Written by someone else: compact, with a member of their own and trailing blank lines.
        const QByteArray foreign =
            withNote(encodeLogEntries(old, JsonStyle::compact), "1") + "\n\n";
        const auto joined = appendedLogArray(foreign, pretty(added));
        QVERIFY(joined && joined->startsWith(foreign.trimmed().chopped(1)));
        QCOMPARE(recordLines(decodeLogEntries(*joined).value_or(QList<KillLogEntry>())),
                 recordLines(old + added));
    }

    // Large and deep enough that recursion or a copy per level would give way; the benchmarks
    // take them further.
    void hostileInputs() {
        const QByteArray opening(8 * 1024 * 1024, '[');
        QVERIFY(decodeLogEntries(withNote(goodLogEntry, opening + QByteArray(opening).fill(']'))));
        QVERIFY(!decodeLogEntries(goodLogEntry.chopped(2) + ",\"note\":" + opening));
    }
};

QTEST_APPLESS_MAIN(TestRecordJson)
#include "test_record_json.moc"
