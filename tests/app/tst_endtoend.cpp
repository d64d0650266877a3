#include "OpenFileChannel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Starts the real program from a temporary program folder, with the desktop's
// folders pointed into that folder too.
class EndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess program;

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
        QTRY_COMPARE_WITH_TIMEOUT(Read(path("settings.ini")),
                                  QByteArray("[Help]\r\nLanguage=Eng\r\n"), 20000);
        QVERIFY(Read(path("data/applications/quillon.desktop"))
                    .contains("\nExec=" + path("quillon").toUtf8() + " %f\n"));
        QVERIFY(Read(path("config/mimeapps.list")).contains("text/html=quillon.desktop"));
        // The running program answers window messages; one it does not know
        // changes nothing.
        QVERIFY(OpenFileChannel::Send(channel, 4711, 0, 0));
        QCOMPARE(program.state(), QProcess::Running);
        QCOMPARE(Read(path("settings.ini")), QByteArray("[Help]\r\nLanguage=Eng\r\n"));
    }

    void cleanupTestCase() {
        program.terminate();
        if (!program.waitForFinished(5000))
            program.kill();
        program.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
