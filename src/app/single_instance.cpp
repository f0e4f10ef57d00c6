#include "app/single_instance.h"

#include "app/app_log.h"

#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {
// "show\n", or "show <token>\n" with the activation token of the later start; or a command.
const QByteArray showRequest = "show";
const QByteArray shownAnswer = "shown\n";
// A command's name comes percent-encoded: room for some hundreds of characters.
constexpr qsizetype maxRequestBytes = 4096;
// The watch list, however long, fits; a reply beyond this is no reply.
constexpr qsizetype maxReplyBytes = 64 << 20;
// The running instance takes its lock a moment before it listens; once up, it answers at once.
// One that is itself still starting answers when its window is ready.
constexpr int handOverMs = 10000;
constexpr int retryMs = 25;
// A later start asks as soon as it is connected: anyone quiet for longer is not one, and
// neither it nor a crowd of such may keep later starts out for long.
constexpr std::size_t maxClients = 16;
constexpr int idleClientMs = 2000;
constexpr int shortOfDescriptorsPauseMs = 500;

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

// Tokens are opaque, but travel on one line: printable ASCII without spaces, or none at all.
bool isToken(QByteArrayView token) {
    return !token.isEmpty() && token.size() < maxRequestBytes - showRequest.size() - 2 &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

// One connection: what the instance answered, up to its end or `maxBytes`; empty when it could
// not be asked. Non-blocking, so that a full queue of connections or an instance not yet
// listening is tried again instead of waited on.
std::optional<QByteArray> askOnce(const sockaddr_un& address, const QByteArray& request,
                                  const QDeadlineTimer& deadline, qsizetype maxBytes) {
    const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket.isValid() ||
        ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) !=
            0 ||
        !sendAll(socket.get(), request))
        return std::nullopt;
    QByteArray answer;
    pollfd readable{socket.get(), POLLIN, 0};
    while (answer.size() < maxBytes && ::poll(&readable, 1, int(deadline.remainingTime())) > 0) {
        char buffer[4096];
        const ssize_t count = ::read(socket.get(), buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        answer.append(buffer, count);
    }
    return answer;
}
} // namespace

SingleInstance::SingleInstance(QString runtimeDir) : runtimeDir_(std::move(runtimeDir)) {
    idleSweep_.setInterval(idleClientMs / 4);
    connect(&idleSweep_, &QTimer::timeout, this, &SingleInstance::dropIdleClients);
    listeningPause_.setSingleShot(true);
    listeningPause_.setInterval(shortOfDescriptorsPauseMs);
    connect(&listeningPause_, &QTimer::timeout, this, &SingleInstance::acceptClients);
}

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

