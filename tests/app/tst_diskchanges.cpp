#include "EditorControl.h"
#include "Startup.h"
#include "TChildForm.h"
#include "support/FileBytes.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QTest>

// Files that another program changes, replaces or removes while they are open.
class DiskChangesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<TfMain> window;
    QString pagePath;

    // Opens the page beside an untitled document; the page is active.
    TChildForm* openPage() {
        window->NewDocument();
        window->OpenFiles({pagePath}, false);
        return window->ActiveDocument();
    }
    // The untitled document takes the activation and the page takes it back;
    // true when that asked a question.
    bool reactivationAsks(TChildForm* page) {
        const qsizetype before = prompts->asked.size();
        window->Documents().constFirst()->ActivateDocument();
        page->ActivateDocument();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return prompts->asked.size() > before;
    }

private slots:
    void init() {
        folder = std::make_unique<ProgramFolder>();
        prompts = std::make_unique<ScriptedPrompts>();
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n");
        pagePath = folder->file("page.html");
        WriteBytes(pagePath, "<p>one</p>\r\n");
        StartOptions options;
        options.window = folder->windowOptions();
        options.showSplash = false;
        window = StartQuillon({}, options);
    }
    void cleanup() {
        window.reset();
        prompts.reset();
        folder.reset();
    }

    void aChangeOnDiskIsOfferedForReloadButOurOwnSaveIsNot() {
        TChildForm* page = openPage();
        QVERIFY(!reactivationAsks(page));
        WriteBytes(pagePath, "<p>two</p>\r\n");
        prompts->answerYes();
        QVERIFY(reactivationAsks(page));
        QCOMPARE(prompts->asked.last().text,
                 pagePath + "\n\nThis file has been changed by another program. Reload it?");
        QCOMPARE(page->Editor()->Utf8Text(), QByteArray("<p>two</p>"));
        QVERIFY(!page->ModifiedFlag());
        QVERIFY(!reactivationAsks(page));

        page->Editor()->ReplaceSelection("x");
        window->Save();
        QCOMPARE(ReadBytes(pagePath), QByteArray("x<p>two</p>\r\n"));
        QVERIFY(!reactivationAsks(page));

        // The watch goes on after our save replaced the file: its removal
        // marks the window at once, and Save makes the file again.
        QFile::remove(pagePath);
        QTRY_COMPARE(page->windowTitle(), pagePath + " (no longer on disk)");
        QCOMPARE(page->Caption(), pagePath);
        QVERIFY(!reactivationAsks(page));
        window->Save();
        QCOMPARE(ReadBytes(pagePath), QByteArray("x<p>two</p>\r\n"));
        QCOMPARE(page->windowTitle(), pagePath);
    }

    void unsavedChangesAreNotLostToTheDisk() {
        TChildForm* page = openPage();
        page->Editor()->ReplaceSelection("mine ");
        WriteBytes(pagePath, "<p>theirs</p>\r\n");
        // No: the editor keeps its text, and this version is not asked about again.
        QVERIFY(reactivationAsks(page));
        QVERIFY(prompts->asked.last().text.contains("and the document has unsaved changes too"));
        QCOMPARE(page->Editor()->Utf8Text(), QByteArray("mine <p>one</p>"));
        QVERIFY(page->ModifiedFlag());
        QVERIFY(!reactivationAsks(page));

        window->Save();
        QVERIFY(prompts->asked.last().text.contains("since it was opened or saved here"));
        QCOMPARE(ReadBytes(pagePath), QByteArray("<p>theirs</p>\r\n"));
        QVERIFY(page->ModifiedFlag());
        prompts->answerYes();
        window->Save();
        QCOMPARE(ReadBytes(pagePath), QByteArray("mine <p>one</p>\r\n"));
        QVERIFY(!page->ModifiedFlag());
        QCOMPARE(prompts->asked.size(), 3);
    }
};

QTEST_MAIN(DiskChangesTest)
#include "tst_diskchanges.moc"
