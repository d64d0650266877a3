#include "OpenFileChannel.h"

#include "support/StopProcesses.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Starts the real program from a temporary program folder, with the desktop's
// folders pointed into that folder too.
class EndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess program;
    QProcess server;
    QProcess x11First;
    QProcess x11Second;

    QString path(const QString& name) const { return dir.filePath(name); }
    static QByteArray Read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        const QString binary = qEnvironmentVariable("QUILLON_BINARY");
        QVERIFY2(QFile::exists(binary), "QUILLON_BINARY must name the built program");
        QVERIFY(QFile::copy(binary, path("quillon")));
        for (const char* folder : {"run", "home", "data", "config"})
            QVERIFY(QDir(dir.path()).mkpath(QString::fromLatin1(folder)));
        QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", path("run"));
        environment.insert("HOME", path("home"));
        environment.insert("XDG_DATA_HOME", path("data"));
        environment.insert("XDG_CONFIG_HOME", path("config"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    void firstStartCreatesSettingsAndRegistersTheProgram() {
        program.start(path("quillon"), {});
        QVERIFY(program.waitForStarted(10000));
        const QString channel =
            QDir(path("run")).filePath(QStringLiteral("quillon-TfMain-%1").arg(::getuid()));
        QTRY_VERIFY_WITH_TIMEOUT(OpenFileChannel::IsHeld(channel), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(
            Read(path("settings.ini")),
            QByteArray("[Help]\r\nLanguage=Eng\r\n\r\n[File]\r\nMask=Filter ...\r\n"), 20000);
        QVERIFY(Read(path("data/applications/quillon.desktop"))
                    .contains("\nExec=" + path("quillon").toUtf8() + " %f\n"));
        QVERIFY(Read(path("config/mimeapps.list")).contains("text/html=quillon.desktop"));
        // The running program answers window messages; one it does not know
        // changes nothing.
        QVERIFY(OpenFileChannel::Send(channel, 4711, 0, 0));
        QCOMPARE(program.state(), QProcess::Running);
        QCOMPARE(Read(path("settings.ini")),
                 QByteArray("[Help]\r\nLanguage=Eng\r\n\r\n[File]\r\nMask=Filter ...\r\n"));
    }

    // On a real X display: the file named on the command line opens in one
    // document window, and a second start hands its file to the first
    // program through the clipboard.
    void aFileArgumentOpensAndASecondStartHandsItOver() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        const QString xwininfo = QStandardPaths::findExecutable("xwininfo");
        if (xvfb.isEmpty() || xwininfo.isEmpty())
            QSKIP("needs Xvfb and xwininfo");
        int display = 90;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)) ||
               QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)))
            ++display;
        const QString name = QStringLiteral(":%1").arg(display);
        server.start(xvfb, {name, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)),
                                 10000);

        // A fresh program folder beside the first one, with its own channel.
        QVERIFY(QDir(dir.path()).mkpath("x11/run"));
        QFile::setPermissions(path("x11/run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(QFile::copy(path("quillon"), path("x11/quillon")));
        QProcessEnvironment environment = program.processEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", name);
        environment.insert("XDG_RUNTIME_DIR", path("x11/run"));
        const QString first = path("x11/first page.html");
        const QString second = path("x11/second.html");
        for (const QString& file : {first, second}) {
            QFile page(file);
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write("<p>hello</p>\r\n");
        }
        x11First.setProcessEnvironment(environment);
        x11First.setProcessChannelMode(QProcess::ForwardedChannels);
        x11First.start(path("x11/quillon"), {first});
        QVERIFY(x11First.waitForStarted(10000));

        const auto titles = [&] {
            QProcess query;
            QProcessEnvironment queryEnvironment = QProcessEnvironment::systemEnvironment();
            queryEnvironment.insert("DISPLAY", name);
            query.setProcessEnvironment(queryEnvironment);
            query.start(xwininfo, {"-root", "-tree"});
            query.waitForFinished(5000);
            return QString::fromUtf8(query.readAllStandardOutput());
        };
        QTRY_VERIFY_WITH_TIMEOUT(titles().contains("\"Quillon - Vantrel - [" + first + "]\""),
                                 20000);

        x11Second.setProcessEnvironment(environment);
        x11Second.setProcessChannelMode(QProcess::ForwardedChannels);
        x11Second.start(path("x11/quillon"), {second});
        QVERIFY(x11Second.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(titles().contains("\"Quillon - Vantrel - [" + second + "]\""),
                                 20000);
        QVERIFY(!titles().contains("- [" + first + "]"));
        // The second start ended once the first had the page, and never
        // showed a window of its own.
        QTRY_COMPARE_WITH_TIMEOUT(x11Second.state(), QProcess::NotRunning, 10000);
        QCOMPARE(x11Second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(x11Second.exitCode(), 0);
        QCOMPARE(titles().count("\"Quillon - Vantrel"), 1);
    }

    void cleanupTestCase() { StopProcesses({&program, &x11Second, &x11First, &server}); }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
