#include "engine/process/session_processes.h"
#include "fake_proc_tree.h"

#include <QFile>
#include <QTest>

namespace {
class FixedRoles final : public SessionRoleSource {
public:
    QList<qint32> processIds() const override { return pids; }
    QList<qint32> pids;
};

UserProcess row(qint32 pid, quint32 uid = 501) {
    UserProcess process;
    process.pid = pid;
    process.uid = uid;
    process.name = QStringLiteral("p%1").arg(pid);
    return process;
}

QList<qint32> marked(const QList<UserProcess>& rows) {
    QList<qint32> pids;
    for (const UserProcess& process : rows) {
        if (process.isSessionProcess)
            pids.append(process.pid);
    }
    return pids;
}

// /proc/net/unix with one line per socket: (inode, listening, name).
QByteArray socketTable(const QList<std::tuple<int, bool, QString>>& sockets) {
    QByteArray table = "Num       RefCount Protocol Flags    Type St Inode Path\n";
    for (const auto& [inode, listening, name] : sockets)
        table += QStringLiteral("0000000000000000: 00000002 00000000 %1 0001 %2 %3 %4\n")
                     .arg(listening ? "00010000" : "00000000", listening ? "01" : "03")
                     .arg(inode)
                     .arg(name)
                     .toUtf8();
    return table;
}

void makeFile(const QString& path) {
    QFile::remove(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}
} // namespace

class TestSessionProcesses : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void socketNamesFollowTheEnvironment() {
        QCOMPARE(sessionSocketNames(":1.0", "wayland-1", "/run/user/7"),
                 QStringList({"/tmp/.X11-unix/X1", "@/tmp/.X11-unix/X1", "/run/user/7/wayland-1",
                              "/run/user/7/systemd/private"}));
        QCOMPARE(sessionSocketNames("unix:12", "/tmp/wl", ""),
                 QStringList({"/tmp/.X11-unix/X12", "@/tmp/.X11-unix/X12", "/tmp/wl"}));
        QCOMPARE(sessionSocketNames("remote:10.0", "wayland-0", ""), QStringList());
        QCOMPARE(sessionSocketNames(":x", "", ""), QStringList());
    }

    // Listeners of the session's sockets, the leader, what the bus names and this program's
    // ancestors; never a client connected to a socket, never another user's process. What was
    // read once is not read again until a socket is made anew or a listener or ancestor goes.
    void findsTheSessionByRole() {
        QTemporaryDir runtime;
        const QString wayland = runtime.filePath(QStringLiteral("wayland-0"));
        const QString xAbstract = QStringLiteral("@/tmp/.X11-unix/X5");
        makeFile(wayland);
        FakeProcTree proc;
        proc.addShared("net/unix", socketTable({{100, true, wayland},
                                                {101, false, wayland},
                                                {200, true, xAbstract},
                                                {300, true, runtime.filePath("other")}}));
        for (const qint32 pid : {10, 11, 12, 13, 14, 15, 16, 20, 21, 22})
            proc.add(pid, "x");
        const auto setParent = [&proc](const QString& child, int parent) {
            proc.addShared(child + "/stat",
                           QStringLiteral("1 (a (b)) S %1 1").arg(parent).toUtf8());
        };
        setParent("self", 30);
        setParent("30", 31);
        setParent("31", 1);
        for (const auto& [pid, inode] : QList<std::pair<qint32, quint64>>{
                 {10, 100}, {11, 200}, {12, 101}, {13, 300}, {14, 100}, {21, 201}, {22, 100}})
            proc.addSocket(pid, inode);
        auto roles = std::make_shared<FixedRoles>();
        roles->pids = {16};
        SessionProcessFinder finder(proc, sessionSocketNames(":5", "wayland-0", runtime.path()),
                                    roles, 15, 501);
        QList<UserProcess> rows = {row(10), row(11), row(12), row(13), row(14, 0),
                                   row(15), row(16), row(30), row(31)};
        finder.mark(rows);
        QCOMPARE(marked(rows), QList<qint32>({10, 11, 15, 16, 30, 31}));
        QVERIFY(!proc.reads.contains("14/fd"));

        // Xwayland started later, given the compositor's socket, listed first: only the newcomer
        // is read.
        proc.reads.clear();
        rows.prepend(row(22));
        finder.mark(rows);
        QCOMPARE(marked(rows), QList<qint32>({22, 10, 11, 15, 16, 30, 31}));
        QCOMPARE(proc.reads, QStringList("22/fd"));

        // The X server ends and another listens on a socket of its own; the parent ends and
        // leaves this program to another.
        proc.addShared("net/unix", socketTable({{100, true, wayland}, {201, true, xAbstract}}));
        setParent("self", 32);
        setParent("32", 1);
        rows = {row(10), row(12), row(21), row(32)};
        finder.mark(rows);
        QCOMPARE(marked(rows), QList<qint32>({10, 21, 32}));

        // The compositor's socket is made anew: the sockets are read again.
        proc.addShared("net/unix", socketTable({{400, true, wayland}}));
        proc.addSocket(12, 400);
        makeFile(wayland);
        finder.mark(rows);
        QCOMPARE(marked(rows), QList<qint32>({12, 32}));
    }
};

QTEST_APPLESS_MAIN(TestSessionProcesses)
#include "test_session_processes.moc"
