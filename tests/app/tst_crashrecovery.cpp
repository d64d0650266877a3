#include "EditorControl.h"
#include "OpenFileChannel.h"
#include "RecoveryStore.h"
#include "Startup.h"
#include "TChildForm.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/StopProcesses.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The real program, killed with unsaved documents, started again in the same
// program folder. It types on an X display (Xvfb, driven by xdotool); the
// start after the crash runs in this process, where the question is answered
// from a script and the restored documents can be read.
class CrashRecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess server;
    QProcess program;
    QProcessEnvironment environment;
    QString display;
    QString xdotool;

    // Windows-1252 and UTF-8 pages, each with a character beyond ASCII.
    const QByteArray latinPage = QByteArrayLiteral("<p>caf\xE9</p>\r\n");
    const QByteArray utf8Page = QByteArrayLiteral("<p>na\xC3\xAFve \xE2\x86\x92</p>\r\n");

    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files(const QString& folder, const QString& pattern) const {
        QStringList found;
        QDirIterator it(path(folder), {pattern}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }
    // The snapshots that programs keep, not those discarded.
    QStringList programSnapshots() const {
        return files("recovery", "*.snapshot").filter(QRegularExpression("/[0-9]+-[0-9a-f]+/"));
    }
    bool run(const QString& tool, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(tool, arguments);
        return process.waitForFinished(10000) && process.exitCode() == 0;
    }
    QString windowNames() {
        QProcess query;
        query.setProcessEnvironment(environment);
        query.start(xdotool, {"search", "--name", "Quillon - Vantrel", "getwindowname", "%@"});
        query.waitForFinished(5000);
        return QString::fromUtf8(query.readAllStandardOutput());
    }
    // Opens the page with File > Open, the path typed into the dialog, and
    // types at the start of its text.
    void typeInto(const QString& page, const QString& text) {
        focus();
        QVERIFY(run(xdotool, {"key", "ctrl+o"}));
        QTRY_VERIFY_WITH_TIMEOUT(
            run(xdotool, {"search", "--onlyvisible", "--name", "^Open$", "windowfocus", "--sync"}),
            20000);
        QVERIFY(run(xdotool, {"type", "--delay", "20", page}));
        QVERIFY(run(xdotool, {"key", "Return"}));
        QTRY_VERIFY2_WITH_TIMEOUT(windowNames().contains("[" + page + "]"),
                                  qPrintable(windowNames()), 20000);
        type(text);
    }
    // Without a window manager the keyboard goes where it is sent.
    // The window is shown (mapped) some time after it has its name.
    void focus() {
        QTRY_VERIFY_WITH_TIMEOUT(run(xdotool, {"search", "--onlyvisible", "--name",
                                               "Quillon - Vantrel", "windowfocus", "--sync"}),
                                 20000);
    }
    // Types at the start of the active document and waits for its snapshot.
    void type(const QString& text) {
        const qsizetype before = programSnapshots().size();
        focus();
        QVERIFY(run(xdotool, {"key", "ctrl+Home"}));
        QVERIFY(run(xdotool, {"type", "--delay", "20", text}));
        QTRY_COMPARE_WITH_TIMEOUT(programSnapshots().size(), before + 1, 20000);
    }

    // The program with three modified documents, killed once all three have
    // their snapshot.
    void crashWithThreeDocuments() {
        program.kill();
        program.waitForFinished(10000);
        WriteBytes(path("latin.html"), latinPage);
        WriteBytes(path("utf8.html"), utf8Page);
        program.start(path("quillon"), {});
        QVERIFY(program.waitForStarted(10000));
        const QString channel =
            QDir(path("run")).filePath(QStringLiteral("quillon-TfMain-%1").arg(::getuid()));
        QTRY_VERIFY_WITH_TIMEOUT(OpenFileChannel::IsHeld(channel), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(windowNames().contains("Quillon - Vantrel"), 20000);
        focus();
        QVERIFY(run(xdotool, {"key", "ctrl+n"}));
        QTRY_VERIFY_WITH_TIMEOUT(windowNames().contains("[Untitled1]"), 20000);
        type(QStringLiteral("Draft "));
        // Typed as plain ASCII: xdotool's stand-in keys for other characters
        // can be gone again before a busy program reads them.
        typeInto(path("latin.html"), QStringLiteral("Hi "));
        if (!QTest::currentTestFailed())
            typeInto(path("utf8.html"), QStringLiteral("Yo "));
        if (QTest::currentTestFailed())
            return;
        // A second program starting now finds the running one's snapshots
        // and leaves them alone.
        QVERIFY(RecoveryStore(path("recovery")).TakeLeftovers().folders.isEmpty());
        program.kill();
        QVERIFY(program.waitForFinished(10000));
    }

    // Starts the program again in the same folder, in this process.
    std::unique_ptr<TfMain> restart() {
        StartOptions options;
        options.window.places =
            ProgramPlaces::For(dir.path(), path("config"), path("cache"), {}, path("state"));
        options.window.executablePath = path("quillon");
        options.window.channelName = path("restarted-channel");
        options.window.associationPlaces = {path("data"), path("config")};
        options.showSplash = false;
        return StartQuillon({}, options);
    }

private slots:
    void initTestCase() {
        const QString binary = qEnvironmentVariable("QUILLON_BINARY");
        QVERIFY2(QFile::exists(binary), "QUILLON_BINARY must name the built program");
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        xdotool = QStandardPaths::findExecutable("xdotool");
        if (xvfb.isEmpty() || xdotool.isEmpty())
            QSKIP("needs Xvfb and xdotool");
        QVERIFY(QFile::copy(binary, path("quillon")));
        for (const char* folder : {"run", "home", "data", "config"})
            QVERIFY(QDir(dir.path()).mkpath(QString::fromLatin1(folder)));
        QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        WriteBytes(path("settings.ini"), "[Help]\r\nLanguage=Eng\r\n[Session]\r\nReopen=0\r\n");

        // Xvfb picks a free display itself and names it once it listens, so
        // that tests running side by side never share one.
        server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        display = QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());

        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", display);
        environment.insert("XDG_RUNTIME_DIR", path("run"));
        environment.insert("HOME", path("home"));
        environment.insert("XDG_DATA_HOME", path("data"));
        environment.insert("XDG_CONFIG_HOME", path("config"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    void noKeepsTheSnapshotsAsDiscarded() {
        crashWithThreeDocuments();
        if (QTest::currentTestFailed())
            return;
        ScriptedPrompts prompts;
        const auto window = restart();
        QCOMPARE(prompts.askedTexts(),
                 QStringList{"Quillon was not closed properly. Restore the 3 unsaved documents?"});
        QVERIFY(window->Documents().isEmpty());
        const QStringList discarded = files("recovery/discarded", "*.snapshot");
        QCOMPARE(discarded.size(), 3);
        QCOMPARE(files("recovery", "*.snapshot"), discarded);
        // The pages themselves are as they were.
        QCOMPARE(ReadBytes(path("latin.html")), latinPage);
    }

    void yesRestoresAllThreeByteForByte() {
        crashWithThreeDocuments();
        if (QTest::currentTestFailed())
            return;
        ScriptedPrompts prompts;
        prompts.answerYes();
        const auto window = restart();
        QCOMPARE(prompts.asked.size(), 1);
        QStringList captions;
        for (TChildForm* document : window->Documents()) {
            captions << document->Caption();
            QVERIFY(document->ModifiedFlag());
        }
        QCOMPARE(captions, QStringList({"Untitled1", path("latin.html"), path("utf8.html")}));
        const EditorControl* untitled = window->Documents().at(0)->Editor();
        QVERIFY(untitled->Utf8Text().startsWith("Draft <html>"));
        QCOMPARE(untitled->CaretPosition(), (TextPosition{7, 1}));
        // Saved, each page holds what the killed program would have written.
        for (TChildForm* document : window->Documents().mid(1)) {
            document->ActivateDocument();
            window->Save();
        }
        QCOMPARE(ReadBytes(path("latin.html")), "Hi " + latinPage);
        QCOMPARE(ReadBytes(path("utf8.html")), "Yo " + utf8Page);
        QCOMPARE(prompts.asked.size(), 1);
        // The old snapshots are gone once the restored documents have their own.
        window->Recovery().Wait();
        const QStringList kept =
            files("recovery", "*.snapshot").filter(QRegularExpression("/[0-9]+-[0-9a-f]+/"));
        QCOMPARE(kept.size(), 1);
    }

    void cleanupTestCase() { StopProcesses({&program, &server}); }
};

QTEST_MAIN(CrashRecoveryTest)
#include "tst_crashrecovery.moc"
