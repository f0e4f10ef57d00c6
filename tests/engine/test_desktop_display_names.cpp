#include "desktop_display_names.h"
#include "desktop_entry.h"
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

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray launchedFrom(const QString& file, qint32 pid) {
    return "GIO_LAUNCHED_DESKTOP_FILE=" + QFile::encodeName(file) + '\0' +
           "GIO_LAUNCHED_DESKTOP_FILE_PID=" + QByteArray::number(pid) + '\0' + "HOME=/home/u";
}
} // namespace

class TestDesktopDisplayNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsedEntry_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("parsed"); // name|program|window class|shown, or "none"
        const auto row = [](const char* tag, const QByteArray& content, const char* language,
                            const char* parsed) {
            QTest::newRow(tag) << content << QString::fromLatin1(language)
                               << QString::fromUtf8(parsed);
        };
        const QByteArray names = "Name=Files\nName[zh]=文件\nName[zh_TW]=檔案\nName[ja]=ファイル";
        row("Name[xx_YY] first", entry(names), "zh-Hant", "檔案|||shown");
        row("then Name[xx]", entry(names), "zh-Hans", "文件|||shown");
        row("then Name", entry(names), "ko", "Files|||shown");
        row("other groups ignored",
            "Name[ja]=stray\n[Desktop Entry]\nName = Mail \nType=Application\n[Desktop Action "
            "new]\nName[ja]=x\nExec=other",
            "ja", "Mail|||shown");
        row("path, field code, window class",
            entry("Name=Tool\nExec=/opt/tool/bin/tool %U\nStartupWMClass=Tool-Main"), "en",
            "Tool|tool|Tool-Main|shown");
        row("env and quotes",
            entry("Name=My\\sApp\nExec=env -i A=1 \"/opt/My App/my\\\\\\\\app\" --go"), "en",
            "My App|my\\app||shown");
        row("shell", entry("Name=Script\nExec=sh -c \"tool; other\""), "en", "Script|||shown");
        row("unbalanced quote", entry("Name=Q\nExec=\"/opt/q"), "en", "Q|||shown");
        row("backslash at the end", entry("Name=Back\\"), "en", "Back\\|||shown");
        row("no name", entry("Exec=tool"), "en", "none");
        row("a link", "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org", "en",
            "none");
        row("not UTF-8", entry("Name=Bad\xff"), "en", "none");
    }

    void parsedEntry() {
        QFETCH(QByteArray, content);
        QFETCH(QString, language);
        const auto parsed = parseDesktopEntry(content, nameKeys(language));
        QString text = QStringLiteral("none");
        if (parsed)
            text = QStringList({parsed->name, parsed->program, parsed->startupWMClass,
                                QLatin1String(parsed->isShown ? "shown" : "hidden")})
                       .join(u'|');
        QTEST(text, "parsed");
    }

    void namesFromEnvironmentAndExecutable() {
        QTemporaryDir dir;
        const QString user = dir.filePath(QStringLiteral("home/applications"));
        const QString system = dir.filePath(QStringLiteral("usr/applications"));
        const QString flatpak = dir.filePath(QStringLiteral("flatpak/applications"));
        write(user + "/mail.desktop", entry("Name=Mail\nName[ja]=メール\nExec=mailer %u"));
        write(user + "/kde/viewer.desktop", entry("Name=Viewer\nExec=/opt/viewer/bin/viewer"));
        write(user + "/hidden.desktop", entry("Name=Hidden Over\nHidden=true"));
        write(user + "/broken.desktop", "[Desktop Entry]\nName=\xff\n");
        write(system + "/hidden.desktop", entry("Name=Masked\nExec=masked"));
        write(system + "/kde-viewer.desktop", entry("Name=Masked Viewer\nExec=viewer2"));
        write(system + "/helper.desktop", entry("Name=Helper\nExec=helper\nNoDisplay=true"));
        write(system + "/edit1.desktop", entry("Name=Edit\nExec=office --edit"));
        write(system + "/edit2.desktop", entry("Name=Sheet\nExec=office --sheet"));
        write(system + "/edit3.desktop", entry("Name=Sheet\nExec=/usr/bin/sheet"));
        write(system + "/edit4.desktop", entry("Name=Sheet\nExec=/opt/sheet"));
        write(system + "/web.desktop", entry("Name=Web\nExec=web-launcher\nStartupWMClass=Brow"));
        // Beyond a mebibyte a file is no entry.
        write(system + "/big.desktop", entry("Name=Big\nExec=big\n#" + QByteArray(1 << 20, ' ')));
        write(flatpak + "/org.Calc.desktop",
              entry("Name=Calc\nExec=/usr/bin/flatpak run --command=calc org.Calc"));
        const QString elsewhere = dir.filePath(QStringLiteral("own.desktop"));
        write(elsewhere, entry("Name=Own\nNoDisplay=false"));

        auto proc = std::make_shared<FakeProcTree>();
        proc->add(10, "x", launchedFrom(user + "/mail.desktop", 10));
        proc->add(11, "other", launchedFrom(user + "/mail.desktop", 10)); // inherited only
        proc->add(12, "mailer", {}, QStringLiteral("/usr/lib/mail/mailer"));
        proc->add(13, "/opt/viewer/bin/viewer");
        proc->add(14, "viewer2");
        proc->add(15, "x", {}, QStringLiteral("/app/bin/calc"));
        proc->add(16, "x", {}, QStringLiteral("/usr/lib/brow"));
        proc->add(17, "helper");
        proc->add(18, "masked");
        proc->add(19, "office");
        proc->add(20, "sheet");
        proc->add(21, "x", launchedFrom(elsewhere, 21));
        const QString fifo = dir.filePath(QStringLiteral("fifo.desktop"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        proc->add(23, "x", launchedFrom(fifo, 23));
        proc->add(24, "big");
        QList<UserProcess> rows;
        for (qint32 pid = 10; pid <= 24; ++pid) {
            rows.append(UserProcess());
            rows.last().pid = pid;
        }

        DesktopDisplayNames source(proc, {user, system, flatpak}, QStringLiteral("ja"));
        const QHash<qint32, QString> expected = {{10, "メール"}, {12, "メール"}, {13, "Viewer"},
                                                 {15, "Calc"},   {16, "Web"},    {20, "Sheet"},
                                                 {21, "Own"}};
        QCOMPARE(source.displayNames(rows), expected);

        // Known processes cost no read; a new entry file is seen once the folder changed.
        proc->reads.clear();
        QCOMPARE(source.displayNames(rows), expected);
        QCOMPARE(proc->reads, QStringList());
        write(system + "/helper2.desktop", entry("Name=Helper 2\nExec=helper"));
        QTRY_COMPARE(source.displayNames(rows).value(17), QStringLiteral("Helper 2"));
        QCOMPARE(proc->reads, QStringList());
        const QString created = dir.filePath(QStringLiteral("flatpak/new"));
        DesktopDisplayNames watching(proc, {created}, QStringLiteral("en"));
        QVERIFY(!watching.displayNames(rows).contains(11));
        write(created + "/sub/other.desktop", entry("Name=Other\nExec=other"));
        QTRY_COMPARE(watching.displayNames(rows).value(11), QStringLiteral("Other"));
    }
};

QTEST_GUILESS_MAIN(TestDesktopDisplayNames)
#include "test_desktop_display_names.moc"
