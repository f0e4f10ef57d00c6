#include "engine/desktop/application_unit.h"
#include "engine/desktop/desktop_display_names.h"
#include "engine/desktop/desktop_entry.h"
#include "fake_proc_tree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {
QByteArray entry(const QByteArray& keys) {
    return "[Desktop Entry]\nType=Application\n" + keys + '\n';
}

void write(const QString& path, const QByteArray& content, bool isProgram = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    if (isProgram)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QByteArray launchedFrom(const QString& file, qint32 pid) {
    return "GIO_LAUNCHED_DESKTOP_FILE=" + QFile::encodeName(file) + '\0' +
           "GIO_LAUNCHED_DESKTOP_FILE_PID=" + QByteArray::number(pid) + '\0' + "HOME=/home/u";
}

// A command line as /proc holds it: each word ended by a NUL.
QByteArray commandLine(const QByteArrayList& words) {
    return words.join('\0') + '\0';
}

const QByteArray appSlice = "0::/user.slice/user-1000.slice/user@1000.service/app.slice/";
} // namespace

class TestDesktopDisplayNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsedEntry_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("locale"); // LC_ALL|LC_MESSAGES|LANG
        QTest::addColumn<QString>("parsed"); // name|program|arguments|more|sandbox|flags
        const auto row = [](const char* tag, const QByteArray& content, const char* locale,
                            const char* parsed) {
            QTest::newRow(tag) << content << QString::fromLatin1(locale)
                               << QString::fromUtf8(parsed);
        };
        const QByteArray names = "Name=Files\nName[de]=Dateien\nName[de_AT]=Dateien AT\n"
                                 "Name[de@euro]=Dateien €";
        row("LC_MESSAGES over LANG", entry(names), "|de_AT.UTF-8|fr_FR", "Dateien AT|||||");
        row("LC_ALL first, modifier", entry(names), "de_CH.UTF-8@euro|de_AT|", "Dateien €|||||");
        row("language alone", entry(names), "||de_CH", "Dateien|||||");
        row("C is untranslated", entry(names), "C.UTF-8|de_AT|de", "Files|||||");
        row("other groups ignored",
            "Name[de]=stray\n[Desktop Entry]\nName = Mail \nType=Application\n[Desktop Action "
            "new]\nName[de]=x\nExec=other",
            "||de", "Mail|||||");
        row("up to the field code", entry("Name=T\nExec=/opt/t/bin/t --new --file=%f -x"), "||",
            "T|/opt/t/bin/t|--new|more||");
        row("env, quotes, %%",
            entry("Name=My\\sApp\nExec=env -u X -i A=1 \"/opt/My App/my\\\\\\\\app\" --go 5%%"),
            "||", "My App|/opt/My App/my\\app|--go,5%|||");
        row("shell", entry("Name=S\nExec=sh -c \"tool; other\""), "||", "S|sh|-c,tool; other|||");
        row("flatpak", entry("Name=C\nExec=flatpak run --command=/app/calc org.Calc @@u %U @@"),
            "||", "C|flatpak|run,--command=/app/calc,org.Calc,@@u|more|calc|");
        row("unbalanced quote", entry("Name=Q\nExec=\"/opt/q"), "||", "Q|||||");
        row("hidden, kept out of menus", entry("Name=H\\\nHidden=true\nNoDisplay=true"), "||",
            "H\\|||||hidden,nodisplay");
        row("no name", entry("Exec=tool"), "||", "none");
        row("a link", "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org", "||",
            "none");
        row("not UTF-8", entry("Name=Bad\xff"), "||", "none");
    }

    void parsedEntry() {
        QFETCH(QByteArray, content);
        QFETCH(QString, locale);
        QProcessEnvironment environment;
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            environment.insert(QLatin1String(variable), locale.section(u'|', 0, 0));
            locale = locale.section(u'|', 1);
        }
        const auto parsed = parseDesktopEntry(content, nameKeys(messagesLocale(environment)));
        QString text = QStringLiteral("none");
        if (parsed)
            text = QStringList({parsed->name, parsed->program, parsed->arguments.join(u','),
                                QLatin1String(parsed->takesMoreArguments ? "more" : ""),
                                parsed->sandboxCommand,
                                QLatin1String(parsed->isHidden ? "hidden," : "") +
                                    QLatin1String(parsed->isNoDisplay ? "nodisplay" : "")})
                       .join(u'|');
        QTEST(text, "parsed");
    }

    // The unit from a process's cgroup file, and the ids its name may stand for, best first.
    void applicationUnits_data() {
        QTest::addColumn<QByteArray>("cgroup");
        QTest::addColumn<QString>("ids");
        const auto row = [](const char* tag, const QByteArray& cgroup, const char* ids) {
            QTest::newRow(tag) << cgroup << QString::fromLatin1(ids);
        };
        row("scope with launcher", appSlice + "app-gnome-org.gnome.Terminal-4321.scope\n",
            "org.gnome.Terminal,gnome-org.gnome.Terminal");
        row("service, random", appSlice + "app-org.kde.dolphin@3f2a.service", "org.kde.dolphin");
        row("service", appSlice + "app-KDE-org.kde.okular.service",
            "org.kde.okular,KDE-org.kde.okular");
        row("flatpak", appSlice + "app-flatpak-org.Calc-12345.scope", "org.Calc,flatpak-org.Calc");
        row("escaped dash", appSlice + "app-gnome-firefox\\x2desr-1234.scope",
            "firefox-esr,gnome-firefox-esr");
        row("below the unit", appSlice + "app-org.x@1.service/sub/leaf", "org.x");
        row("cgroup v1", "9:pids:/x.scope\n1:name=systemd:/" + appSlice.sliced(4) + "app-y-1.scope",
            "y");
        row("no application", appSlice + "dbus.service", "");
        row("scope without random", appSlice + "app-foo.scope", "");
        row("session", "0::/user.slice/user-1000.slice/session-2.scope", "");
    }

    void applicationUnits() {
        QFETCH(QByteArray, cgroup);
        QTEST(applicationIdsOf(unitOf(cgroup)).join(u','), "ids");
    }

    void namesOnlyWithEvidence() {
        QTemporaryDir dir;
        const QString user = dir.filePath(QStringLiteral("home/applications"));
        const QString system = dir.filePath(QStringLiteral("usr/applications"));
        const QString bin = dir.filePath(QStringLiteral("bin"));
        for (const char* program : {"sleep", "python3.11", "sh", "mailer", "office", "dup", "brow",
                                    "helper", "bash", "big"})
            write(bin + '/' + QLatin1String(program), "binary", true);
        QFile::link(bin + "/python3.11", bin + "/python3");
        write(bin + "/meld", "#!/usr/bin/env python3\nimport meld\n", true);
        write(bin + "/tool", "#!" + QFile::encodeName(bin) + "/sh -e\n", true);

        write(user + "/org.example.Mail.desktop",
              entry("Name=Mail\nName[ja]=メール\nExec=mailer %u"));
        write(user + "/kde/viewer.desktop", entry("Name=Viewer\nExec=/opt/viewer"));
        write(user + "/hidden.desktop", entry("Name=Hidden Over\nHidden=true"));
        write(system + "/hidden.desktop", entry("Name=Masked\nExec=bash"));
        write(system + "/helper.desktop", entry("Name=Helper\nExec=helper\nNoDisplay=true"));
        write(system + "/nap.desktop", entry("Name=Nap\nExec=sleep 5"));
        write(system + "/script.desktop", entry("Name=Script\nExec=python3 /opt/x.py %f"));
        write(system + "/shell.desktop", entry("Name=Shell\nExec=sh -c \"tool; other\""));
        write(system + "/meld.desktop", entry("Name=Meld\nExec=meld %F"));
        write(system + "/tool.desktop", entry("Name=Tool\nExec=tool"));
        write(system + "/office.desktop", entry("Name=Office\nExec=office %U"));
        write(system + "/sheet.desktop", entry("Name=Sheet\nExec=office --sheet %U"));
        write(system + "/dup1.desktop", entry("Name=Dup One\nExec=dup"));
        write(system + "/dup2.desktop", entry("Name=Dup Two\nExec=dup"));
        write(system + "/web.desktop", entry("Name=Web\nExec=web-launcher\nStartupWMClass=brow"));
        write(system + "/org.Calc.desktop",
              entry("Name=Calc\nExec=/usr/bin/flatpak run --command=calc org.Calc"));
        // Beyond a mebibyte a file is no entry.
        write(system + "/big.desktop", entry("Name=Big\nExec=big\n#" + QByteArray(1 << 20, ' ')));
        const QString elsewhere = dir.filePath(QStringLiteral("own.desktop"));
        write(elsewhere, entry("Name=Own\nNoDisplay=true"));
        const QString fifo = dir.filePath(QStringLiteral("fifo.desktop"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

        auto proc = std::make_shared<FakeProcTree>();
        QList<UserProcess> rows;
        const auto add = [&](qint32 pid, const QByteArray& cmdline, const char* exe,
                             const QByteArray& environ = {}, const QByteArray& unit = {},
                             qint32 parent = 1) {
            const QString file = QString::fromUtf8(exe);
            proc->add(pid, cmdline, environ,
                      file.isEmpty() || file.startsWith(u'/') ? file : bin + '/' + file);
            proc->put(pid, "cgroup", unit.isEmpty() ? "0::/init.scope\n" : appSlice + unit);
            proc->put(pid, "stat",
                      QByteArray::number(pid) + " (x) S " + QByteArray::number(parent) + " 1 1");
            rows.append(UserProcess());
            rows.last().pid = pid;
        };
        add(1, "systemd", "");
        // Launched from an entry's file, NoDisplay or not, or inherited from the launched one.
        add(10, "x", "", launchedFrom(user + "/org.example.Mail.desktop", 10));
        add(11, "x", "", launchedFrom(user + "/org.example.Mail.desktop", 10));
        add(12, "x", "", launchedFrom(elsewhere, 12));
        add(13, "x", "", launchedFrom(user + "/hidden.desktop", 13));
        add(14, "x", "", launchedFrom(fifo, 14));
        // In an application's unit: its first process, a shell beneath, the program beneath that.
        add(20, "x", "", {}, "app-gnome-org.example.Mail-20.scope");
        add(21, commandLine({"bash"}), "bash", {}, "app-gnome-org.example.Mail-20.scope", 20);
        add(22, "mailer", "mailer", {}, "app-gnome-org.example.Mail-20.scope", 21);
        add(23, "bwrap", "", {}, "app-flatpak-org.Calc-7.scope", 22);
        add(24, "calc", "/app/bin/calc", {}, "app-flatpak-org.Calc-7.scope", 23);
        add(25, "other", "/app/bin/other", {}, "app-flatpak-org.Calc-7.scope", 24);
        add(26, "x", "", {}, "app-kde\\x2dviewer@1.service");
        add(27, "x", "", {}, "app-helper-9.scope");
        add(28, "x", "", {}, "app-hidden-9.scope");
        // The program of a menu entry's Exec= with its arguments.
        add(30, commandLine({"sleep", "5"}), "sleep");
        add(31, commandLine({"sleep", "10"}), "sleep");
        add(32, commandLine({"sleep", "5", "6"}), "sleep");
        add(33, commandLine({"python3.11", "/opt/x.py", "a"}), "python3.11");
        add(34, commandLine({"python3", "/opt/y.py"}), "python3.11");
        add(35, commandLine({"sh", "-c", "tool; other"}), "sh");
        add(37, commandLine({"python3", QFile::encodeName(bin + "/meld"), "a.txt"}), "python3.11");
        add(38, commandLine({"sh", "-e", QFile::encodeName(bin + "/tool")}), "sh");
        add(39, commandLine({"office", "--sheet", "f"}), "office");
        add(40, commandLine({"office", "--other"}), "office");
        add(41, "dup", "dup");
        add(42, "brow", "brow");
        add(43, "helper", "helper");
        add(44, "big", "big");

        DesktopDisplayNames source(proc, {user, system}, QStringLiteral("ja_JP.UTF-8"), {bin});
        const QHash<qint32, QString> expected = {
            {10, "メール"}, {12, "Own"},    {20, "メール"}, {22, "メール"}, {23, "Calc"},
            {24, "Calc"},   {26, "Viewer"}, {27, "Helper"}, {30, "Nap"},    {33, "Script"},
            {35, "Shell"},  {37, "Meld"},   {38, "Tool"},   {39, "Sheet"},  {40, "Office"}};
        QCOMPARE(source.displayNames(rows), expected);

        // Known processes cost no read; a new entry file is seen once the folder changed.
        proc->reads.clear();
        QCOMPARE(source.displayNames(rows), expected);
        QCOMPARE(proc->reads, QStringList());
        write(system + "/helper2.desktop", entry("Name=Helper 2\nExec=helper"));
        QTRY_COMPARE(source.displayNames(rows).value(43), QStringLiteral("Helper 2"));
        QCOMPARE(proc->reads, QStringList{"43/cmdline"});
        const QString created = dir.filePath(QStringLiteral("usr/new"));
        DesktopDisplayNames watching(proc, {created}, QStringLiteral("C"), {bin});
        QVERIFY(!watching.displayNames(rows).contains(41));
        write(created + "/sub/other.desktop", entry("Name=Other\nExec=dup"));
        QTRY_COMPARE(watching.displayNames(rows).value(41), QStringLiteral("Other"));
    }
};

QTEST_GUILESS_MAIN(TestDesktopDisplayNames)
#include "test_desktop_display_names.moc"
