#include "FileManagerView.h"
#include "HTTPGet.h"
#include "INetDetector.h"
#include "Language.h"
#include "SettingsStore.h"
#include "TfMain.h"
#include "TfUpdate.h"
#include "support/HttpTestServer.h"
#include "support/ProgramFolder.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString kVersion = TfMain::VersionText();
const QByteArray kInstallerPath = "/files/quillon/quillon.exe";

QString Text(const char* key) {
    return LangText(QString::fromLatin1(key));
}

QStringList Lines(const QDialog& window) {
    return window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
        ->toPlainText()
        .split(QLatin1Char('\n'));
}

// Puts the window's connection detector online and runs a check.
void RunCheck(QDialog& window) {
    auto* detector = window.findChild<TINetDetector*>(QStringLiteral("INetDetector1"));
    detector->SetAddressTest([] { return true; });
    QTRY_VERIFY(detector->Online());
    window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

} // namespace

class UpdateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<RecordingShell> shell;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<SettingsStore> settings;

    std::unique_ptr<TfUpdate> window() {
        auto update = std::make_unique<TfUpdate>(folder->path(), kVersion);
        update->show();
        return update;
    }
    QString installer() const { return folder->file(QStringLiteral("Quillon_Upd.exe")); }

private slots:
    void init() {
        folder = std::make_unique<ProgramFolder>();
        prompts = std::make_unique<ScriptedPrompts>();
        shell = std::make_unique<RecordingShell>();
        server = std::make_unique<HttpTestServer>();
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n[Update]\r\nServer=" + server->address() +
                              "\r\n");
        settings = std::make_unique<SettingsStore>(folder->settingsPath());
        UseSettings(settings.get());
    }
    void cleanup() {
        UseSettings(nullptr);
        settings.reset();
        server.reset();
        shell.reset();
        prompts.reset();
        folder.reset();
    }

    void offlineKeepsEarlierLines() {
        auto update = window();
        auto* console = update->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        QVERIFY(!console->isEnabled());
        auto* check = update->findChild<QPushButton*>(QStringLiteral("Button1"));
        QVERIFY(check->isDefault());
        check->click();
        check->click();
        QVERIFY(console->isEnabled());
        QCOMPARE(Lines(*update), QStringList({Text("NoCon"), Text("NoCon")}));
        QVERIFY(server->requests.isEmpty());
    }

    void sameVersion() {
        server->serve("/q6.txt", HttpTestServer::Ok("  " + kVersion.toLatin1() + "\r\n"));
        auto update = window();
        RunCheck(*update);
        QCOMPARE(Lines(*update),
                 QStringList({Text("ConServ"), Text("NoVer") + QStringLiteral("  ") + kVersion,
                              QString(), Text("Same")}));
        QCOMPARE(server->requests.size(), 1);
        QVERIFY(server->requests[0].contains("User-Agent: Quillon Update Agent\r\n"));
        QVERIFY(!QFile::exists(folder->file(QStringLiteral("v_file.txt"))));
        QCOMPARE(update->findChild<QLabel*>(QStringLiteral("VersionValue"))->text(), kVersion);
        QVERIFY(!update->Launched());
        update->close();
        QVERIFY(!update->Launched());
    }

    // Over plain HTTP the installer could have been swapped on the way: it is
    // kept and shown, not started.
    void plainHttpInstallerIsKeptNotStarted() {
        const QByteArray body(1234567, 'i');
        server->serve("/q6.txt", HttpTestServer::Ok("6.2 Build 1700\r\n"));
        server->serve(kInstallerPath, HttpTestServer::Ok(body));
        auto update = window();
        QSignalSpy kept(update.get(), &TfUpdate::installerKept);
        RunCheck(*update);
        QCOMPARE(Lines(*update),
                 QStringList({Text("ConServ"), Text("NoVer") + QStringLiteral("6.2 Build 1700"),
                              Text("NewVersion"), Text("RecUpdate"),
                              QStringLiteral("Total download size = 1,234,567 Bytes"),
                              Text("UpdNotStarted").arg(installer())}));
        QCOMPARE(update->findChild<QLabel*>(QStringLiteral("BytesValue"))->text(),
                 QStringLiteral("1,234,567"));
        QCOMPARE(update->findChild<QLabel*>(QStringLiteral("FileNameValue"))->text(), installer());
        QCOMPARE(update->findChild<QProgressBar*>()->value(), 1234567);
        QFile file(installer());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == body);
        QVERIFY(shell->opened.isEmpty());
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0][0].toString() + QLatin1Char('/'), folder->path());
        QVERIFY(!update->Launched());
        QVERIFY(update->isVisible());
    }

    // Whatever the server sends, nothing is started that did not arrive whole.
    void brokenOrHostileServer_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("installer");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<QString>("reason"); // the line before it, when there is one
        const QString verNumErr = Text("VerNumErr");
        const QString error1 = Text("Error1");
        const QByteArray other = HttpTestServer::Ok("7.0");
        QTest::newRow("short installer")
            << other << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789")
            << error1 << QString();
        QTest::newRow("installer without length")
            << other << QByteArray("HTTP/1.0 200 OK\r\n\r\nMZ") << error1 << Text("NoLength");
        QTest::newRow("installer over 2 GB")
            << other << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 2147483648\r\n\r\nxx")
            << error1 << QString();
        QTest::newRow("installer past 32 bits")
            << other << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 4294967306\r\n\r\nxx")
            << error1 << QString();
        QTest::newRow("empty version file")
            << HttpTestServer::Ok("") << QByteArray() << verNumErr << QString();
        QTest::newRow("blank version file")
            << HttpTestServer::Ok(" \r\n\r\n") << QByteArray() << verNumErr << QString();
        QTest::newRow("huge version file")
            << HttpTestServer::Ok(QByteArray(65537, 'v')) << QByteArray() << verNumErr << QString();
        // A captive portal answers every address with its own page.
        QTest::newRow("portal page") << HttpTestServer::Ok("<html><body>Log in first</body></html>")
                                     << other << verNumErr << Text("ConServ");
        QTest::newRow("two lines")
            << HttpTestServer::Ok("6.2\r\nBuild 1700\r\n") << other << verNumErr << Text("ConServ");
    }
    void brokenOrHostileServer() {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, installer);
        QFETCH(QString, lastLine);
        QFETCH(QString, reason);
        if (!version.isEmpty())
            server->serve("/q6.txt", version);
        if (!installer.isEmpty())
            server->serve(kInstallerPath, installer);
        auto update = window();
        RunCheck(*update);
        const QStringList lines = Lines(*update);
        QCOMPARE(lines.last(), lastLine);
        if (!reason.isEmpty())
            QCOMPARE(lines.value(lines.size() - 2), reason);
        QVERIFY(shell->opened.isEmpty());
        QVERIFY(!update->Launched());
        QVERIFY(update->isVisible());
        QVERIFY(!QFile::exists(this->installer()));
        QVERIFY(!QFile::exists(folder->file(QStringLiteral("v_file.txt"))));
    }

    void malformedServerSettingIsReported() {
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n[Update]\r\nServer=host:99999\r\n");
        auto update = window();
        RunCheck(*update);
        QCOMPARE(prompts->asked.size(), 1);
        QCOMPARE(prompts->asked[0].kind, QStringLiteral("Error"));
        QCOMPARE(prompts->asked[0].text, Text("UpdServerErr").arg(QStringLiteral("host:99999")));
        QVERIFY(server->requests.isEmpty());
    }

    void serverSetting_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port"); // 0: refused
        QTest::addColumn<bool>("secure");
        QTest::newRow("host") << "update.example" << 80 << false;
        QTest::newRow("host:port") << "127.0.0.1:8080" << 8080 << false;
        QTest::newRow("https") << "https://update.example" << 443 << true;
        QTest::newRow("https with port") << "HTTPS://update.example:8443" << 8443 << true;
        QTest::newRow("https with path") << "https://update.example/q6.txt" << 0 << false;
        QTest::newRow("http scheme") << "http://update.example" << 0 << false;
    }
    void serverSetting() {
        QFETCH(QString, text);
        QFETCH(int, port);
        QFETCH(bool, secure);
        const auto parsed = ParseUpdateServer(text);
        QCOMPARE(parsed.has_value(), port != 0);
        if (parsed) {
            QCOMPARE(int(parsed->port), port);
            QCOMPARE(parsed->secure, secure);
        }
    }

    // A server whose certificate names another host is refused, with the reason.
    void certificateForAnotherNameIsRefused() {
        QVERIFY(
            (server = HttpTestServer::Secure(folder->path(), QStringLiteral("DNS:other.example"))));
        server->serve("/q6.txt", HttpTestServer::Ok("6.2"));
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n[Update]\r\nServer=https://" +
                              server->address() + "\r\n");
        auto update = window();
        RunCheck(*update);
        QCOMPARE(Lines(*update),
                 QStringList({Text("ConServ"), Text("NotSecured"), Text("VerNumErr")}));
        QVERIFY(server->requests.isEmpty());
    }

    void stalledServer() {
        server->serve("/q6.txt", QByteArray(), true);
        auto update = window();
        update->findChild<THTTPGet*>(QStringLiteral("HTTPGet1"))->SetStallTimeout(1000);
        QElapsedTimer clock;
        clock.start();
        RunCheck(*update);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(Lines(*update).last(), Text("VerNumErr"));
        // Exit during a stalled download closes the window at once.
        QTimer::singleShot(200, update.get(), [&] {
            clock.restart();
            update->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
            QVERIFY(!update->isVisible());
        });
        update->findChild<THTTPGet*>(QStringLiteral("HTTPGet1"))->SetStallTimeout(60000);
        update->show();
        update->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!update->isVisible());
    }

    // Info > Check for updates in the main window. An installer that came over
    // a verified HTTPS connection is started and the program ends; one that
    // came over plain HTTP is kept, its folder shown, and the program runs on.
    void fromTheInfoMenu_data() {
        QTest::addColumn<bool>("secure");
        QTest::newRow("https") << true;
        QTest::newRow("plain http") << false;
    }
    void fromTheInfoMenu() {
        QFETCH(bool, secure);
        if (secure) {
            QVERIFY(
                (server = HttpTestServer::Secure(folder->path(), QStringLiteral("IP:127.0.0.1"))));
            folder->writeSettings("[Help]\r\nLanguage=Eng\r\n[Update]\r\nServer=https://" +
                                  server->address() + "\r\n");
        }
        server->serve("/q6.txt", HttpTestServer::Ok("6.2"));
        server->serve(kInstallerPath, HttpTestServer::Ok("MZ installer"));
        UseSettings(nullptr);
        TfMain main(folder->windowOptions());
        main.show();
        QString caption;
        QString lastLine;
        prompts->answer([&](QDialog& dialog) {
            caption = dialog.windowTitle();
            RunCheck(dialog);
            lastLine = Lines(dialog).last();
            return dialog.result();
        });
        if (secure)
            prompts->answerYes(); // the quit question
        QAction* check = main.action(QStringLiteral("CheckForUpdates1"));
        QVERIFY(check->isEnabled());
        check->trigger();
        QCOMPARE(caption, QStringLiteral("Update Console"));
        QVERIFY(prompts->queueEmpty());
        QVERIFY(QFile::exists(installer()));
        if (secure) {
            QCOMPARE(lastLine, Text("UpdateDone"));
            QCOMPARE(shell->opened, QStringList({installer()}));
            QVERIFY(!main.isVisible());
        } else {
            QCOMPARE(lastLine, Text("UpdNotStarted").arg(installer()));
            QVERIFY(shell->opened.isEmpty());
            QVERIFY(main.isVisible());
            QCOMPARE(QDir(main.FileView()->CurrentFolder()), QDir(folder->path()));
        }
    }
};

QTEST_MAIN(UpdateTest)
#include "tst_update.moc"
