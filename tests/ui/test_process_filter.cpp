#include "fake_monitor_world.h"
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
        process("editor", O::thirdParty, 3000, "editor", "Text Editor", "/opt/editor/bin/editor"),
        process("zsh", O::system, 3000, "-zsh"),
        process("helper", O::thirdParty, 100, "helper --daemon", std::nullopt,
                "/opt/Quillbox/helper"),
    };
}
} // namespace

class TestProcessFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filtered_data() {
        QTest::addColumn<QString>("filterId");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, QString filter, QString search,
                            QStringList expected) {
            QTest::newRow(name) << filter << search << expected;
        };
        const QStringList everything = {"firefox-esr", "Web Content", "editor", "zsh",
                                        "systemd",     "mystery",     "helper"};
        row("all, largest first", "all", "", everything);
        row("unknown filter keeps all", "mem", "", everything);
        row("sys hides third-party and unknown", "sys", "", {"zsh", "systemd"});
        row("3rd", "3rd", "", {"firefox-esr", "Web Content", "editor", "helper"});
        row("capitals find lower case", "all", "FIREFOX-ESR", {"firefox-esr", "Web Content"});
        row("only in args", "all", "CONTENTPROC", {"Web Content"});
        row("only in path", "all", "quillbox", {"helper"});
        row("only in localised name", "all", "TEXT ED", {"editor"});
        row("single blank is a search", "all", " ",
            {"firefox-esr", "Web Content", "editor", "systemd", "helper"});
        row("trailing blank is kept", "all", "zsh ", {});
    }

    void filtered() {
        QFETCH(QString, filterId);
        QFETCH(QString, search);
        QFETCH(QStringList, expected);
        const ProcessFilter filter(snapshot(), QLocale::c());
        QCOMPARE(namesOf(filter.filtered(filterId, search)), expected);
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

    // The quick path for plain ASCII must not bypass the locale's own case rules.
    void foldsByTheLocale() {
        const QList<UserProcess> processes = {process("disk-sync", ProcessOrigin::system, 1)};
        const ProcessFilter turkish(processes, QLocale(QLocale::Turkish));
        QCOMPARE(turkish.filtered("all", "DİSK").size(), 1);
        QCOMPARE(turkish.filtered("all", "DISK").size(), 0);

        const QList<UserProcess> accented = {process("Éditeur", ProcessOrigin::system, 1),
                                             process("ΟΔΟΣ", ProcessOrigin::system, 1)};
        const ProcessFilter french(accented, QLocale(QLocale::French));
        QCOMPARE(namesOf(french.filtered("all", "éDIT")), QStringList{"Éditeur"});
        QCOMPARE(namesOf(french.filtered("all", "οδος")), QStringList{"ΟΔΟΣ"});
    }
};

QTEST_APPLESS_MAIN(TestProcessFilter)
#include "test_process_filter.moc"
