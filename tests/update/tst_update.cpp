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
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
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

    void newVersionDownloadsAndStartsTheInstaller() {
        const QByteArray body(1234567, 'i');
        server->serve("/q6.txt", HttpTestServer::Ok("6.2 Build 1700\r\n"));
        server->serve(kInstallerPath, HttpTestServer::Ok(body));
        auto update = window();
        RunCheck(*update);
        const QStringList lines = Lines(*update);
        QCOMPARE(lines.mid(0, 4),
                 QStringList({Text("ConServ"), Text("NoVer") + QStringLiteral("6.2 Build 1700"),
                              Text("NewVersion"), Text("RecUpdate")}));
        QCOMPARE(lines.count(QStringLiteral("Total download size = 1,234,567 Bytes")), 1);
        QCOMPARE(lines.mid(5), QStringList({QString(), Text("UpdateDone")}));
        QCOMPARE(update->findChild<QLabel*>(QStringLiteral("BytesValue"))->text(),
                 QStringLiteral("1,234,567"));
        QCOMPARE(update->findChild<QLabel*>(QStringLiteral("FileNameValue"))->text(), installer());
        QCOMPARE(update->findChild<QProgressBar*>()->value(), 1234567);
        QFile file(installer());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == body);
        QCOMPARE(shell->opened, QStringList({installer()}));
        QVERIFY(update->Launched());
        QVERIFY(!update->isVisible());
    }

    // Whatever the server sends, nothing is started that did not arrive whole.
    void brokenOrHostileServer_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("installer");
        QTest::addColumn<QString>("lastLine");
        const QString verNumErr = Text("VerNumErr");
        const QString error1 = Text("Error1");
        const QByteArray other = HttpTestServer::Ok("7.0");
        QTest::newRow("short installer")
            << other << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789")
            << error1;
        QTest::newRow("empty installer without length")
            << other << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << error1;
        QTest::newRow("installer over 2 GB")
            << other << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 2147483648\r\n\r\nxx")
            << error1;
        QTest::newRow("installer past 32 bits")
            << other << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 4294967306\r\n\r\nxx")
            << error1;
        QTest::newRow("empty version file") << HttpTestServer::Ok("") << QByteArray() << verNumErr;
        QTest::newRow("blank version file")
            << HttpTestServer::Ok(" \r\n\r\n") << QByteArray() << verNumErr;
        QTest::newRow("huge version file")
            << HttpTestServer::Ok(QByteArray(65537, 'v')) << QByteArray() << verNumErr;
    }
    void brokenOrHostileServer() {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, installer);
        QFETCH(QString, lastLine);
        if (!version.isEmpty())
            server->serve("/q6.txt", version);
        if (!installer.isEmpty())
            server->serve(kInstallerPath, installer);
        auto update = window();
        RunCheck(*update);
        QCOMPARE(Lines(*update).last(), lastLine);
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
        QVERIFY(prompts->asked[0].text.contains(QStringLiteral("host:99999")));
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

    // Info > Check for updates in the main window: the installer arrives, is
    // started, and the program ends.
    void fromTheInfoMenu() {
        server->serve("/q6.txt", HttpTestServer::Ok("6.2"));
        server->serve(kInstallerPath, HttpTestServer::Ok("MZ installer"));
        UseSettings(nullptr);
        TfMain main(folder->windowOptions());
        main.show();
        QString caption;
        prompts->answer([&](QDialog& dialog) {
            caption = dialog.windowTitle();
            RunCheck(dialog);
            return dialog.result();
        });
        prompts->answerYes(); // the quit question
        QAction* check = main.action(QStringLiteral("CheckForUpdates1"));
        QVERIFY(check->isEnabled());
        check->trigger();
        QCOMPARE(caption, QStringLiteral("Update Console"));
        QCOMPARE(shell->opened, QStringList({installer()}));
        QVERIFY(!main.isVisible());
        QVERIFY(prompts->queueEmpty());
    }
};

QTEST_MAIN(UpdateTest)
#include "tst_update.moc"
