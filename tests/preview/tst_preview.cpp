#include "DocumentTabs.h"
#include "EditorControl.h"
#include "LivePreview.h"
#include "PageLinks.h"
#include "PreviewEngine.h"
#include "PreviewEngineSetup.h"
#include "PreviewFiles.h"
#include "StatusPanels.h"
#include "TChildForm.h"
#include "TfConfig.h"
#include "TfMain.h"
#include "TfPreview.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

// The load of a page by the real engine may take a while on a busy machine.
constexpr int kLoadTimeout = 60000;

class PreviewTest : public QObject {
    Q_OBJECT

    WindowFixture fixture;
    TfMain& window() { return *fixture.window; }
    QAction* act(const char* name) { return window().action(QString::fromLatin1(name)); }
    QString site() { return fixture.folder->file(QStringLiteral("my site")); }

    QString write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TfPreview* activePreview() {
        QMdiSubWindow* sub = window().MdiArea()->activeSubWindow();
        return sub ? qobject_cast<TfPreview*>(sub->widget()) : nullptr;
    }
    int previewCount() {
        int count = 0;
        for (QMdiSubWindow* sub : window().MdiArea()->subWindowList())
            count += qobject_cast<TfPreview*>(sub->widget()) ? 1 : 0;
        return count;
    }
    // What a script in the preview's page answers, once it has answered;
    // the answer may come after the test, so it outlives it.
    static QString ask(TfPreview* preview, const QString& script) {
        static const auto outcome = std::make_shared<QString>();
        auto* view = qobject_cast<QWebEngineView*>(preview->Page()->Widget());
        view->page()->runJavaScript(
            script, [answer = outcome](const QVariant& result) { *answer = result.toString(); });
        return *outcome;
    }
    void pressF9InEditor() {
        QTest::keyClick(window().ActiveDocument()->Editor()->focusProxy(), Qt::Key_F9);
    }

public:
    // Before the application object: Chromium needs its sandbox off as root.
    static void initMain() { PreparePreviewEngine(); }

private slots:
    void init() {
        fixture.prepare();
        fixture.start();
        // The shortcuts work in the active window.
        fixture.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.window.get()));
    }
    void cleanup() { fixture.finish(); }

    void temporaryNamesAndPlaces() {
        const QString program = QStringLiteral("/opt/quillon/");
        QCOMPARE(PreviewFilePath(QStringLiteral("/srv/my site/index.html"), 3, program),
                 QStringLiteral("/srv/my site/3~index.html"));
        QCOMPARE(PreviewFilePath(QStringLiteral("Untitled2"), 1, program),
                 QStringLiteral("/opt/quillon/1~Untitled2.html"));
        // A file without an extension counts as having none.
        QCOMPARE(PreviewFilePath(QStringLiteral("/srv/README"), 2, program),
                 QStringLiteral("/opt/quillon/2~README.html"));
        QCOMPARE(BrowserFilePath(QStringLiteral("/srv/README"), 2, program),
                 QStringLiteral("/srv/quillon_temp2.html"));
        QCOMPARE(BrowserFilePath(QStringLiteral("Untitled4"), 1, program),
                 QStringLiteral("/opt/quillon/quillon_temp1.html"));
        QVERIFY(IsStyleSheetCaption(QStringLiteral("/srv/Site.CSS")));
        QVERIFY(!IsStyleSheetCaption(QStringLiteral("/srv/css.d/page.html")));
    }

    void linkedLocalFiles() {
        const QString html = QStringLiteral(
            "<link rel=stylesheet href=\"css/site.css?v=2\"><link href='/abs/x.css'>"
            "<script src=\"js/app.js\"></script><script>var s = '<img src=no.png>';</script>"
            "<body background=\"back.gif\"><a href=\"other.html\">x</a>"
            "<img src=\"../pics/a%20b.png#top\"><img SRC=\"http://example.org/x.png\">"
            "<img src=\"data:image/png;base64,AAAA\"><img src=\"file:///srv/c.png\">"
            "<img src=\"css/site.css\">");
        QCOMPARE(LinkedLocalFiles(html, QStringLiteral("/srv/site")),
                 (QStringList{"/srv/site/css/site.css", "/abs/x.css", "/srv/site/js/app.js",
                              "/srv/site/back.gif", "/srv/pics/a b.png", "/srv/c.png"}));
    }

    // With the preview open, typing brings the page up to date without a
    // save, where the page was scrolled to; a linked style sheet changed on
    // disk, even replaced by a new file, does too.
    void previewFollowsTypingAndLinkedFiles() {
        const QString css = write(site() + QStringLiteral("/css/style.css"), "p { color: red }\n");
        const QByteArray text = "<link rel=\"stylesheet\" href=\"css/style.css\">\r\n"
                                "<div style=\"height: 3000px\">top</div><p>end</p>\r\n";
        const QString page = write(site() + QStringLiteral("/index.html"), text);
        window().OpenDocumentFile(page);
        EditorControl* editor = window().ActiveDocument()->Editor();
        pressF9InEditor();
        TfPreview* preview = activePreview();
        QVERIFY(preview);
        QTRY_COMPARE_WITH_TIMEOUT(preview->StatusBar()->PanelText(0), QStringLiteral("Done"),
                                  kLoadTimeout);
        ask(preview, QStringLiteral("window.scrollTo(0, 300)"));
        QTRY_COMPARE_WITH_TIMEOUT(ask(preview, QStringLiteral("String(window.scrollY)")),
                                  QStringLiteral("300"), kLoadTimeout);

        const QString file = preview->File();
        editor->SetCaretPosition({1, 3});
        QTest::keyClicks(editor->focusProxy(), QStringLiteral("<p>typed</p>"));
        QTRY_VERIFY_WITH_TIMEOUT(read(file).contains("<p>typed</p>"), kLoadTimeout);
        QVERIFY(window().Documents().first()->ModifiedFlag());
        QCOMPARE(read(page), text);
        const QString probe =
            QStringLiteral("[document.body.textContent.includes('typed'), window.scrollY,"
                           " getComputedStyle(document.querySelector('p')).color].join('|')");
        QTRY_COMPARE_WITH_TIMEOUT(ask(preview, probe), QStringLiteral("true|300|rgb(255, 0, 0)"),
                                  kLoadTimeout);

        // A save replaces the file in one step: it is watched again after it.
        for (const char* color : {"blue", "green"}) {
            write(css + QStringLiteral(".new"), QByteArray("p { color: ") + color + " }\n");
            QFile::remove(css);
            QVERIFY(QFile::rename(css + QStringLiteral(".new"), css));
            const QString shown = QColor::fromString(QLatin1String(color)).name();
            QTRY_COMPARE_WITH_TIMEOUT(
                ask(preview, QStringLiteral("(() => { const c = getComputedStyle(document."
                                            "querySelector('p')).color.match(/\\d+/g);"
                                            " return '#' + c.map(n => (+n).toString(16)"
                                            ".padStart(2, '0')).join(''); })()")),
                shown, kLoadTimeout);
        }
        QCOMPARE(preview->findChild<LivePreview*>()->WatchedFiles(), QStringList{css});
    }

    // F9 in the editor opens the page in the real engine; F9 again closes it.
    void f9TwiceOpensAndCloses() {
        const QString page = write(site() + QStringLiteral("/index.html"),
                                   "<html>\r\n<body><p>caf\xe9</p></body>\r\n</html>\r\n");
        window().OpenDocumentFile(page);
        const int tabs = window().Tabs()->findChildren<DocumentTab*>().size();
        window().ActiveDocument()->Editor()->AddLine(QStringLiteral("<!-- edited -->"));
        pressF9InEditor();

        TfPreview* preview = activePreview();
        QVERIFY(preview);
        const QString file = site() + QStringLiteral("/1~index.html");
        QCOMPARE(preview->windowTitle(), file);
        // The editor's lines as they stand, CR LF after each, in the file's own code page.
        QCOMPARE(read(file), QByteArray("<html>\r\n<body><p>caf\xe9</p></body>\r\n</html>\r\n"
                                        "<!-- edited -->\r\n"));
        QVERIFY(window().PreviewActive());
        QVERIFY(window().PreviewOpen());
        QCOMPARE(window().Tabs()->findChildren<DocumentTab*>().size(), tabs);
        QTRY_COMPARE_WITH_TIMEOUT(preview->StatusBar()->PanelText(0), QStringLiteral("Done"),
                                  kLoadTimeout);
        QCOMPARE(preview->StatusBar()->PanelCount(), 1);
        // "Close" keeps its distance from the strip's right edge.
        preview->parentWidget()->resize(700, 400);
        QTRY_COMPARE(preview->CloseButton()->geometry().right(),
                     preview->Strip()->width() - 1 - TfPreview::kCloseMargin);
        QCOMPARE(preview->RefreshButton()->toolTip(), QStringLiteral("Refresh document"));
        QCOMPARE(preview->CloseButton()->toolTip(), QStringLiteral("Close preview window"));

        // Save does nothing while the preview is active.
        act("Save2")->trigger();
        QVERIFY(fixture.prompts->asked.isEmpty());

        QTest::keyClick(preview->Page()->Widget(), Qt::Key_F9);
        QTRY_COMPARE(previewCount(), 0);
        QVERIFY(!QFile::exists(file));
        QVERIFY(!window().PreviewActive());
        QVERIFY(!window().PreviewOpen());
        QVERIFY(window().ActiveDocument());
    }

    // Untitled documents preview from the program folder; the number grows
    // with every preview; each way of closing deletes the window's file.
    void everyCloseDeletesTheFile() {
        act("New1")->trigger();
        act("New1")->trigger();
        act("ToolButton14")->trigger();
        const QString first = fixture.folder->file(QStringLiteral("1~Untitled2.html"));
        QVERIFY(QFile::exists(first));
        activePreview()->CloseButton()->click();
        QTRY_COMPARE(previewCount(), 0);
        QVERIFY(!QFile::exists(first));

        act("Previewsite1")->trigger();
        const QString second = fixture.folder->file(QStringLiteral("2~Untitled1.html"));
        QCOMPARE(activePreview()->windowTitle(), second);
        act("Close1")->trigger();
        QTRY_COMPARE(previewCount(), 0);
        QVERIFY(!QFile::exists(second));

        // A click on a document's tab closes the active preview.
        act("Previewsite1")->trigger();
        const QString third = fixture.folder->file(QStringLiteral("3~Untitled1.html"));
        QVERIFY(QFile::exists(third));
        window().Documents().last()->Tab()->click();
        QTRY_COMPARE(previewCount(), 0);
        QVERIFY(!QFile::exists(third));
        QCOMPARE(window().ActiveDocument()->Caption(), QStringLiteral("Untitled2"));

        // Previews left open at exit go with the program.
        act("Previewsite1")->trigger();
        act("Previewsite1")->trigger(); // closes it: it is active
        act("Previewsite1")->trigger();
        const QString fifth = activePreview()->File();
        QVERIFY(fifth.startsWith(fixture.folder->file(QStringLiteral("5~Untitled"))));
        QVERIFY(QFile::exists(fifth));
        fixture.prompts->answerYes();
        window().close();
        QVERIFY(!QFile::exists(fifth));
    }

    void refusalsWriteNothing() {
        act("Previewsite1")->trigger();
        QCOMPARE(fixture.prompts->askedTexts(),
                 QStringList{QStringLiteral("There is no document open to preview !")});

        window().OpenDocumentFile(write(site() + QStringLiteral("/style.css"), "p { }\r\n"));
        act("Previewsite1")->trigger();
        QCOMPARE(fixture.prompts->askedTexts().last(),
                 QStringLiteral("It is not possible to preview a css file !"));
        QCOMPARE(QDir(site()).entryList(QDir::Files), QStringList{QStringLiteral("style.css")});
        QCOMPARE(previewCount(), 0);

        // A folder that is gone ends the command without a message or a window.
        const QString page = write(site() + QStringLiteral("/gone/index.html"), "<p>x</p>\r\n");
        window().OpenDocumentFile(page);
        QVERIFY(QDir(site() + QStringLiteral("/gone")).removeRecursively());
        const int asked = int(fixture.prompts->asked.size());
        pressF9InEditor();
        QCOMPARE(previewCount(), 0);
        QCOMPARE(fixture.prompts->asked.size(), asked);
        QVERIFY(!QFileInfo::exists(site() + QStringLiteral("/gone")));
        QVERIFY(!window().PreviewOpen());
    }

    // A page shows its own style sheet, script, picture and frame, and its
    // single-byte text, but its script reads no file, not even one beside the
    // page, nor a frame's text.
    void pageLoadsItsOwnFilesButReadsNone() {
        write(site() + QStringLiteral("/private.txt"), "secret\n");
        write(site() + QStringLiteral("/css/style.css"), "p { color: rgb(1, 2, 3); }\n");
        write(site() + QStringLiteral("/js/app.js"), "var scriptRan = 'yes';\n");
        write(site() + QStringLiteral("/frames/frame.html"),
              "<p>framed</p><script>parent.postMessage('yes', '*');</script>\n");
        QImage picture(8, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(site() + QStringLiteral("/picture.png")));
        window().OpenDocumentFile(write(
            site() + QStringLiteral("/index.html"),
            "<html><head><title>-</title><link rel=\"stylesheet\" href=\"css/style.css\">\r\n"
            "<script src=\"js/app.js\"></script></head>\r\n"
            "<body><p>caf\xe9</p><img src=\"picture.png\"><iframe src=\"frames/frame.html\">"
            "</iframe>\r\n<script>\r\n"
            "var framed = 'no'; addEventListener('message', e => { framed = e.data; });\r\n"
            "var x = new XMLHttpRequest();\r\n"
            "try { x.open('GET', 'private.txt', false); x.send(); document.title = 'read ' + "
            "x.responseText; } catch (e) { document.title = 'refused'; }\r\n"
            "fetch('private.txt').then(r => r.text()).then(t => { document.title += ' read ' + t; "
            "}, () => { document.title += ' refused'; });\r\n"
            "</script></body></html>\r\n"));
        pressF9InEditor();
        TfPreview* preview = activePreview();
        QVERIFY(preview);
        QTRY_COMPARE_WITH_TIMEOUT(preview->StatusBar()->PanelText(0), QStringLiteral("Done"),
                                  kLoadTimeout);

        auto* view = qobject_cast<QWebEngineView*>(preview->Page()->Widget());
        QVERIFY(view);
        QVERIFY(view->page()->profile()->isOffTheRecord());
        const QString probe = QStringLiteral(
            "[document.title, document.querySelector('p').textContent,"
            " getComputedStyle(document.querySelector('p')).color,"
            " document.querySelector('img').naturalWidth, scriptRan, framed,"
            " (() => { try { return document.querySelector('iframe').contentDocument.body"
            ".textContent; } catch (e) { return 'hidden'; } })()].join('|')");
        // Answers may come after the test: the outcome outlives it.
        const auto outcome = std::make_shared<QString>();
        const auto ask = [&] {
            view->page()->runJavaScript(
                probe, [outcome](const QVariant& result) { *outcome = result.toString(); });
            return *outcome;
        };
        // The fetch answers later; the frame loads on its own.
        QTRY_COMPARE_WITH_TIMEOUT(
            ask(), QStringLiteral("refused refused|caf\u00e9|rgb(1, 2, 3)|8|yes|yes|hidden"),
            kLoadTimeout);
    }

    // The page runs in the engine's own processes: a script that never ends
    // leaves the editor and its commands working.
    void loopingPageLeavesTheEditorResponsive() {
        window().OpenDocumentFile(
            write(site() + QStringLiteral("/loop.html"), "<script>for (;;) {}</script>\r\n"));
        act("Previewsite1")->trigger();
        TfPreview* preview = activePreview();
        QVERIFY(preview);
        QTest::qWait(1000);
        QTest::keyClick(preview->Page()->Widget(), Qt::Key_F9);
        QTRY_COMPARE(previewCount(), 0);
        QVERIFY(!QFile::exists(site() + QStringLiteral("/1~loop.html")));
        window().ActiveDocument()->Editor()->ReplaceSelection(QStringLiteral("typed"));
        QVERIFY(window().ActiveDocument()->ModifiedFlag());
    }

    void webBrowserWithoutPathOpensTheConfiguration() {
        window().NewDocument();
        QSignalSpy configuration(&window(), &TfMain::configurationRequested);
        const int counter = window().DocumentCounter();
        act("ToolButton12")->trigger();
        QCOMPARE(configuration.size(), 1);
        QCOMPARE(configuration.first().first().toInt(), 1);
        QCOMPARE(window().DocumentCounter(), counter + 1);
        const TfConfig* screen = window().findChildren<TfConfig*>().constLast();
        QCOMPARE(screen->focusWidget(), screen->findChild<QLineEdit*>("BrowserPath"));
        QVERIFY(window().BrowserTempFiles().isEmpty());
    }

    // A real program as the browser: it receives the path as its one
    // argument, blanks and all; the files go when the program exits.
    void webBrowserGetsOneArgumentAndItsFilesGoAtExit() {
        const QString record = fixture.folder->file(QStringLiteral("arguments.txt"));
        const QString browser =
            write(fixture.folder->file(QStringLiteral("browser.sh")),
                  "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" >> '" + record.toUtf8() + "'\n");
        QFile::setPermissions(browser, QFile::permissions(browser) | QFileDevice::ExeOwner);
        fixture.folder->writeSettings(
            "[Help]\r\nLanguage=Eng\r\n[WEB]\r\nPath=" + browser.toUtf8() + "\r\n");
        window().OpenDocumentFile(write(site() + QStringLiteral("/index.html"), "<p>a</p>\r\n"));

        act("LoadBrowser1")->trigger();
        const QString first = site() + QStringLiteral("/quillon_temp1.html");
        QTRY_COMPARE(read(record), "1|" + first.toUtf8() + "|");
        QCOMPARE(read(first), QByteArray("<p>a</p>\r\n"));
        QTest::keyClick(window().ActiveDocument()->Editor()->focusProxy(), Qt::Key_F12);
        const QString second = site() + QStringLiteral("/quillon_temp2.html");
        QTRY_VERIFY(read(record).endsWith("1|" + second.toUtf8() + "|"));
        QCOMPARE(window().BrowserTempFiles(), (QStringList{first, second}));

        // Declining the exit keeps them; leaving deletes both.
        fixture.prompts->answerNo();
        window().close();
        QVERIFY(QFile::exists(first) && QFile::exists(second));
        fixture.prompts->answerYes();
        window().close();
        QVERIFY(!QFile::exists(first));
        QVERIFY(!QFile::exists(second));
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
