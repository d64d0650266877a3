#include "EditorControl.h"
#include "OpenFileChannel.h"
#include "Startup.h"
#include "TChildForm.h"
#include "support/ProgramFolder.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    RecordingShell shell;

    StartOptions options() const {
        StartOptions start;
        start.window = folder->windowOptions();
        start.showSplash = false;
        return start;
    }

private slots:
    void init() {
        folder = std::make_unique<ProgramFolder>();
        prompts = std::make_unique<ScriptedPrompts>();
        QApplication::clipboard()->setText("untouched");
    }
    void cleanup() {
        prompts.reset();
        folder.reset();
    }

    void startWithoutArguments() {
        auto window = StartQuillon({}, options());
        QVERIFY(window->isVisible());
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        QVERIFY(window->MdiArea() != nullptr);
        // The file manager's filter is applied, and so written, at every start.
        QCOMPARE(folder->settingsBytes(),
                 QByteArray("[Help]\r\nLanguage=Eng\r\n\r\n[File]\r\nMask=Filter ...\r\n"));
        prompts->answerYes();
        window->close();
    }

    void oneArgumentTravelsThroughTheClipboard() {
        // The hand-off reaches the window through its channel, as another
        // program would send it.
        const StartOptions start = options();
        auto window = std::make_unique<TfMain>(start.window);
        window->showMaximized();
        const QString path = folder->file("my page.html");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<p>hello</p>\r\n");
        file.close();
        QVERIFY(HandOffArguments({path}, start.window.channelName));
        QCOMPARE(window->Documents().size(), 1);
        QCOMPARE(window->Documents().constFirst()->Caption(), path);
        QCOMPARE(window->Documents().constFirst()->Editor()->Line(0),
                 QStringLiteral("<p>hello</p>"));
        QCOMPARE(QApplication::clipboard()->text(), path);

        // A path relative to the starting process's folder arrives absolute.
        const QString started = QDir::currentPath();
        QVERIFY(QDir(folder->path()).mkdir("sub"));
        QVERIFY(QFile::copy(path, folder->file("other page.html")));
        QDir::setCurrent(folder->file("sub"));
        const bool sent = HandOffArguments({"../other page.html"}, start.window.channelName);
        QDir::setCurrent(started);
        QVERIFY(sent);
        QCOMPARE(window->Documents().size(), 2);
        QCOMPARE(window->Documents().constLast()->Caption(), folder->file("other page.html"));
        prompts->answerYes();
        window->close();
    }

    void twoArgumentsOpenNothing() {
        const StartOptions start = options();
        auto window = std::make_unique<TfMain>(start.window);
        window->showMaximized();
        QVERIFY(HandOffArguments({"/site/my", "page.html"}, start.window.channelName));
        QVERIFY(window->Documents().isEmpty());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        prompts->answerYes();
        window->close();
    }

    void noWindowFoundMeansNoHandOff() {
        QVERIFY(!HandOffArguments({"/site/index.html"}, folder->file("nobody-listens")));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
    }

    void aRunningProgramThatHoldsTheNameGetsTheFile() {
        const StartOptions start = options();
        OpenFileChannel earlier(start.window.channelName);
        QVERIFY(earlier.listen());
        QList<qint64> lengths;
        connect(&earlier, &OpenFileChannel::messageReceived, this,
                [&](int message, qint64 length, qint64) {
                    if (message == OpenFileChannel::OpenFileMessage)
                        lengths << length;
                });
        // The running program opened the file: no window of this start.
        QVERIFY(!StartQuillon({"/site/a.html"}, start));
        QCOMPARE(lengths, QList<qint64>{12});
        QVERIFY(!folder->settingsBytes().contains("Language"));
        // Without a file there is nothing to hand over: a window of its own.
        auto window = StartQuillon({}, start);
        QVERIFY(!window->IsListening());
        QVERIFY(window->isVisible());
        prompts->answerYes();
        window->close();
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
