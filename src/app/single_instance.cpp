#include "single_instance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace {
const QByteArray showRequest = "show\n";
const QByteArray shownAnswer = "shown\n";
// The running instance takes its lock a moment before it listens; once up, it answers at once.
// One that is itself still starting answers when its window is ready.
constexpr int connectMs = 1500;
constexpr int answerMs = 10000;
constexpr int retryMs = 25;
} // namespace

SingleInstance::SingleInstance(QString runtimeDir) : runtimeDir_(std::move(runtimeDir)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection())
            answer(socket);
    });
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
    QLocalServer::removeServer(path("socket"));
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(path("socket"));
    return true;
}

bool SingleInstance::handOver() {
    const QDeadlineTimer connectDeadline(connectMs);
    QLocalSocket socket;
    bool isConnected = false;
    while (!isConnected && !connectDeadline.hasExpired()) {
        socket.connectToServer(path("socket"));
        isConnected = socket.waitForConnected(int(connectDeadline.remainingTime()));
        if (!isConnected)
            QThread::msleep(retryMs);
    }
    QByteArray answer;
    if (isConnected) {
        socket.write(showRequest);
        const QDeadlineTimer answerDeadline(answerMs);
        while (!answer.endsWith('\n') &&
               socket.waitForReadyRead(int(answerDeadline.remainingTime())))
            answer += socket.readAll();
    }
    if (answer == shownAnswer)
        return true;
    qWarning("Zentrav is already running but does not answer.");
    return false;
}

void SingleInstance::answer(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > showRequest.size())
                socket->abort();
            return;
        }
        if (socket->readLine() == showRequest) {
            Q_EMIT showRequested();
            socket->write(shownAnswer);
        }
        socket->disconnectFromServer();
    });
}
