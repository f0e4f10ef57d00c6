#include "fake_monitor_world.h"
#include "process_filter.h"

#include <QTest>

namespace {
using O = ProcessOrigin;

// pid, uid, name, display name, command line, memory, path, origin; not in memory order.
const QList<UserProcess> snapshot = {
    {1, 0, "systemd", {}, "/lib/systemd/systemd --user", 1000, "systemd", O::system},
    {2, 0, "firefox-esr", {}, "/usr/lib/firefox-esr/firefox-esr -new", 5000, "ff", O::thirdParty},
    {3,
     0,
     "Web Content",
     {},
     "/usr/lib/firefox-esr/firefox-esr -contentproc",
     3000,
     "ff",
     O::thirdParty},
    {4, 0, "mystery", {}, {}, 200, "mystery", O::unknown},
    {5, 0, "editor", "Text Editor", "editor", 3000, "/opt/editor/bin/editor", O::thirdParty},
    {6, 0, "zsh", {}, "-zsh", 3000, "zsh", O::system},
    {7, 0, "helper", {}, "helper --daemon", 100, "/opt/Quillbox/helper", O::thirdParty},
};
} // namespace

class TestProcessFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filtered_data() {
        QTest::addColumn<QString>("filterId");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("expected");
        const char* everything = "firefox-esr,Web Content,editor,zsh,systemd,mystery,helper";
        QTest::newRow("all, largest first") << "all"
                                            << "" << everything;
        QTest::newRow("unknown filter keeps all") << "mem"
                                                  << "" << everything;
        QTest::newRow("sys hides third-party and unknown") << "sys"
                                                           << ""
                                                           << "zsh,systemd";
        QTest::newRow("3rd") << "3rd"
                             << ""
                             << "firefox-esr,Web Content,editor,helper";
        QTest::newRow("capitals find lower case") << "all"
                                                  << "FIREFOX-ESR"
                                                  << "firefox-esr,Web Content";
        QTest::newRow("only in args") << "all"
                                      << "CONTENTPROC"
                                      << "Web Content";
        QTest::newRow("only in path") << "all"
                                      << "quillbox"
                                      << "helper";
        QTest::newRow("only in localised name") << "all"
                                                << "TEXT ED"
                                                << "editor";
        QTest::newRow("single blank is a search")
            << "all"
            << " "
            << "firefox-esr,Web Content,editor,systemd,helper";
        QTest::newRow("trailing blank is kept") << "all"
                                                << "zsh "
                                                << "";
    }

    void filtered() {
        QFETCH(QString, filterId);
        QFETCH(QString, search);
        QFETCH(QString, expected);
        const ProcessFilter filter(snapshot, QLocale::c());
        QCOMPARE(namesOf(filter.filtered(filterId, search)).join(u','), expected);
    }

    void equalMemoryKeepsSnapshotOrder() {
        // Enough rows that an unstable sort would reorder them.
        QList<UserProcess> processes;
        for (int i = 0; i < 300; ++i)
            processes.append({i, 0, QString::number(i), {}, {}, i % 3, {}, O::system});
        const QList<UserProcess> rows = ProcessFilter(processes).filtered("all", "");
        QCOMPARE(rows.size(), processes.size());
        for (int i = 1; i < rows.size(); ++i) {
            QVERIFY(rows[i - 1].memoryKB > rows[i].memoryKB ||
                    (rows[i - 1].memoryKB == rows[i].memoryKB && rows[i - 1].pid < rows[i].pid));
        }
    }

    // The quick path for plain ASCII must not bypass the locale's own case rules.
    void foldsByTheLocale() {
        const QList<UserProcess> processes = {{1, 0, "disk-sync", {}, {}, 1, {}, O::system},
                                              {2, 0, "Éditeur", {}, {}, 1, {}, O::system},
                                              {3, 0, "ΟΔΟΣ", {}, {}, 1, {}, O::system}};
        const ProcessFilter turkish(processes, QLocale(QLocale::Turkish));
        QCOMPARE(namesOf(turkish.filtered("all", "DİSK")), QStringList{"disk-sync"});
        QVERIFY(turkish.filtered("all", "DISK").isEmpty());
        const ProcessFilter french(processes, QLocale(QLocale::French));
        QCOMPARE(namesOf(french.filtered("all", "éDIT")), QStringList{"Éditeur"});
        QCOMPARE(namesOf(french.filtered("all", "οδος")), QStringList{"ΟΔΟΣ"});
    }
};

QTEST_APPLESS_MAIN(TestProcessFilter)
#include "test_process_filter.moc"