bool SingleInstance::claim(bool listens) {
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
    if (!listens)
        return true;
    sockaddr_un address{};
    if (!socketAddress(socketPath, address))
        return true;
    server_ = FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!server_.isValid() ||
        ::bind(server_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::chmod(socketPath.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(server_.get(), 8) != 0)
        server_.reset();
    return true;
}

void SingleInstance::acceptHandOvers() {
    if (!server_.isValid() || serverNotifier_)
        return;
    serverNotifier_ = std::make_unique<QSocketNotifier>(server_.get(), QSocketNotifier::Read);
    connect(serverNotifier_.get(), &QSocketNotifier::activated, this,
            &SingleInstance::acceptClients);
}

bool SingleInstance::handOver(const QString& activationToken) {
    const QByteArray token = activationToken.toUtf8();
    const QByteArray request = showRequest + (isToken(token) ? ' ' + token : QByteArray()) + '\n';
    sockaddr_un address{};
    const bool hasAddress = socketAddress(QFile::encodeName(path("socket")), address);
    const QDeadlineTimer deadline(handOverMs);
    while (hasAddress && !deadline.hasExpired()) {
        if (askOnce(address, request, deadline, shownAnswer.size()) == shownAnswer)
            return true;
        QThread::msleep(retryMs);
    }
    qCWarning(appLog) << "Zentrav is already running but does not answer.";
    return false;
}

SingleInstance::Answer SingleInstance::ask(const InstanceCommand& command,
                                           const QDeadlineTimer& deadline) {
    sockaddr_un address{};
    if (!socketAddress(QFile::encodeName(path("socket")), address))
        return {};
    const std::optional<QByteArray> answer =
        askOnce(address, requestLine(command), deadline, maxReplyBytes);
    if (!answer)
        return {};
    return {true, replyFromBytes(*answer)};
}

void SingleInstance::setCommandHandler(
    std::function<CommandReply(const InstanceCommand&)> handler) {
    commandHandler_ = std::move(handler);
}

void SingleInstance::acceptClients() {
    while (clients_.size() < maxClients) {
        FileDescriptor socket(
            ::accept4(server_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!socket.isValid()) {
            // The connection stays queued and the notifier would fire again at once: with no
            // descriptor free, listening pauses a moment instead of spinning.
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                listeningPause_.start();
            break;
        }
        clients_.push_back({std::move(socket), {}, {}, QDeadlineTimer(idleClientMs), nullptr});
        watch(std::prev(clients_.end()), QSocketNotifier::Read);
    }
    updateListening();
}

void SingleInstance::updateListening() {
    serverNotifier_->setEnabled(clients_.size() < maxClients && !listeningPause_.isActive());
    if (clients_.empty())
        idleSweep_.stop();
    else if (!idleSweep_.isActive())
        idleSweep_.start();
}

void SingleInstance::watch(std::list<Client>::iterator client, QSocketNotifier::Type type) {
    // Not from within its own signal: a notifier replaced goes once this call has returned.
    if (client->notifier) {
        client->notifier->setEnabled(false);
        client->notifier.release()->deleteLater();
    }
    client->notifier = std::make_unique<QSocketNotifier>(client->socket.get(), type);
    connect(client->notifier.get(), &QSocketNotifier::activated, this, [this, client, type] {
        type == QSocketNotifier::Read ? readFrom(client) : writeTo(client);
    });
}

void SingleInstance::readFrom(std::list<Client>::iterator client) {
    char buffer[512];
    const ssize_t count = ::read(client->socket.get(), buffer, sizeof(buffer));
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count > 0)
        client->received.append(buffer, count);
    const bool isLine = client->received.endsWith('\n');
    // Waits for the rest of a request, and for nothing longer than one.
    if (count > 0 && !isLine && client->received.size() < maxRequestBytes)
        return;
    const QByteArrayView line = QByteArrayView(client->received).chopped(isLine ? 1 : 0);
    const QByteArrayView token = line.sliced(std::min(line.size(), showRequest.size() + 1));
    if (isLine && (line == showRequest || (line.startsWith(showRequest + ' ') && isToken(token)))) {
        Q_EMIT showRequested(QString::fromLatin1(token));
        client->unsent = shownAnswer;
    } else if (const std::optional<InstanceCommand> command =
                   isLine && commandHandler_ ? commandFromLine(line) : std::nullopt) {
        client->unsent = replyBytes(commandHandler_(*command));
    }
    writeTo(client);
}

void SingleInstance::writeTo(std::list<Client>::iterator client) {
    while (!client->unsent.isEmpty()) {
        const ssize_t count = ::send(client->socket.get(), client->unsent.constData(),
                                     size_t(client->unsent.size()), MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A peer slow to take a long list has as long for each part as for its request.
            client->idleDeadline.setRemainingTime(idleClientMs);
            if (client->notifier->type() != QSocketNotifier::Write)
                watch(client, QSocketNotifier::Write);
            return;
        }
        if (count <= 0)
            break;
        client->unsent.remove(0, count);
    }
    drop(client);
}

void SingleInstance::drop(std::list<Client>::iterator client) {
    // Not from within its own signal: the notifier goes once this call has returned.
    client->notifier->setEnabled(false);
    client->notifier.release()->deleteLater();
    clients_.erase(client);
    updateListening();
}

void SingleInstance::dropIdleClients() {
    for (auto client = clients_.begin(); client != clients_.end();) {
        const auto next = std::next(client);
        if (client->idleDeadline.hasExpired())
            drop(client);
        client = next;
    }
}
