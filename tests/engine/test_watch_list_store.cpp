#include "memory_settings_store.h"
#include "record_json.h"
#include "record_lines.h"
#include "settings_keys.h"
#include "watch_list_store.h"

#include <QTest>

namespace {
QList<TargetProcess> sampleTargets() {
    return {{QUuid::createUuid(), QStringLiteral("Safari"), MatchMode::fuzzy, true},
            {QUuid::createUuid(), QStringLiteral("  two words\t"), MatchMode::exact, false},
            {QUuid::createUuid(), QStringLiteral("Safari"), MatchMode::fuzzy, true},
            {QUuid::createUuid(), QStringLiteral("日本語 \"quoted\""), MatchMode::exact, true}};
}
} // namespace

class TestWatchListStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void savesCompactJsonUnderItsKeyAndLoadsItBack();
    void unusableStoredValueLoadsEmptyAndStays_data();
    void unusableStoredValueLoadsEmptyAndStays();
};

void TestWatchListStore::savesCompactJsonUnderItsKeyAndLoadsItBack() {
    MemorySettingsStore settings;
    const QList<TargetProcess> targets = sampleTargets();
    WatchListStore(settings).save(targets);
    // A new store stands for the next start of the program.
    QCOMPARE(recordLines(WatchListStore(settings).load()), recordLines(targets));

    WatchListStore store(settings);
    store.save(targets.first(1));
    QCOMPARE(settings.values.keys(), QStringList{QStringLiteral("Quorvane.targets")});
    QCOMPARE(settings.values.value(SettingsKeys::targets),
             QVariant(encodeTargets(targets.first(1), JsonStyle::compact)));
    store.save({});
    QCOMPARE(settings.values.value(SettingsKeys::targets), QVariant(QByteArray("[]")));
    QVERIFY(store.load().isEmpty());
}

void TestWatchListStore::unusableStoredValueLoadsEmptyAndStays_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("nothing") << QVariant();
    QTest::newRow("not JSON") << QVariant(QByteArray("not json"));
    QTest::newRow("an element lacks isEnabled")
        << QVariant(QByteArray("[{\"id\":\"0F8C3E2A-7B1D-4C5E-9A6F-123456789ABC\","
                               "\"name\":\"Safari\",\"matchMode\":\"fuzzy\"}]"));
    QTest::newRow("text instead of binary")
        << QVariant(QString::fromUtf8(encodeTargets(sampleTargets(), JsonStyle::compact)));
    QTest::newRow("number") << QVariant(42);
}

void TestWatchListStore::unusableStoredValueLoadsEmptyAndStays() {
    QFETCH(QVariant, stored);
    MemorySettingsStore settings;
    if (stored.isValid())
        settings.values.insert(SettingsKeys::targets, stored);
    QVERIFY(WatchListStore(settings).load().isEmpty());
    QCOMPARE(settings.writes, 0);
    QCOMPARE(settings.values.value(SettingsKeys::targets), stored);
}

QTEST_APPLESS_MAIN(TestWatchListStore)
#include "test_watch_list_store.moc"
