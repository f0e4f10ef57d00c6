#include "memory_settings_store.h"
#include "record_json.h"
#include "settings_keys.h"
#include "watch_list_store.h"

#include <QLocale>
#include <QTest>

namespace {
QList<TargetProcess> sampleTargets() {
    return {{QUuid::createUuid(), QStringLiteral("Safari"), MatchMode::fuzzy, true},
            {QUuid::createUuid(), QStringLiteral("  two words\t"), MatchMode::exact, false},
            {QUuid::createUuid(), QStringLiteral("Safari"), MatchMode::fuzzy, true},
            {QUuid::createUuid(), QStringLiteral("日本語 \"quoted\""), MatchMode::exact, true}};
}

QStringList describe(const QList<TargetProcess>& targets) {
    QStringList lines;
    for (const TargetProcess& t : targets)
        lines << QStringLiteral("%1|%2|%3|%4")
                     .arg(t.id.toString(), t.name, matchModeRawValue(t.matchMode))
                     .arg(t.isEnabled);
    return lines;
}
} // namespace

class TestWatchListStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingStoredLoadsEmpty();
    void savedListLoadsBackIdentical();
    void savesCompactBinaryUnderItsKey();
    void unusableStoredValueLoadsEmptyAndStays_data();
    void unusableStoredValueLoadsEmptyAndStays();
    void emptyListIsStoredAsEmptyArray();
    void lowerCasedNamesIgnoreCase();
    void lowerCasedNamesIgnoreTheLocale();
};

void TestWatchListStore::nothingStoredLoadsEmpty() {
    MemorySettingsStore settings;
    QVERIFY(WatchListStore(settings).load().isEmpty());
    QCOMPARE(settings.writes, 0);
}

void TestWatchListStore::savedListLoadsBackIdentical() {
    MemorySettingsStore settings;
    const QList<TargetProcess> targets = sampleTargets();
    WatchListStore(settings).save(targets);
    // A new store stands for the next start of the program.
    QCOMPARE(describe(WatchListStore(settings).load()), describe(targets));
}

void TestWatchListStore::savesCompactBinaryUnderItsKey() {
    MemorySettingsStore settings;
    WatchListStore store(settings);
    const QList<TargetProcess> targets = sampleTargets();
    store.save(targets);
    store.save(targets.first(1));
    QCOMPARE(settings.values.keys(), QStringList{QStringLiteral("Quorvane.targets")});
    const QVariant stored = settings.values.value(SettingsKeys::targets);
    QCOMPARE(stored.typeId(), QMetaType::QByteArray);
    QCOMPARE(stored.toByteArray(), encodeTargets(targets.first(1), JsonStyle::compact));
    QCOMPARE(store.load().size(), 1);
}

void TestWatchListStore::unusableStoredValueLoadsEmptyAndStays_data() {
    QTest::addColumn<QVariant>("stored");
    const QByteArray missingFlag = "[{\"id\":\"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC\","
                                   "\"name\":\"Safari\",\"matchMode\":\"fuzzy\"}]";
    QTest::newRow("not JSON") << QVariant(QByteArray("not json"));
    QTest::newRow("an element lacks isEnabled") << QVariant(missingFlag);
    QTest::newRow("object, not array") << QVariant(QByteArray("{}"));
    QTest::newRow("text instead of binary")
        << QVariant(QString::fromUtf8(encodeTargets(sampleTargets(), JsonStyle::compact)));
    QTest::newRow("number") << QVariant(42);
}

void TestWatchListStore::unusableStoredValueLoadsEmptyAndStays() {
    QFETCH(QVariant, stored);
    MemorySettingsStore settings;
    settings.values.insert(SettingsKeys::targets, stored);
    QVERIFY(WatchListStore(settings).load().isEmpty());
    QCOMPARE(settings.writes, 0);
    QCOMPARE(settings.values.value(SettingsKeys::targets), stored);
}

void TestWatchListStore::emptyListIsStoredAsEmptyArray() {
    MemorySettingsStore settings;
    WatchListStore store(settings);
    store.save(sampleTargets());
    store.save({});
    QCOMPARE(settings.values.value(SettingsKeys::targets).toByteArray(), QByteArray("[]"));
    QVERIFY(store.load().isEmpty());
}

void TestWatchListStore::lowerCasedNamesIgnoreCase() {
    const QList<TargetProcess> targets = {
        {QUuid::createUuid(), QStringLiteral("FireFox"), MatchMode::fuzzy, true},
        {QUuid::createUuid(), QStringLiteral("ÄRGER"), MatchMode::exact, true},
        {QUuid::createUuid(), QStringLiteral("firefox"), MatchMode::exact, false}};
    QCOMPARE(lowerCasedNames(targets),
             QSet<QString>({QStringLiteral("firefox"), QStringLiteral("ärger")}));
    QVERIFY(lowerCasedNames({}).isEmpty());
}

void TestWatchListStore::lowerCasedNamesIgnoreTheLocale() {
    // Turkish rules would lower "I" to a dotless "ı"; the default mapping gives "i".
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QSet<QString> names =
        lowerCasedNames({{QUuid::createUuid(), QStringLiteral("INIT"), MatchMode::exact, true}});
    QLocale::setDefault(previous);
    QCOMPARE(names, QSet<QString>{QStringLiteral("init")});
}

QTEST_APPLESS_MAIN(TestWatchListStore)
#include "test_watch_list_store.moc"
