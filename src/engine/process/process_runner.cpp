// Kept over QProcess (same cost): no QObject on the scan thread, no fork under the sanitizers.
#include "engine/process/process_runner.h"

#include "engine/base/file_descriptor.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
constexpr qsizetype readChunk = 64 * 1024;

class SpawnFileActions {
public:
    SpawnFileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    ~SpawnFileActions() {
        if (ok_)
            posix_spawn_file_actions_destroy(&actions_);
    }

    bool ok() const { return ok_; }
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
    bool ok_ = false;
};

class SpawnAttributes {
public:
    SpawnAttributes() { ok_ = posix_spawnattr_init(&attributes_) == 0; }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    ~SpawnAttributes() {
        if (ok_)
            posix_spawnattr_destroy(&attributes_);
    }

    bool ok() const { return ok_; }
    posix_spawnattr_t* get() { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
    bool ok_ = false;
};

// The tool should not inherit the signal mask of whichever thread happened to start it.
bool resetSignals(SpawnAttributes& attributes) {
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    return posix_spawnattr_setsigmask(attributes.get(), &none) == 0 &&
           posix_spawnattr_setsigdefault(attributes.get(), &defaults) == 0 &&
           posix_spawnattr_setflags(attributes.get(),
                                    POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
}

// False on a read error; the output is then incomplete.
bool readToEnd(int fd, QByteArray& output) {
    for (;;) {
        if (output.capacity() - output.size() < readChunk)
            output.reserve(qMax(output.capacity() * 2, output.size() + readChunk));
        const qsizetype used = output.size();
        const qsizetype room = output.capacity() - used;
        output.resize(output.capacity());
        const ssize_t got = ::read(fd, output.data() + used, size_t(room));
        output.resize(used + qMax<ssize_t>(got, 0));
        if (got > 0)
            continue;
        if (got == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

// Ours in place of the session's, whatever that is; every other variable as it is.
std::vector<char*> utf8Environment() {
    static char utf8[] = "LC_ALL=C.UTF-8";
    std::vector<char*> variables;
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "LC_ALL=", 7) != 0)
            variables.push_back(*variable);
    }
    variables.push_back(utf8);
    variables.push_back(nullptr);
    return variables;
}

Error failure(const QString& what, int code) {
    return {QStringLiteral("%1: %2").arg(what, qt_error_string(code)), code};
}

void reap(pid_t pid) {
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}
} // namespace

Result<ToolOutput> PosixProcessRunner::run(const QString& program, const QStringList& arguments) {
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> encoded;
    encoded.reserve(size_t(arguments.size()) + 1);
    encoded.push_back(path);
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    argv.reserve(encoded.size() + 1);
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return failure(QStringLiteral("cannot make a pipe for %1").arg(program), errno);
    FileDescriptor readEnd(ends[0]);
    FileDescriptor writeEnd(ends[1]);

    SpawnFileActions actions;
    SpawnAttributes attributes;
    if (!actions.ok() || !attributes.ok() || !resetSignals(attributes) ||
        posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), STDOUT_FILENO) != 0 ||
        posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0) !=
            0)
        return failure(QStringLiteral("cannot prepare to start %1").arg(program), errno);

    pid_t pid = 0;
    std::vector<char*> environment = utf8Environment();
    if (const int error = posix_spawn(&pid, path.constData(), actions.get(), attributes.get(),
                                      argv.data(), environment.data());
        error != 0)
        return failure(QStringLiteral("cannot start %1").arg(program), error);
    // Only the child may hold the write end, or end of file never comes.
    writeEnd.reset();

    ToolOutput result;
    result.pid = pid;
    const bool complete = readToEnd(readEnd.get(), result.standardOutput);
    const int readError = errno;
    // Closed before waiting: a tool still writing gets EPIPE instead of blocking forever.
    readEnd.reset();
    reap(pid);
    if (!complete)
        return failure(QStringLiteral("cannot read what %1 printed").arg(program), readError);
    return result;
}
