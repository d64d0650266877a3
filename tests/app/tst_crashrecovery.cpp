#include "EditorControl.h"
#include "OpenFileChannel.h"
#include "RecoveryStore.h"
#include "Startup.h"
#include "TChildForm.h"
#include "support/ScriptedPrompts.h"

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
    static QByteArray Read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
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
    void run(const QString& tool, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(tool, arguments);
        QVERIFY(process.waitForFinished(10000));
    }
    QString windowNames() {
        QProcess query;
        query.setProcessEnvironment(environment);
        query.start(xdotool, {"search", "--name", "Quillon - Vantrel", "getwindowname", "%@"});
        query.waitForFinished(5000);
        return QString::fromUtf8(query.readAllStandardOutput());
    }
    // Starts the program on the page (handed to the running one) and types
    // at the start of its text.
    void typeInto(const QString& page, const QString& text) {
        QProcess handOff;
        handOff.setProcessEnvironment(environment);
        handOff.start(path("quillon"), {page});
        QVERIFY(handOff.waitForFinished(20000));
        QTRY_VERIFY_WITH_TIMEOUT(windowNames().contains("[" + page + "]"), 20000);
        type(text);
    }
    // Without a window manager the keyboard goes where it is sent.
    void focus() {
        run(xdotool,
            {"search", "--onlyvisible", "--name", "Quillon - Vantrel", "windowfocus", "--sync"});
    }
    // Types at the start of the active document and waits for its snapshot.
    void type(const QString& text) {
        const qsizetype before = programSnapshots().size();
        focus();
        run(xdotool, {"key", "ctrl+Home"});
        run(xdotool, {"type", "--delay", "20", text});
        QTRY_COMPARE_WITH_TIMEOUT(programSnapshots().size(), before + 1, 20000);
    }

    // The program with three modified documents, killed once all three have
    // their snapshot.
    void crashWithThreeDocuments() {
        program.kill();
        program.waitForFinished(10000);
        Write(path("latin.html"), latinPage);
        Write(path("utf8.html"), utf8Page);
        program.start(path("quillon"), {});
        QVERIFY(program.waitForStarted(10000));
        const QString channel =
            QDir(path("run")).filePath(QStringLiteral("quillon-TfMain-%1").arg(::getuid()));
        QTRY_VERIFY_WITH_TIMEOUT(OpenFileChannel::IsHeld(channel), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(windowNames().contains("Quillon - Vantrel"), 20000);
        focus();
        run(xdotool, {"key", "ctrl+n"});
        QTRY_VERIFY_WITH_TIMEOUT(windowNames().contains("[Untitled1]"), 20000);
        type(QStringLiteral("Draft "));
        typeInto(path("latin.html"), QStringLiteral("\u00E9!"));
        if (!QTest::currentTestFailed())
            typeInto(path("utf8.html"), QStringLiteral("\u00FC"));
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
        Write(path("settings.ini"), "[Help]\r\nLanguage=Eng\r\n[Session]\r\nReopen=0\r\n");

        int number = 90;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
               QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            ++number;
        display = QStringLiteral(":%1").arg(number);
        server.start(xvfb, {display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)),
                                 10000);

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
        QCOMPARE(Read(path("latin.html")), latinPage);
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
        QCOMPARE(Read(path("latin.html")), "\xE9!" + latinPage);
        QCOMPARE(Read(path("utf8.html")), "\xC3\xBC" + utf8Page);
        QCOMPARE(prompts.asked.size(), 1);
        // The old snapshots are gone once the restored documents have their own.
        window->Recovery().Wait();
        const QStringList kept =
            files("recovery", "*.snapshot").filter(QRegularExpression("/[0-9]+-[0-9a-f]+/"));
        QCOMPARE(kept.size(), 1);
    }

    void cleanupTestCase() {
        for (QProcess* process : {&program, &server}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
            process->waitForFinished(5000);
        }
    }
};

QTEST_MAIN(CrashRecoveryTest)
#include "tst_crashrecovery.moc"
