#include "HttpTestServer.h"

#include "HttpTransfer.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>

HttpTestServer::HttpTestServer(const QString& certificateFile, const QString& keyFile) {
    // Requests must reach this server and nothing else.
    for (const char* name :
         {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    if (certificateFile.isEmpty()) {
        server = std::make_unique<QTcpServer>();
    } else {
        auto secure = std::make_unique<QSslServer>();
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificateChain(QSslCertificate::fromPath(certificateFile));
        QFile key(keyFile);
        if (key.open(QIODevice::ReadOnly))
            configuration.setPrivateKey(QSslKey(&key, QSsl::Ec));
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        secure->setSslConfiguration(configuration);
        server = std::move(secure);
    }
    server->listen(QHostAddress::LocalHost);
    // A TLS connection is pending only once its handshake is done.
    connect(server.get(), &QTcpServer::newConnection, this, &HttpTestServer::accept);
    connect(server.get(), &QTcpServer::pendingConnectionAvailable, this, &HttpTestServer::accept);
}

void HttpTestServer::accept() {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        if (socket->bytesAvailable() > 0)
            answer(socket);
    }
}

HttpTestServer::~HttpTestServer() {
    if (trusted)
        HttpTransfer::TrustOnlyCertificatesIn({});
}

std::unique_ptr<HttpTestServer> HttpTestServer::Secure(const QString& folder,
                                                       const QString& subjectAltName) {
    const QString certificate = folder + QStringLiteral("/server.pem");
    const QString key = folder + QStringLiteral("/server.key");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=Quillon test server"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=") + subjectAltName, QStringLiteral("-keyout"),
                   key, QStringLiteral("-out"), certificate});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0)
        return nullptr;
    auto server = std::make_unique<HttpTestServer>(certificate, key);
    HttpTransfer::TrustOnlyCertificatesIn(QFile::encodeName(certificate));
    server->trusted = true;
    return server;
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
