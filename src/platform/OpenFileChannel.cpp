#include "OpenFileChannel.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QScopeGuard>

#include <QTimer>
#include <sys/socket.h>

#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
// Generous: the receiver may show a question while it opens the file.
constexpr int kReplyTimeoutMs = 10 * 60 * 1000;
constexpr qint64 kMaxLineLength = 256;

const QByteArray kDone = QByteArrayLiteral("done\n");

} // namespace

QString OpenFileChannel::DefaultName() {
    const QString base = QStringLiteral("quillon-TfMain-%1").arg(::getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(base);
    return base;
}

OpenFileChannel::OpenFileChannel(const QString& name, QObject* parent)
    : QObject(parent), channelName(name) {}

OpenFileChannel::~OpenFileChannel() {
    if (server)
        server->close();
}

bool OpenFileChannel::isListening() const {
    return server && server->isListening();
}

bool OpenFileChannel::IsHeld(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool held = probe.waitForConnected(kConnectTimeoutMs);
    probe.abort();
    return held;
}

bool OpenFileChannel::listen() {
    if (isListening())
        return true;
    if (IsHeld(channelName))
        return false;
    // Nobody answers on the name: what is left of it belongs to a program
    // that ended.
    QLocalServer::removeServer(channelName);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(channelName)) {
        delete server;
        server = nullptr;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &OpenFileChannel::acceptConnections);
    return true;
}

void OpenFileChannel::acceptConnections() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
        if (socket->bytesAvailable() > 0)
            readMessages(socket);
    }
}

void OpenFileChannel::readMessages(QLocalSocket* socket) {
    QPointer<QLocalSocket> guard(socket);
    while (guard && socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxLineLength).trimmed();
        const QList<QByteArray> fields = line.split(' ');
        bool ok = fields.size() == 3;
        int message = 0;
        qint64 wordParam = 0;
        qint64 longParam = 0;
        if (ok) {
            bool okMessage = false, okWord = false, okLong = false;
            message = fields[0].toInt(&okMessage);
            wordParam = fields[1].toLongLong(&okWord);
            longParam = fields[2].toLongLong(&okLong);
            ok = okMessage && okWord && okLong;
        }
        if (ok) {
            // The sender is known by the process at the socket's other end.
            ucred peer{};
            socklen_t size = sizeof(peer);
            const bool known = ::getsockopt(int(socket->socketDescriptor()), SOL_SOCKET,
                                            SO_PEERCRED, &peer, &size) == 0;
            fromThisProgram = !known || peer.pid == ::getpid();
            const auto restore = qScopeGuard([this] { fromThisProgram = true; });
            emit messageReceived(message, wordParam, longParam);
        }
        if (guard) {
            socket->write(kDone);
            socket->flush();
        }
    }
    // A sender that writes an endless line without a break is cut off.
    if (guard && !socket->canReadLine() && socket->bytesAvailable() > kMaxLineLength)
        socket->abort();
}

bool OpenFileChannel::Send(const QString& name, int message, qint64 wordParam, qint64 longParam) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(QByteArray::number(message) + ' ' + QByteArray::number(wordParam) + ' ' +
                 QByteArray::number(longParam) + '\n');
    socket.flush();

    // Wait with an event loop rather than blocking: the receiver may be this
    // very program, and a receiver in another program reads the clipboard,
    // which this program has to serve.
    QEventLoop loop;
    QByteArray reply;
    bool handled = false;
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        reply += socket.readAll();
        if (reply.contains('\n')) {
            handled = reply.startsWith(kDone);
            loop.quit();
        }
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(kReplyTimeoutMs, &loop, &QEventLoop::quit);
    if (socket.state() == QLocalSocket::ConnectedState)
        loop.exec();
    socket.disconnectFromServer();
    return handled;
}
