#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>

#include <memory>

// An HTTP server on 127.0.0.1 for tests: it records every request byte for
// byte and answers each object path with scripted bytes, then closes the
// connection. A path marked as stalling gets its bytes and then nothing more,
// with the connection left open. Unknown paths get a 404. Given a certificate
// and its key, it speaks HTTPS instead.
class HttpTestServer : public QObject {
public:
    explicit HttpTestServer(const QString& certificateFile = {}, const QString& keyFile = {});

    quint16 port() const { return server->serverPort(); }
    // "127.0.0.1:<port>", as the update server setting takes it.
    QByteArray address() const;

    void serve(const QByteArray& path, const QByteArray& response, bool stall = false);
    // A 200 response with a Content-Length header.
    static QByteArray Ok(const QByteArray& body);

    // An HTTPS server with a self-signed certificate for the subjectAltName
    // ("IP:127.0.0.1", "DNS:other.example"), made with openssl in the folder.
    // While it lives, downloads trust that certificate and no other. nullptr
    // when the certificate could not be made.
    static std::unique_ptr<HttpTestServer> Secure(const QString& folder,
                                                  const QString& subjectAltName);
    ~HttpTestServer() override;

    QList<QByteArray> requests;

private:
    void accept();
    void answer(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> server;
    bool trusted = false;
    QHash<QByteArray, QByteArray> responses;
    QHash<QByteArray, bool> stalling;
};
