#include "engine/matching/target_matcher.h"
#include "fake_monitor_world.h"
#include "ui/process_filter.h"

#include <QTest>

namespace {
using O = ProcessOrigin;

// pid, uid, name, display name, command line, memory, path, origin; not in memory order.
const QList<UserProcess> snapshot = {
    {1, 0, "systemd", {}, "/lib/systemd/systemd --user", 1000, "systemd", O::system},
    {2, 0, "firefox-esr", {}, "/usr/lib/firefox-esr/firefox-esr -new", 5000, "ff", O::thirdParty},
    {3, 0, "Web Content", {}, "firefox-esr -contentproc", 3000, "ff", O::thirdParty},
    {4, 0, "mystery", {}, {}, 200, "mystery", O::unknown},
    {5, 0, "editor", "Text Editor", "editor", 3000, "/opt/editor/bin/editor", O::thirdParty},
    {6, 0, "zsh", {}, "-zsh", 3000, "zsh", O::system},
    {7, 0, "helper", {}, "helper --daemon", 100, "/opt/Quillbox/helper", O::thirdParty},
};
} // namespace

class TestProcessFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Largest first, equal ones in snapshot order; a search finds capitals in the name, display
    // name, command line or path.
    void filtersBySourceAndSearch() {
        const char* all = "firefox-esr,Web Content,editor,zsh,systemd,mystery,helper";
        const QList<std::array<const char*, 3>> cases = {
            {"all", "", all},
            {"mem", "", all},
            {"sys", "", "zsh,systemd"},
            {"3rd", "", "firefox-esr,Web Content,editor,helper"},
            {"all", "FIREFOX-ESR", "firefox-esr,Web Content"},
            {"all", "CONTENTPROC", "Web Content"},
            {"all", "quillbox", "helper"},
            {"all", "TEXT ED", "editor"},
            {"all", " ", "firefox-esr,Web Content,editor,systemd,helper"},
            {"all", "zsh ", ""},
        };
        const ProcessFilter filter(snapshot, QLocale::c());
        for (const auto& [filterId, search, expected] : cases)
            QCOMPARE(namesOf(filter.filtered(filterId, search)).join(u','), QString(expected));
    }

    // The quick path for plain ASCII must not bypass the locale's own case rules.
    void foldsByTheLocale() {
        const QList<UserProcess> processes = {{1, 0, "disk-sync", {}, {}, 1, {}, O::system},
                                              {2, 0, "ΟΔΟΣ", {}, {}, 1, {}, O::system}};
        const ProcessFilter turkish(processes, QLocale(QLocale::Turkish));
        QCOMPARE(namesOf(turkish.filtered("all", "DİSK")), QStringList{"disk-sync"});
        QVERIFY(turkish.filtered("all", "DISK").isEmpty());
        QCOMPARE(namesOf(ProcessFilter(processes).filtered("all", "οδο")), QStringList{"ΟΔΟΣ"});
    }

    // What a search finds is what a fuzzy entry of the same text would end: the browser's "+"
    // must never add an entry that kills something the search did not show, or nothing.
    void searchAgreesWithFuzzyEntries() {
        const QStringList names = {"Straße-sync", "STRASSE", "ΟΔΟΣ",  "odos",
                                   "Cafe\u0301",  "İzmir",   "IZMIR", "ﬁle-tool"};
        const QStringList needles = {"straße", "STRASSE", "ss",    "οδος", "οδοσ",
                                     "café",   "izmir",   "İZMİR", "file", "ﬁ"};
        for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Turkish)}) {
            for (const QString& name : names) {
                const UserProcess process{1, 0, name, {}, {}, 1, {}, O::system};
                const ProcessFilter filter({process}, locale);
                for (const QString& needle : needles) {
                    TargetMatcher matcher({{QUuid(), needle, MatchMode::fuzzy, true}}, locale);
                    QVERIFY2(matcher.matches(process).isEmpty() ==
                                 filter.filtered("all", needle).isEmpty(),
                             qPrintable(name + " / " + needle));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestProcessFilter)
#include "test_process_filter.moc"
