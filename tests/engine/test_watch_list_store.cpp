#include "memory_settings_store.h"
#include "record_json.h"
#include "record_lines.h"
#include "settings_keys.h"
#include "watch_list_store.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
TargetProcess target(const char* name, MatchMode mode = MatchMode::fuzzy, bool isEnabled = true) {
    return {QUuid::createUuid(), QString::fromUtf8(name), mode, isEnabled};
}
} // namespace

class TestWatchListStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A new store stands for the next start of the program.
    void savesCompactJsonUnderItsKey() {
        MemorySettingsStore settings;
        const QList<TargetProcess> targets = {target("Safari"), target(" 日本語 \"q\"\t")};
        WatchListStore(settings).save(targets);
        QCOMPARE(recordLines(WatchListStore(settings).load()), recordLines(targets));
        QCOMPARE(settings.values,
                 (QHash<QString, QVariant>{{QStringLiteral("Quorvane.targets"),
                                            encodeTargets(targets, JsonStyle::compact)}}));
        WatchListStore(settings).save({});
        QVERIFY(WatchListStore(settings).load().isEmpty());
    }

    // Left as it is for the next save to replace.
    void unusableStoredValueLoadsEmpty() {
        const QByteArray json = encodeTargets({target("a")}, JsonStyle::compact);
        for (const QVariant& stored : {QVariant(), QVariant("not json"_ba), QVariant(42),
                                       QVariant(json.chopped(1)), QVariant(QString(json))}) {
            MemorySettingsStore settings;
            settings.values.insert(SettingsKeys::targets, stored);
            QVERIFY(WatchListStore(settings).load().isEmpty());
            QCOMPARE(settings.writes, 0);
        }
    }

    // New names come in whatever their case, with fresh ids; known names stay out.
    void importAddsUnknownNames() {
        const QList<TargetProcess> list = {target("Mail")};
        const QList<TargetProcess> imported = {target("MAIL"), target("Sheet", MatchMode::exact),
                                               target("sheet", MatchMode::fuzzy, false)};
        const QList<TargetProcess> merged = withImported(list, imported);
        QCOMPARE(merged.size(), 3);
        QCOMPARE(recordLines(merged.first(1)), recordLines(list));
        for (int i = 1; i < 3; ++i) {
            QVERIFY(merged[i].id != imported[i].id);
            QCOMPARE(recordLines({merged[i]}).first().section(u'|', 1),
                     recordLines({imported[i]}).first().section(u'|', 1));
        }
    }
};

QTEST_APPLESS_MAIN(TestWatchListStore)
#include "test_watch_list_store.moc"
