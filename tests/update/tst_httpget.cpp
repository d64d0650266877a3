#include "HTTPGet.h"
#include "INetDetector.h"
#include "support/HttpTestServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

class HttpGetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<QTemporaryDir> folder;

    QString target() const { return folder->filePath(QStringLiteral("out.bin")); }
    QByteArray targetBytes() const {
        QFile file(target());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    std::unique_ptr<THTTPGet> download(const QByteArray& path) {
        auto get = std::make_unique<THTTPGet>();
        get->SetURL(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(path));
        get->SetPort(server->port());
        get->SetFileName(target());
        get->SetWaitThread(true);
        return get;
    }
    // Headers as the server saw them, the Host line with its port taken out.
    QByteArray lastRequest() const {
        QByteArray request = server->requests.value(server->requests.size() - 1);
        return request.replace("127.0.0.1:" + QByteArray::number(server->port()), "HOST");
    }

private slots:
    void init() {
        server = std::make_unique<HttpTestServer>();
        folder = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        server.reset();
        folder.reset();
    }

    void requestIsSentAsConfigured_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("agent");
        QTest::addColumn<QString>("referer");
        QTest::addColumn<bool>("useCache");
        QTest::addColumn<QString>("post");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("get") << "HTTP://127.0.0.1/q6.txt"
                             << "Corvid HTTPGet"
                             << "http://example.org/from.html" << false << ""
                             << QByteArray("GET /q6.txt HTTP/1.0\r\nHost: HOST\r\n"
                                           "User-Agent: Corvid HTTPGet\r\n"
                                           "Referer: http://example.org/from.html\r\n"
                                           "Accept: text/*\r\nPragma: no-cache\r\n"
                                           "Cache-Control: no-cache\r\n\r\n");
        // Inside the TLS connection the request is the same.
        QTest::newRow("get over https")
            << "HTTPS://127.0.0.1/q6.txt"
            << "Corvid HTTPGet"
            << "http://example.org/from.html" << false << ""
            << QByteArray("GET /q6.txt HTTP/1.0\r\nHost: HOST\r\nUser-Agent: Corvid HTTPGet\r\n"
                          "Referer: http://example.org/from.html\r\nAccept: text/*\r\n"
                          "Pragma: no-cache\r\nCache-Control: no-cache\r\n\r\n");
        QTest::newRow("cached, no agent, no scheme")
            << "127.0.0.1/files/a.exe"
            << ""
            << "" << true << ""
            << QByteArray("GET /files/a.exe HTTP/1.0\r\nHost: HOST\r\nAccept: text/*\r\n\r\n");
        QTest::newRow("post") << "http://127.0.0.1/form"
                              << "A"
                              << "" << true << "a=1&b=2"
                              << QByteArray("POST /form HTTP/1.0\r\nHost: HOST\r\nUser-Agent: A\r\n"
                                            "Accept: text/*\r\n"
                                            "Content-Type: application/x-www-form-urlencoded\r\n"
                                            "Content-Length: 7\r\n\r\na=1&b=2");
    }
    void requestIsSentAsConfigured() {
        QFETCH(QString, url);
        QFETCH(QString, agent);
        QFETCH(QString, referer);
        QFETCH(bool, useCache);
        QFETCH(QString, post);
        QFETCH(QByteArray, expected);
        const bool secure = url.startsWith(QLatin1String("HTTPS"));
        if (secure)
            QVERIFY(
                (server = HttpTestServer::Secure(folder->path(), QStringLiteral("IP:127.0.0.1"))));
        server->serve(SplitUrl(url).objectPath.toLatin1(), HttpTestServer::Ok("1.0"));
        auto get = download("");
        get->SetURL(url);
        get->SetAgent(agent);
        get->SetReferer(referer);
        get->SetUseCache(useCache);
        get->SetPostQuery(post);
        get->SetAcceptTypes(QStringLiteral("text/*"));
        get->GetFile();
        QCOMPARE(server->requests.size(), 1);
        QCOMPARE(lastRequest(), expected);
        QCOMPARE(get->Verified(), secure);
    }

    // A certificate that does not name the server is refused even when it is
    // trusted; nothing is asked and nothing is written.
    void certificateForAnotherName() {
        QVERIFY(
            (server = HttpTestServer::Secure(folder->path(), QStringLiteral("DNS:other.example"))));
        server->serve("/f", HttpTestServer::Ok("abc"));
        auto get = download("/f");
        get->SetURL(QStringLiteral("https://127.0.0.1/f"));
        get->GetFile();
        QVERIFY(!get->Success());
        QCOMPARE(get->Failure(), DownloadFailure::NotSecured);
        QVERIFY(!get->Verified());
        QVERIFY(server->requests.isEmpty());
        QVERIFY(!QFile::exists(target()));
    }

    // Success is the byte count matching the announced length; a failed
    // download leaves no file behind.
    void outcome_data() {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<bool>("binaryData");
        QTest::addColumn<qint64>("maxSize");
        QTest::addColumn<int>("doneSize"); // -1: OnError
        QTest::addColumn<QByteArray>("file");
        const QByteArray missing("<missing>");
        const QByteArray body(3000, 'x');
        const qint64 any = THTTPGet::kLargestSize;
        QTest::newRow("exact length") << HttpTestServer::Ok(body) << false << any << 3000 << body;
        QTest::newRow("no length, body")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\nabc") << false << any << -1 << missing;
        QTest::newRow("no length, empty")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << false << any << 0 << QByteArray();
        QTest::newRow("no length, binary")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\nabc") << true << any << -1 << missing;
        QTest::newRow("short body") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n"
                                                  "0123456789")
                                    << false << any << -1 << missing;
        QTest::newRow("length not a number")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 12ab\r\n\r\n0123456789ab") << false
            << any << -1 << missing;
        QTest::newRow("length over the limit")
            << HttpTestServer::Ok("0123456789") << false << qint64(9) << -1 << missing;
        QTest::newRow("body over the limit") << QByteArray("HTTP/1.0 200 OK\r\n\r\n0123456789")
                                             << false << qint64(9) << -1 << missing;
        QTest::newRow("error page") << QByteArray("HTTP/1.0 404 Not Found\r\nContent-Length: 3\r\n"
                                                  "\r\nno!")
                                    << false << any << -1 << missing;
    }
    void outcome() {
        QFETCH(QByteArray, response);
        QFETCH(bool, binaryData);
        QFETCH(qint64, maxSize);
        QFETCH(int, doneSize);
        QFETCH(QByteArray, file);
        server->serve("/f", response);
        auto get = download("/f");
        get->SetBinaryData(binaryData);
        get->SetMaxSize(maxSize);
        QSignalSpy done(get.get(), &THTTPGet::OnDoneFile);
        QSignalSpy error(get.get(), &THTTPGet::OnError);
        get->GetFile();
        QCOMPARE(done.size() + error.size(), 1);
        if (doneSize < 0) {
            QCOMPARE(error.size(), 1);
        } else {
            QCOMPARE(done.size(), 1);
            QCOMPARE(done[0][0].toString(), target());
            QCOMPARE(done[0][1].toInt(), doneSize);
        }
        QCOMPARE(targetBytes(), file);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files).size(), file == "<missing>" ? 0 : 1);
    }

    void progressAfterEveryChunk() {
        server->serve("/big", HttpTestServer::Ok(QByteArray(5000, 'p')));
        auto get = download("/big");
        QList<qint32> readings;
        connect(get.get(), &THTTPGet::OnProgress, this, [&](qint32 total, qint32 readed) {
            QCOMPARE(total, 5000);
            readings << readed;
        });
        get->GetFile();
        QVERIFY(get->Success());
        QVERIFY(readings.size() >= 5);
        QCOMPARE(readings.last(), 5000);
        for (qsizetype i = 1; i < readings.size(); ++i)
            QVERIFY(readings[i] > readings[i - 1] && readings[i] - readings[i - 1] <= 1025);
    }

    void failuresBeforeAnyTransfer() {
        // No "/" in the URL: no host to connect to.
        auto noSlash = download("");
        noSlash->SetURL(QStringLiteral("127.0.0.1"));
        QSignalSpy error(noSlash.get(), &THTTPGet::OnError);
        noSlash->GetFile();
        QCOMPARE(error.size(), 1);
        // A target file that cannot be created.
        server->serve("/f", HttpTestServer::Ok("abc"));
        auto noFolder = download("/f");
        noFolder->SetFileName(folder->filePath(QStringLiteral("missing/out.bin")));
        QSignalSpy error2(noFolder.get(), &THTTPGet::OnError);
        noFolder->GetFile();
        QCOMPARE(error2.size(), 1);
        QCOMPARE(server->requests.size(), 1);
    }

    void abortAndSecondStart() {
        server->serve("/slow", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nabc", true);
        auto get = download("/slow");
        get->SetWaitThread(false);
        QSignalSpy progress(get.get(), &THTTPGet::OnProgress);
        QSignalSpy error(get.get(), &THTTPGet::OnError);
        get->GetFile();
        QVERIFY(progress.wait(5000));
        get->GetFile(); // already running: nothing happens
        QElapsedTimer clock;
        clock.start();
        get->Abort();
        QVERIFY(error.wait(5000));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(server->requests.size(), 1);
        QCOMPARE(targetBytes(), QByteArray("<missing>"));
        // Going away while a download runs ends it, without waiting for the server.
        auto second = download("/slow");
        second->SetWaitThread(false);
        QSignalSpy started(second.get(), &THTTPGet::OnProgress);
        second->GetFile();
        QVERIFY(started.wait(5000));
        clock.restart();
        second.reset();
        QVERIFY(clock.elapsed() < 2000);
    }

    void loopbackAddressesAreOffline_data() {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<bool>("online");
        QTest::newRow("none") << QStringList() << false;
        QTest::newRow("Debian's host name address")
            << QStringList({QStringLiteral("127.0.1.1")}) << false;
        QTest::newRow("loopback only")
            << QStringList({QStringLiteral("127.0.0.1"), QStringLiteral("::1")}) << false;
        QTest::newRow("an adapter besides")
            << QStringList({QStringLiteral("127.0.0.1"), QStringLiteral("192.168.1.20")}) << true;
        QTest::newRow("IPv6 adapter") << QStringList({QStringLiteral("fd00::2")}) << true;
    }
    void loopbackAddressesAreOffline() {
        QFETCH(QStringList, addresses);
        QFETCH(bool, online);
        QCOMPARE(TINetDetector::CountsAsOnline(addresses), online);
    }

    void detector() {
        TINetDetector detector;
        QCOMPARE(detector.DispatchInterval(), 1000);
        QVERIFY(detector.Enabled());
        std::atomic<int> tests = 0;
        std::atomic<bool> answer = true;
        detector.SetAddressTest([&] {
            ++tests;
            return answer.load();
        });
        // Online cannot be assigned from outside.
        QVERIFY(!detector.setProperty("Online", true));
        QVERIFY(!detector.Online());
        detector.SetDispatchInterval(0);
        QTest::qWait(150);
        QCOMPARE(tests.load(), 0);
        QSignalSpy changed(&detector, &TINetDetector::OnChanged);
        detector.SetDispatchInterval(10);
        QTRY_VERIFY(detector.Online());
        QTest::qWait(100);
        QCOMPARE(changed.size(), 1);
        answer = false;
        QTRY_VERIFY(!detector.Online());
        QCOMPARE(changed.size(), 2);
    }
};

QTEST_GUILESS_MAIN(HttpGetTest)
#include "tst_httpget.moc"
