#include "ColorSwatch.h"
#include "DocumentTabs.h"
#include "DocumentTemplate.h"
#include "EditorControl.h"
#include "GammaPanel.h"
#include "MainPanels.h"
#include "OpenFileChannel.h"
#include "SettingsStore.h"
#include "StatusPanels.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

class DocumentsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<TfMain> window;

    QAction* act(const char* name) const { return window->action(QString::fromLatin1(name)); }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder->file(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }
    QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList captions() const {
        QStringList result;
        for (TChildForm* document : window->Documents())
            result << document->Caption();
        return result;
    }
    void startWith(const QByteArray& settings) {
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n" + settings);
        window = std::make_unique<TfMain>(folder->windowOptions());
        window->showMaximized();
    }

private slots:
    void init() {
        folder = std::make_unique<ProgramFolder>();
        prompts = std::make_unique<ScriptedPrompts>();
        startWith({});
    }
    void cleanup() {
        // Whatever a test left open goes without questions.
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n");
        prompts->answerYes();
        window->close();
        window.reset();
        prompts.reset();
        folder.reset();
    }

    void newDocumentsAreNumbered() {
        act("New1")->trigger();
        act("ToolButton1")->trigger();
        QCOMPARE(captions(), (QStringList{"Untitled1", "Untitled2"}));
        act("Options1")->trigger();
        act("New1")->trigger();
        QCOMPARE(captions().last(), QStringLiteral("Untitled4"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillon - Vantrel - [Untitled4]"));
        QCOMPARE(window->Documents().last()->Tab()->Caption(), QStringLiteral("Untitled4"));
    }

    void newDocumentStartsFromTheTemplate() {
        act("New1")->trigger();
        TChildForm* document = window->ActiveDocument();
        EditorControl* editor = document->Editor();
        QCOMPARE(editor->LineCount(), 19);
        QCOMPARE(editor->Line(0), QStringLiteral("<html>"));
        QCOMPARE(editor->Line(9), QStringLiteral("<body>"));
        QCOMPARE(editor->Line(17), QString());
        QCOMPARE(editor->Line(18), QString());
        QCOMPARE(editor->CaretPosition(), (TextPosition{1, 12}));
        QVERIFY(!document->ModifiedFlag());
        QCOMPARE(document->StatusBar()->PanelText(1), QString());
        QVERIFY(!editor->CanUndo());
        QVERIFY(act("ToolButton3")->isEnabled());
    }

    void templateLines() {
        SettingsStore profile(folder->file("profile.ini"));
        const QDateTime when(QDate(2026, 12, 8), QTime(14, 5, 9));
        DocumentTemplate empty = BuildTemplate(profile, when);
        QCOMPARE(empty.lines.size(), 18);
        QCOMPARE(empty.caretLine, 12);
        QCOMPARE(empty.lines[3], QStringLiteral("  <title></title>"));
        QCOMPARE(empty.lines[4], QStringLiteral("  <meta name=\"description\" content=\"\">"));
        QCOMPARE(empty.lines[7],
                 QStringLiteral("  <meta name=\"generator\" content=\"Velmor Software Inc.\">"));
        QCOMPARE(empty.lines[9], QStringLiteral("<body>"));
        QVERIFY(empty.lines[15].startsWith("<!-- ** file created on "));
        QVERIFY(empty.lines[15].endsWith(" ** -->"));
        QVERIFY(empty.lines[16].startsWith("<!-- ** file created by Quillon visit us online @ "));
        QCOMPARE(empty.lines[17], QString());

        profile.WriteText("StyleSheet", "Path", "style.css");
        profile.WriteText("Title", "Text", "A & \"B\"");
        profile.WriteText("Link", "Text", "#0000FF");
        DocumentTemplate styled = BuildTemplate(profile, when);
        QCOMPARE(styled.lines.size(), 19);
        QCOMPARE(styled.caretLine, 13);
        QCOMPARE(styled.lines[3], QStringLiteral("  <title>A & \"B\"</title>"));
        QCOMPARE(
            styled.lines[8],
            QStringLiteral("  <link rel=\"stylesheet\" href=\"style.css\" type=\"text/css\">"));
        // Colours only count while link colours are on.
        QCOMPARE(styled.lines[10], QStringLiteral("<body>"));
        profile.WriteFlag("DefLinkCol", "On", true);
        QCOMPARE(BuildTemplate(profile, when).lines[10], QStringLiteral("<body link=\"#0000FF\">"));
        for (const char* section : {"BG", "ALink", "VLink"})
            profile.WriteText(section, "Text", QStringLiteral("#%1").arg(section));
        profile.WriteText("Background", "Image", "back.gif");
        QCOMPARE(BuildTemplate(profile, when).lines[10],
                 QStringLiteral("<body bgcolor=\"#BG\" background=\"back.gif\" alink=\"#ALink\" "
                                "vlink=\"#VLink\" link=\"#0000FF\">"));
    }

    void saveAsksForANameOnce() {
        act("New1")->trigger();
        TChildForm* document = window->ActiveDocument();
        document->Editor()->ReplaceSelection("<p>x</p>");
        const QString typed = folder->file("index");
        prompts->answer(std::optional<QString>(typed));
        act("Save2")->trigger();
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Save"));
        QCOMPARE(prompts->asked.last().files.defaultSuffix, QStringLiteral("html"));
        QCOMPARE(prompts->asked.last().files.filters.size(), 7);
        const QString saved = typed + ".html";
        QCOMPARE(document->Caption(), saved);
        QCOMPARE(document->Tab()->Caption(), QStringLiteral("index.html"));
        QCOMPARE(document->Tab()->width(), 90);
        QVERIFY(!document->ModifiedFlag());
        QCOMPARE(document->StatusBar()->PanelText(1), QString());
        QCOMPARE(document->StatusBar()->PanelText(3), QStringLiteral("index.html"));
        QVERIFY(!act("ToolButton3")->isEnabled());
        QVERIFY(read(saved).contains("<p>x</p>\r\n"));
        QVERIFY(read(saved).endsWith("\r\n\r\n"));
        // A second save writes without asking.
        document->Editor()->ReplaceSelection("y");
        const int asked = int(prompts->asked.size());
        act("ToolButton3")->trigger();
        QCOMPARE(prompts->asked.size(), asked);
        QVERIFY(read(saved).contains("<p>x</p>y\r\n"));
        // The dialog keeps the name it held last.
        act("New1")->trigger();
        act("Save2")->trigger();
        QCOMPARE(prompts->asked.last().files.fileName, saved);
    }

    void aFileWithoutExtensionAsksForAName() {
        const QString readme = write("README", "read me\r\n");
        window->OpenDocumentFile(readme);
        window->ActiveDocument()->Editor()->ReplaceSelection("please ");
        act("Save2")->trigger();
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Save"));
        QCOMPARE(read(readme), QByteArray("read me\r\n"));
    }

    void openTakesPicturesApart() {
        const QString a = write("a.html", "<p>a</p>\n");
        const QString b = write("b.GIF", "GIF89a");
        const QString c = write("c.jpeg", "\xFF\xD8");
        const QString d = write("d.PNG", "\x89PNG");
        const QString e = write("e.txt", "e");
        prompts->answer(QStringList{a, b, c, d, e});
        act("Open1")->trigger();
        const auto& request = prompts->asked.last().files;
        QVERIFY(request.multiple);
        QCOMPARE(request.filters.size(), 11);
        QVERIFY(request.filters.first().patterns.contains("*.png;"));
        QCOMPARE(captions(), (QStringList{a, e}));
        QCOMPARE(window->PictureList(), (QStringList{b, c, d}));
        QCOMPARE(window->LastOpenFolder(), folder->path().chopped(1));
        QCOMPARE(window->Documents().first()->Tab()->Caption(), QStringLiteral("a.html"));
        QCOMPARE(window->Documents().first()->Editor()->Text(), QStringLiteral("<p>a</p>\r\n"));
        QCOMPARE(window->DocumentCounter(), 2);

        // A file open already comes to the front, edits and all, however its
        // path is spelled; no second window can overwrite it.
        window->Documents().first()->Editor()->ReplaceSelection("edited ");
        prompts->answer(QStringList{folder->path() + "./a.html"});
        act("Open1")->trigger();
        QCOMPARE(captions(), (QStringList{a, e}));
        QCOMPARE(window->ActiveDocument(), window->Documents().first());
        QVERIFY(window->ActiveDocument()->Editor()->Text().startsWith("edited "));
        QVERIFY(QFile::link(e, folder->file("link.txt")));
        window->OpenDocumentFile(folder->file("link.txt"));
        QCOMPARE(captions(), (QStringList{a, e}));
        QCOMPARE(window->ActiveDocument(), window->Documents().last());
        QCOMPARE(window->DocumentCounter(), 2);
        // A picture handed over from the desktop is a picture too.
        QApplication::clipboard()->setText(d);
        window->HandleWindowMessage(OpenFileChannel::OpenFileMessage, d.size(), 1);
        QCOMPARE(captions(), (QStringList{a, e}));
        QCOMPARE(window->PictureList(), QStringList{d});
    }

    void aFileThatCannotBeReadStopsTheOpen() {
        const QString missing = folder->file("gone.html");
        const QString later = write("later.html", "x");
        prompts->answer(QStringList{missing, later});
        act("Open1")->trigger();
        QCOMPARE(captions(), QStringList{missing});
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Error"));
        QVERIFY(window->ActiveDocument()->Editor()->Text().isEmpty());
    }

    void styleSheetsAreHighlightedAsCss() {
        const QString sheet = write("site.css", "body { color: red; }\n");
        window->OpenDocumentFile(sheet);
        QCOMPARE(window->ActiveDocument()->Editor()->CurrentHighlighter(), Highlighter::None);
        window.reset();
        startWith("[SHigh]\r\nEnabled=1\r\n");
        window->OpenDocumentFile(sheet);
        QCOMPARE(window->ActiveDocument()->Editor()->CurrentHighlighter(), Highlighter::Css);
        window->OpenDocumentFile(write("page.html", "<p>"));
        QCOMPARE(window->ActiveDocument()->Editor()->CurrentHighlighter(), Highlighter::Html);
    }

    void saveDoesNothingWhilePreviewIsActive() {
        const QString page = write("page.html", "old\r\n");
        window->OpenDocumentFile(page);
        window->ActiveDocument()->Editor()->ReplaceSelection("new ");
        window->SetPreviewActive(true);
        act("Save2")->trigger();
        QCOMPARE(read(page), QByteArray("old\r\n"));
        window->SetPreviewActive(false);
        act("Save2")->trigger();
        QCOMPARE(read(page), QByteArray("new old\r\n"));
    }

    void aFailedSaveIsReportedAndKeepsTheChanges() {
        const QString page = write("locked.html", "old\r\n");
        window->OpenDocumentFile(page);
        TChildForm* document = window->ActiveDocument();
        document->Editor()->ReplaceSelection("new ");
        QFile::setPermissions(page, QFile::ReadOwner);
        act("Save2")->trigger();
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Error"));
        QCOMPARE(prompts->asked.last().text, "Unable to write to " + page);
        QVERIFY(document->ModifiedFlag());
        QCOMPARE(document->StatusBar()->PanelText(1), QStringLiteral("Modified"));
        QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(read(page), QByteArray("old\r\n"));
    }

    void aFailedSaveAsIsReportedToo() {
        const QString page = write("page.html", "x\r\n");
        window->OpenDocumentFile(page);
        TChildForm* document = window->ActiveDocument();
        document->Editor()->ReplaceSelection("new ");
        const QString locked = write("locked.html", "old\r\n");
        QFile::setPermissions(locked, QFile::ReadOwner);
        prompts->answer(std::optional<QString>(locked));
        act("Save1")->trigger();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Error"));
        QCOMPARE(prompts->asked.last().text, "Unable to write to " + locked);
        QVERIFY(document->ModifiedFlag());
        QCOMPARE(document->StatusBar()->PanelText(1), QStringLiteral("Modified"));
        QCOMPARE(read(locked), QByteArray("old\r\n"));
    }

    void saveAsRenamesTheTab() {
        const QString page = write("page.html", "x\r\n");
        window->OpenDocumentFile(page);
        TChildForm* document = window->ActiveDocument();
        const QString renamed = folder->file("renamed-page.htm");
        prompts->answer(std::optional<QString>(renamed));
        act("Save1")->trigger();
        QCOMPARE(prompts->asked.last().files.fileName, page);
        QCOMPARE(document->Caption(), renamed);
        QCOMPARE(document->Tab()->Caption(), QStringLiteral("renamed-page.htm"));
        QCOMPARE(document->Tab()->width(), 81); // a document that had a file keeps its tab width
        QCOMPARE(read(renamed), QByteArray("x\r\n"));

        act("New1")->trigger();
        const QString named = folder->file("fresh.html");
        prompts->answer(std::optional<QString>(named));
        act("Save1")->trigger();
        QCOMPARE(prompts->asked.last().files.fileName, QStringLiteral("Untitled2"));
        QCOMPARE(window->ActiveDocument()->Tab()->width(), 90);

        // A cancelled Save As leaves its name in the dialog for the next Save.
        act("New1")->trigger();
        act("Save1")->trigger();
        act("Save2")->trigger();
        QCOMPARE(prompts->asked.last().files.fileName, QStringLiteral("Untitled3"));
    }

    void closeAllAsksEveryModifiedDocument() {
        startWith("[Ask]\r\nToSave?=1\r\n");
        act("New1")->trigger();
        window->ActiveDocument()->Editor()->ReplaceSelection("a");
        act("New1")->trigger();
        window->ActiveDocument()->Editor()->ReplaceSelection("b");
        prompts->answerNo();
        prompts->answerYes();
        act("CloseAll1")->trigger();
        QCOMPARE(prompts->asked.size(), 2);
        QVERIFY(prompts->asked[0].text.contains("Untitled2"));
        QVERIFY(prompts->asked[1].text.contains("Untitled1"));
        QCOMPARE(captions(), QStringList{"Untitled2"});
        QCOMPARE(window->Tabs()->StripWidth(), 81);
        // Declining a document's question ends the exit before the quit question.
        prompts->answerNo();
        QVERIFY(!window->close());
        QCOMPARE(prompts->asked.size(), 3);
        act("Close1")->trigger();
        QCOMPARE(prompts->asked.size(), 4);
    }

    void forwardedEditingCommands() {
        act("New1")->trigger();
        EditorControl* editor = window->ActiveDocument()->Editor();
        editor->SetText("hello");
        editor->setFocus();
        act("SelectAll1")->trigger();
        QCOMPARE(editor->SelectedText(), QStringLiteral("hello"));
        act("Copy1")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("hello"));
        act("Cut1")->trigger();
        QCOMPARE(editor->Text(), QString());
        act("Paste1")->trigger();
        act("Paste1")->trigger();
        QCOMPARE(editor->Text(), QStringLiteral("hellohello\r\n"));
        act("Undo1")->trigger();
        QCOMPARE(editor->Text(), QStringLiteral("hello\r\n"));
        act("Redo1")->trigger();
        QCOMPARE(editor->Text(), QStringLiteral("hellohello\r\n"));
    }

    void theWindowsShortcutsWinOverTheEditors() {
        act("New1")->trigger();
        EditorControl* editor = window->ActiveDocument()->Editor();
        editor->SetText("word other");
        editor->SetCaretPosition({1, 1});
        QApplication::setActiveWindow(window.get());
        editor->setFocus();
        QVERIFY(editor->focusProxy()->hasFocus());
        // Ctrl+T belongs to the table command: no word is deleted.
        QTest::keyClick(editor->focusProxy(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(editor->Text(), QStringLiteral("word other\r\n"));
        // Ctrl+N makes a new document instead of inserting a line.
        QTest::keyClick(editor->focusProxy(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(window->Documents().size(), 2);
        QCOMPARE(editor->Text(), QStringLiteral("word other\r\n"));
        // Ctrl+W closes the active document and nothing else claims it.
        QTest::keyClick(window->ActiveDocument()->Editor()->focusProxy(), Qt::Key_W,
                        Qt::ControlModifier);
        QTRY_COMPARE(window->Documents().size(), 1);
    }

    void colourBarClicksWriteTheColour() {
        ColorBarPanel* bar = window->ColorBar();
        ColorSwatch* foreground = bar->ForegroundTarget();
        // Without a document a click does nothing.
        QTest::mouseClick(foreground, Qt::LeftButton);
        QVERIFY(prompts->asked.isEmpty());

        act("New1")->trigger();
        EditorControl* editor = window->ActiveEditor();
        editor->SetText("ab");
        editor->SetSelectionStart(2);
        QTest::mouseClick(foreground, Qt::LeftButton);
        QCOMPARE(editor->Line(0), QStringLiteral("a#000000b"));
        QCOMPARE(editor->SelectionStart(), 2);
        QVERIFY(!editor->SelectionAvailable());
        // A selection is replaced and the colour selected, so a second click
        // replaces just that colour and nothing after it.
        editor->SetSelectionStart(2);
        editor->SetSelectionEnd(5);
        bar->Picker()->SetBackgroundColor(0x000080FF);
        QCOMPARE(bar->BackgroundTarget()->Color(), 0x000080FF);
        QTest::mouseClick(bar->BackgroundTarget(), Qt::LeftButton);
        QCOMPARE(editor->Line(0), QStringLiteral("a#FF80000000b"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("#FF8000"));
        QTest::mouseClick(foreground, Qt::LeftButton);
        QCOMPARE(editor->Line(0), QStringLiteral("a#0000000000b"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("#000000"));
        editor->Undo();
        QCOMPARE(editor->Line(0), QStringLiteral("a#FF80000000b"));
    }

    void insertsFromPastTheEndOfALine() {
        act("New1")->trigger();
        EditorControl* editor = window->ActiveEditor();
        QApplication::setActiveWindow(window.get());
        editor->setFocus();
        QWidget* keys = editor->focusProxy();
        const auto pastTheEnd = [editor](const QString& text) {
            editor->SetText(text);
            editor->SetCaretPosition({20, 2});
            QCOMPARE(editor->CaretPosition().column, 20);
        };
        // The insert goes in at the line's end and the next key lands
        // right behind it, not lines further on.
        pastTheEnd("line one\r\n\r\nline three\r\nline four\r\nline five");
        prompts->answer([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("Edit2")->setText("x.html");
            dialog.findChild<QAbstractButton*>("OkButton")->click();
            return dialog.result();
        });
        QTest::keyClick(keys, Qt::Key_L, Qt::AltModifier);
        QTest::keyClicks(keys, "Z");
        QCOMPARE(editor->Line(1), QStringLiteral("<a href=\"x.html\"></a>Z"));
        QCOMPARE(editor->Line(4), QStringLiteral("line five"));

        pastTheEnd("one\r\n\r\nthree");
        QTest::keyClick(keys, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClicks(keys, "Z");
        QCOMPARE(editor->Line(1), QStringLiteral("<b>Z</b>"));

        pastTheEnd("one\r\n\r\nthree");
        QTest::mouseClick(window->ColorBar()->ForegroundTarget(), Qt::LeftButton);
        QTest::keyClicks(keys, "Z");
        QCOMPARE(editor->Line(1), QStringLiteral("Z#000000"));
        QCOMPARE(editor->Line(2), QStringLiteral("three"));
    }

    void insertCommandsReachTheirDialogs() {
        act("New1")->trigger();
        TChildForm* document = window->ActiveDocument();
        EditorControl* editor = document->Editor();
        editor->SetText("Hi");
        editor->SelectAll();
        QApplication::setActiveWindow(window.get());
        editor->setFocus();
        const auto cancel = ScriptedPrompts::DialogScript([](QDialog&) { return 0; });
        const std::pair<Qt::KeyboardModifiers, Qt::Key> keys[] = {{Qt::ControlModifier, Qt::Key_T},
                                                                  {Qt::NoModifier, Qt::Key_F4},
                                                                  {Qt::AltModifier, Qt::Key_I},
                                                                  {Qt::AltModifier, Qt::Key_L},
                                                                  {Qt::AltModifier, Qt::Key_F}};
        for (const auto& [modifiers, key] : keys) {
            prompts->answer(cancel);
            QTest::keyClick(editor->focusProxy(), key, modifiers);
        }
        for (const char* button :
             {"ToolButton50", "ToolButton51", "ToolButton27", "ToolButton30", "ToolButton32"}) {
            prompts->answer(cancel);
            act(button)->trigger();
        }
        QCOMPARE(
            prompts->askedTexts(),
            (QStringList{"Table Creator", "Text Formatting", "Insert image ...", "Add link ...",
                         "Insert Flash Movie", "Add numbers or letters to the document ...",
                         "Add bullets or circles to the document ...", "Horizontale Line",
                         "Date / Time", "Last Update Script"}));
        QCOMPARE(editor->Text(), QStringLiteral("Hi\r\n"));
        // The colour commands of the pop-up menu take the colour bar's colours.
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n[Font]\r\nType=Verdana\r\nSize2=2\r\n");
        editor->SelectAll();
        document->PopupAction("Usebackgroundcolor1")->trigger();
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<font face=\"verdana\" size=\"2\" color=\"#ffffff\">Hi</Font>"));
    }

    void gotoLineWithoutADocumentStillPrompts() {
        prompts->answer(std::optional<QString>("5"));
        act("GotoLine1")->trigger();
        QCOMPARE(prompts->asked.size(), 1);
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Input"));
    }
};

QTEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
