#include "single_instance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {
const QByteArray showRequest = "show\n";
const QByteArray shownAnswer = "shown\n";
// The running instance takes its lock a moment before it listens; once up, it answers at once.
// One that is itself still starting answers when its window is ready.
constexpr int connectMs = 1500;
constexpr int answerMs = 10000;
constexpr int retryMs = 25;

// False when the path does not fit in a socket address.
bool socketAddress(const QByteArray& encoded, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (encoded.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

// A peer that went away must not end this program with SIGPIPE.
bool sendAll(int socket, const QByteArray& data) {
    return ::send(socket, data.constData(), size_t(data.size()), MSG_NOSIGNAL) == data.size();
}
} // namespace

SingleInstance::SingleInstance(QString runtimeDir) : runtimeDir_(std::move(runtimeDir)) {}

SingleInstance::~SingleInstance() {
    if (server_.isValid())
        ::unlink(QFile::encodeName(path("socket")).constData());
}

QString SingleInstance::runtimeDirForThisUser() {
    // Qt refuses a folder that another user owns or can enter, and then answers empty.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString SingleInstance::path(const char* suffix) const {
    return runtimeDir_ + QStringLiteral("/app.zentrav.Zentrav.") + QLatin1String(suffix);
}

bool SingleInstance::claim() {
    if (runtimeDir_.isEmpty())
        return true;
    lock_ = FileDescriptor(
        ::open(QFile::encodeName(path("lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    // Without a lock there is no telling whose socket is there: run, and leave it alone.
    if (!lock_.isValid())
        return true;
    if (::flock(lock_.get(), LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    // Holding the lock, any socket left here is one that a crashed instance could not remove.
    const QByteArray socketPath = QFile::encodeName(path("socket"));
    ::unlink(socketPath.constData());
    sockaddr_un address{};
    if (!socketAddress(socketPath, address))
        return true;
    server_ = FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!server_.isValid() ||
        ::bind(server_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::chmod(socketPath.constData(), S_IRUSR | S_IWUSR) != 0 ||
        ::listen(server_.get(), 8) != 0) {
        server_.reset();
        return true;
    }
    serverNotifier_ = std::make_unique<QSocketNotifier>(server_.get(), QSocketNotifier::Read);
    connect(serverNotifier_.get(), &QSocketNotifier::activated, this,
            &SingleInstance::acceptClients);
    return true;
}

bool SingleInstance::handOver() {
    sockaddr_un address{};
    const bool hasAddress = socketAddress(QFile::encodeName(path("socket")), address);
    const QDeadlineTimer connectDeadline(connectMs);
    FileDescriptor socket;
    bool isConnected = false;
    while (hasAddress && !isConnected && !connectDeadline.hasExpired()) {
        socket = FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        isConnected =
            socket.isValid() && ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address),
                                          sizeof(address)) == 0;
        if (!isConnected)
            QThread::msleep(retryMs);
    }
    QByteArray answer;
    if (isConnected && sendAll(socket.get(), showRequest)) {
        const QDeadlineTimer answerDeadline(answerMs);
        pollfd readable{socket.get(), POLLIN, 0};
        while (!answer.endsWith('\n') && answer.size() <= shownAnswer.size() &&
               ::poll(&readable, 1, int(answerDeadline.remainingTime())) > 0) {
            char buffer[16];
            const ssize_t count = ::read(socket.get(), buffer, sizeof(buffer));
            if (count <= 0)
                break;
            answer.append(buffer, count);
        }
    }
    if (answer == shownAnswer)
        return true;
    qWarning("Zentrav is already running but does not answer.");
    return false;
}

void SingleInstance::acceptClients() {
    for (;;) {
        FileDescriptor socket(
            ::accept4(server_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!socket.isValid())
            return;
        const int fd = socket.get();
        clients_.push_back({std::move(socket), {}, nullptr});
        const auto client = std::prev(clients_.end());
        client->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client->notifier.get(), &QSocketNotifier::activated, this,
                [this, client] { readFrom(client); });
    }
}

void SingleInstance::readFrom(std::list<Client>::iterator client) {
    char buffer[16];
    const ssize_t count = ::read(client->socket.get(), buffer, sizeof(buffer));
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count > 0)
        client->received.append(buffer, count);
    const bool isLine = client->received.endsWith('\n');
    // Waits for the rest of a request, and for nothing longer than one.
    if (count > 0 && !isLine && client->received.size() <= showRequest.size())
        return;
    if (client->received == showRequest) {
        Q_EMIT showRequested();
        sendAll(client->socket.get(), shownAnswer);
    }
    // Not from within its own signal: the notifier goes once this call has returned.
    client->notifier->setEnabled(false);
    client->notifier.release()->deleteLater();
    clients_.erase(client);
}
