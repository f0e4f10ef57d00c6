#include "engine/process/process_runner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cerrno>
#include <malloc.h>
#include <thread>

class TestProcessRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Output comes whole, with the tool's pid, arguments as given and no shell between; runs
    // that cannot start and runs from many threads leave no descriptor, spawn set-up or child.
    // The environment is inherited, the locale is always UTF-8.
    void runsAreFaithfulAndLeaveNothingBehind() {
        qputenv("LC_ALL", "C");
        qputenv("ZVR_KEPT", "kept");
        const QString shell = "echo $$ $LC_ALL $ZVR_KEPT; printf '%s|' \"$@\"; echo x >&2; exit 3";
        const auto output = PosixProcessRunner().run(
            QStringLiteral("/bin/sh"), {"-c", shell, "sh", "a  b", "", "*", "$HOME;", "Zürich"});
        QVERIFY(output);
        QCOMPARE(QString::fromUtf8(output->standardOutput),
                 QString::number(output->pid) +
                     QStringLiteral(" C.UTF-8 kept\na  b||*|$HOME;|Zürich|"));
        constexpr qsizetype size = 24 * 1024 * 1024 + 17;
        const auto large =
            PosixProcessRunner().run("/usr/bin/head", {"-c", QString::number(size), "/dev/zero"});
        QVERIFY(large && large->standardOutput == QByteArray(size, '\0'));
        QTemporaryDir dir;
        QFile script(dir.filePath(QStringLiteral("script")));
        QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\necho ran\n") > 0);
        script.close();
        const auto runAll = [&script] {
            PosixProcessRunner runner;
            const auto output = runner.run("/bin/sh", {"-c", "echo $$"});
            return !runner.run("/nonexistent/zvs-missing", {}) && !runner.run("/", {}) &&
                   !runner.run(script.fileName(), {}) && output &&
                   output->standardOutput == QByteArray::number(output->pid) + '\n';
        };
        QVERIFY(runAll());
        const auto missing = PosixProcessRunner().run("/nonexistent/zvs-missing", {});
        QVERIFY(!missing && missing.error().code == ENOENT &&
                missing.error().reason.contains("zvs-missing"));
        const qsizetype descriptors = QDir(QStringLiteral("/proc/self/fd")).count();
        const size_t heap = mallinfo2().uordblks;
        std::atomic<int> good = 0;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&] {
                for (int i = 0; i < 25; ++i)
                    good += runAll() ? 1 : 0;
            });
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(good.load(), 100);
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), descriptors);
        // A spawn set-up left behind costs some hundred bytes a run; 400 runs would show it.
        QVERIFY(mallinfo2().uordblks < heap + 32 * 1024);
    }
};

QTEST_APPLESS_MAIN(TestProcessRunner)
#include "test_process_runner.moc"
