#include "memory_settings_store.h"
#include "record_json.h"
#include "settings_keys.h"
#include "watch_list_store.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestWatchListStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Left as it is for the next save to replace.
    void unusableStoredValueLoadsEmpty() {
        const QByteArray json =
            encodeTargets({{QUuid::createUuid(), QStringLiteral("a"), MatchMode::fuzzy, true}},
                          JsonStyle::compact);
        for (const QVariant& stored : {QVariant(), QVariant("not json"_ba), QVariant(42),
                                       QVariant(json.chopped(1)), QVariant(QString(json))}) {
            MemorySettingsStore settings;
            settings.values.insert(SettingsKeys::targets, stored);
            QVERIFY(WatchListStore(settings).load().isEmpty());
            QCOMPARE(settings.writes, 0);
        }
    }
};

QTEST_APPLESS_MAIN(TestWatchListStore)
#include "test_watch_list_store.moc"
