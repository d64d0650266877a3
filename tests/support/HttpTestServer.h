#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>

// An HTTP server on 127.0.0.1 for tests: it records every request byte for
// byte and answers each object path with scripted bytes, then closes the
// connection. A path marked as stalling gets its bytes and then nothing more,
// with the connection left open. Unknown paths get a 404.
class HttpTestServer : public QObject {
public:
    HttpTestServer();

    quint16 port() const { return server.serverPort(); }
    // "127.0.0.1:<port>", as the update server setting takes it.
    QByteArray address() const;

    void serve(const QByteArray& path, const QByteArray& response, bool stall = false);
    // A 200 response with a Content-Length header.
    static QByteArray Ok(const QByteArray& body);

    QList<QByteArray> requests;

private:
    void answer(QTcpSocket* socket);

    QTcpServer server;
    QHash<QByteArray, QByteArray> responses;
    QHash<QByteArray, bool> stalling;
};
