#pragma once

#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

// A copy of /bin/sleep under a name no other program uses ("<prefix>-<8 hex digits>", within
// the kernel's 15 characters), started without fork so that sanitizers stay happy. It is
// killed and reaped when the object goes, also when a test fails.
class TestChild {
public:
    explicit TestChild(const QString& prefix, const QStringList& arguments = {QStringLiteral("600")});
    ~TestChild();

    TestChild(const TestChild&) = delete;
    TestChild& operator=(const TestChild&) = delete;

    bool isStarted() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    const QString& name() const { return name_; }
    // Waits for the child to end and reaps it; true when it ended through a signal.
    bool waitUntilKilled(int timeoutMs);

private:
    QTemporaryDir dir_;
    QString name_;
    pid_t pid_ = -1;
};
