#include "HttpTestServer.h"

#include <QTcpSocket>

HttpTestServer::HttpTestServer() {
    // Requests must reach this server and nothing else.
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

QByteArray HttpTestServer::address() const {
    return "127.0.0.1:" + QByteArray::number(port());
}

void HttpTestServer::serve(const QByteArray& path, const QByteArray& response, bool stall) {
    responses.insert(path, response);
    stalling.insert(path, stall);
}

QByteArray HttpTestServer::Ok(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

void HttpTestServer::answer(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    qsizetype length = 0;
    for (const QByteArray& line : request.left(end).split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    if (request.size() < end + 4 + length)
        return;
    requests << request;
    const QByteArray path = request.split(' ').value(1);
    socket->write(responses.value(path, "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n"));
    if (!stalling.value(path))
        socket->disconnectFromHost();
}
