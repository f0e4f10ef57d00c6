#include "process_filter.h"

#include <QTest>

namespace {
UserProcess process(const QString& name, ProcessOrigin origin, qint64 memoryKB,
                    std::optional<QString> args = std::nullopt,
                    std::optional<QString> localizedName = std::nullopt, QString path = {}) {
    static qint32 nextPid = 100;
    UserProcess p;
    p.pid = nextPid++;
    p.name = name;
    p.localizedName = std::move(localizedName);
    p.args = std::move(args);
    p.memoryKB = memoryKB;
    p.path = path.isEmpty() ? name : path;
    p.origin = origin;
    return p;
}

// Snapshot order on purpose differs from memory order.
QList<UserProcess> snapshot() {
    using O = ProcessOrigin;
    return {
        process("systemd", O::system, 1000, "/lib/systemd/systemd --user"),
        process("firefox-esr", O::thirdParty, 5000, "/usr/lib/firefox-esr/firefox-esr -new-window"),
        process("Web Content", O::thirdParty, 3000,
                "/usr/lib/firefox-esr/firefox-esr -contentproc"),
        process("mystery", O::unknown, 200),
        process("kworker/0:1", O::system, 0),
        process("editor", O::thirdParty, 3000, "editor", "Text Editor", "/opt/editor/bin/editor"),
        process("zsh", O::system, 3000, "-zsh"),
        process("helper", O::thirdParty, 100, "helper --daemon", std::nullopt,
                "/opt/Quillbox/helper"),
    };
}

QStringList names(const QList<UserProcess>& processes) {
    QStringList result;
    for (const UserProcess& p : processes)
        result.append(p.name);
    return result;
}
} // namespace

class TestProcessFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filtered_data() {
        QTest::addColumn<QString>("filterId");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("expected");

        const QStringList everything = {"firefox-esr", "Web Content", "editor", "zsh",
                                        "systemd",     "mystery",     "helper", "kworker/0:1"};
        QTest::newRow("all, largest first") << "all"
                                            << "" << everything;
        QTest::newRow("unknown filter keeps all") << "mem"
                                                  << "" << everything;
        QTest::newRow("sys hides third-party and unknown")
            << "sys"
            << "" << QStringList{"zsh", "systemd", "kworker/0:1"};
        QTest::newRow("3rd") << "3rd"
                             << "" << QStringList{"firefox-esr", "Web Content", "editor", "helper"};
        QTest::newRow("sys with a search") << "sys"
                                           << "R" << QStringList{"systemd", "kworker/0:1"};
        QTest::newRow("all brings them back with the same search")
            << "all"
            << "R" << QStringList{"firefox-esr", "Web Content", "editor",     "systemd",
                                  "mystery",     "helper",      "kworker/0:1"};
        QTest::newRow("capitals find lower case")
            << "all"
            << "FIREFOX-ESR" << QStringList{"firefox-esr", "Web Content"};
        QTest::newRow("only in args") << "all"
                                      << "CONTENTPROC" << QStringList{"Web Content"};
        QTest::newRow("only in path") << "all"
                                      << "quillbox" << QStringList{"helper"};
        QTest::newRow("only in localised name") << "all"
                                                << "TEXT ED" << QStringList{"editor"};
        QTest::newRow("single blank")
            << "all"
            << " " << QStringList{"firefox-esr", "Web Content", "editor", "systemd", "helper"};
        QTest::newRow("trailing blank is part of the search")
            << "all"
            << "web " << QStringList{"Web Content"};
        QTest::newRow("trailing blank with no blank after the match") << "all"
                                                                      << "zsh " << QStringList{};
        QTest::newRow("leading blank") << "all"
                                       << " --d" << QStringList{"helper"};
        QTest::newRow("no match") << "all"
                                  << "nothing-like-this" << QStringList{};
    }

    void filtered() {
        QFETCH(QString, filterId);
        QFETCH(QString, search);
        QFETCH(QStringList, expected);
        const ProcessFilter filter(snapshot(), QLocale::c());
        QCOMPARE(names(filter.filtered(filterId, search)), expected);
    }

    void equalMemoryKeepsSnapshotOrder() {
        // Enough rows that an unstable sort would reorder them.
        QList<UserProcess> processes;
        for (int i = 0; i < 300; ++i)
            processes.append(process(QString::number(i), ProcessOrigin::system, i % 3));
        const QList<UserProcess> rows = ProcessFilter(processes).filtered("all", "");
        QCOMPARE(rows.size(), processes.size());
        for (int i = 1; i < rows.size(); ++i) {
            QVERIFY(rows[i - 1].memoryKB >= rows[i].memoryKB);
            if (rows[i - 1].memoryKB == rows[i].memoryKB)
                QVERIFY(rows[i - 1].name.toInt() < rows[i].name.toInt());
        }
    }

    void keepsWholeRecords() {
        const QList<UserProcess> rows = ProcessFilter(snapshot()).filtered("3rd", "editor");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].localizedName, std::optional<QString>("Text Editor"));
        QCOMPARE(rows[0].path, QString("/opt/editor/bin/editor"));
        QCOMPARE(rows[0].memoryKB, 3000);
    }

    void foldsByTheLocale() {
        const QList<UserProcess> processes = {process("disk-sync", ProcessOrigin::system, 1)};
        QCOMPARE(ProcessFilter(processes, QLocale(QLocale::Turkish)).filtered("all", "DİSK").size(),
                 1);
        QCOMPARE(ProcessFilter(processes, QLocale(QLocale::Turkish)).filtered("all", "DISK").size(),
                 0);
        QCOMPARE(ProcessFilter(processes, QLocale::c()).filtered("all", "DISK").size(), 1);

        const QList<UserProcess> accented = {process("Éditeur", ProcessOrigin::system, 1),
                                             process("ΟΔΟΣ", ProcessOrigin::system, 1)};
        const ProcessFilter filter(accented, QLocale(QLocale::French));
        QCOMPARE(names(filter.filtered("all", "éDIT")), QStringList{"Éditeur"});
        QCOMPARE(names(filter.filtered("all", "οδος")), QStringList{"ΟΔΟΣ"});
    }

    void emptySnapshot() { QVERIFY(ProcessFilter().filtered("all", "x").isEmpty()); }
};

QTEST_APPLESS_MAIN(TestProcessFilter)
#include "test_process_filter.moc"
