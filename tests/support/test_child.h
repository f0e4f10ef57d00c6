#pragma once

#include <QString>
#include <QTemporaryDir>
#include <sys/types.h>

// A copy of a program (/bin/sleep unless said otherwise) under a name no other program uses
// ("<prefix>-<8 hex digits><tail>"; the short prefix keeps the kernel's first 15 bytes unique too),
// started without fork so that sanitizers stay happy. It is killed and reaped when the object goes,
// also when a test fails.
class TestChild {
public:
    // A child that blocks SIGTERM keeps it pending, so only SIGKILL ends it.
    enum class OnTerm { end, block };

    explicit TestChild(const QString& prefix,
                       const QStringList& arguments = {QStringLiteral("600")},
                       OnTerm onTerm = OnTerm::end, const QString& tail = {},
                       const QString& program = QStringLiteral("/bin/sleep"));
    ~TestChild();

    TestChild(const TestChild&) = delete;
    TestChild& operator=(const TestChild&) = delete;

    bool isStarted() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    const QString& name() const { return name_; }
    // Reaps the child once it ends: the signal that ended it, 0 for an exit of its own, -1 when
    // it still runs after the timeout (a timeout of 0 only looks).
    int waitForEnd(int timeoutMs);

private:
    QTemporaryDir dir_;
    QString name_;
    pid_t pid_ = -1;
};
