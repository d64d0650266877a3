#include "DocumentHost.h"
#include "DocumentTabs.h"
#include "EditorControl.h"
#include "SettingsStore.h"
#include "StatusPanels.h"
#include "TChildForm.h"
#include "support/ScriptedPrompts.h"
#include "support/TemporarySettings.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

// The main window as a document window sees it, with what it was asked.
class FakeHost : public DocumentHost {
public:
    QString pending = QStringLiteral("Untitled1");
    TabStrip strip;
    int heightRuleRuns = 0;
    int previews = 0;
    bool saveButton = false;
    QString PendingTabCaption() const override { return pending; }
    TabStrip* Tabs() const override { return const_cast<TabStrip*>(&strip); }
    void ApplyTabsBarHeightRule() override { ++heightRuleRuns; }
    void SetSaveButtonEnabled(bool enabled) override { saveButton = enabled; }
    bool PreviewActive() const override { return false; }
    void CloseActivePreview() override {}
    void HideImageBrowser() override {}
    void RunPreview() override { ++previews; }
    QString ConfigFolder() const override { return {}; }
    QAction* HostAction(const QString&) const override { return nullptr; }
    bool ClaimsKey(QKeyCombination) const override { return false; }
};

class ChildFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<QMdiArea> area;

    void writeSettings(const QByteArray& text) { settings->write(text); }
    TChildForm* open(const QString& caption) {
        auto* form = new TChildForm(*host);
        QMdiSubWindow* sub = area->addSubWindow(form);
        form->SetCaption(caption);
        host->pending = CaptionFileName(caption);
        form->CreateTab();
        sub->showMaximized();
        area->setActiveSubWindow(sub);
        return form;
    }

private slots:
    void init() {
        settings = std::make_unique<TemporarySettings>();
        prompts = std::make_unique<ScriptedPrompts>();
        host = std::make_unique<FakeHost>();
        area = std::make_unique<QMdiArea>();
        area->resize(800, 600);
        area->show();
    }
    void cleanup() {
        area.reset();
        host.reset();
        prompts.reset();
        settings.reset();
    }

    void aNewWindowAndItsTab() {
        TChildForm* first = open("Untitled1");
        QCOMPARE(first->StatusBar()->PanelText(2), QStringLiteral("Insert"));
        QCOMPARE(first->StatusBar()->PanelText(1), QString());
        QVERIFY(!first->ModifiedFlag());
        QVERIFY(first->Tab()->IsPressed());
        QCOMPARE(first->Tab()->width(), 81);
        QCOMPARE(first->Tab()->height(), 20);
        TChildForm* second = open("/site/index.html");
        QCOMPARE(second->Tab()->Caption(), QStringLiteral("index.html"));
        QCOMPARE(second->Tab()->width(), 90);
        QVERIFY(second->Tab()->IsPressed());
        QVERIFY(!first->Tab()->IsPressed());
        QCOMPARE(host->strip.StripWidth(), 171);
        QCOMPARE(second->Tab()->x(), 81);
        // Activating the first presses its tab again.
        first->ActivateDocument();
        QVERIFY(first->Tab()->IsPressed());
        QVERIFY(!second->Tab()->IsPressed());
        QCOMPARE(area->activeSubWindow()->widget(), first);
    }

    void editsMarkTheDocument() {
        TChildForm* first = open("Untitled1");
        TChildForm* second = open("Untitled2");
        host->saveButton = false;
        first->Editor()->ReplaceSelection("x");
        QVERIFY(first->ModifiedFlag());
        QCOMPARE(first->StatusBar()->PanelText(1), QStringLiteral("Modified"));
        QVERIFY(host->saveButton);
        // Edited while its tab is up: navy; the pressed tab stays black.
        QCOMPARE(first->Tab()->FontColor(), QColor(0, 0, 128));
        second->Editor()->ReplaceSelection("y");
        QCOMPARE(second->Tab()->FontColor(), QColor(Qt::black));
        first->ActivateDocument();
        QCOMPARE(first->Tab()->FontColor(), QColor(Qt::black));
    }

    void statusPanels() {
        TChildForm* form = open("Untitled1");
        form->Editor()->SetText("ab\r\nc");
        const QString position = form->StatusBar()->PanelText(0);
        QCOMPARE(position, QStringLiteral("Ln:     1, Col:  1"));
        QCOMPARE(position.size(), 18);
        QCOMPARE(form->StatusBar()->PanelWidth(0), 108);
        QCOMPARE(form->StatusBar()->PanelText(3), QStringLiteral("Lines : 2, Caracters : 5"));
        form->Editor()->SetCaretPosition({2, 2});
        QCOMPARE(form->StatusBar()->PanelText(0), QStringLiteral("Ln:     2, Col:  2"));
        form->RefreshFileNamePanel();
        QCOMPARE(form->StatusBar()->PanelText(3), QStringLiteral("Untitled1"));
        QTest::keyClick(form->Editor()->focusProxy(), Qt::Key_Insert);
        QCOMPARE(form->StatusBar()->PanelText(2), QStringLiteral("Overwrite"));
        QTest::keyClick(form->Editor()->focusProxy(), Qt::Key_Insert);
        QCOMPARE(form->StatusBar()->PanelText(2), QStringLiteral("Insert"));
        QTest::keyClick(form->Editor()->focusProxy(), Qt::Key_F9);
        QCOMPARE(host->previews, 1);
    }

    void creationSettings() {
        writeSettings("[Gutter]\r\nVis=0\r\nWidth=7\r\n[LN]\r\nEnabled=0\r\n[Font]\r\n"
                      "Style=DejaVu Sans Mono\r\nSize=14\r\nColor=255\r\n[BlockIndent]\r\n"
                      "Width=4\r\n[Margin]\r\nEnabled=0\r\nRight=72\r\n[SHigh]\r\nEnabled=1\r\n"
                      "[Autoindent]\r\nEnabled=1\r\n[EditWindow]\r\nBGCol=16776960\r\n");
        TChildForm* form = open("Untitled1");
        EditorControl* editor = form->Editor();
        QVERIFY(!editor->GutterVisible());
        QVERIFY(!editor->LineNumbers());
        QCOMPARE(editor->GutterLeftOffset(), 7);
        QCOMPARE(editor->FontName(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(editor->FontSize(), 14);
        QCOMPARE(editor->FontColor(), QColor(255, 0, 0));
        QCOMPARE(editor->BackgroundColor(), QColor(0, 255, 255));
        QCOMPARE(editor->TabWidth(), 4);
        QCOMPARE(editor->RightEdgeColor(), QColor(Qt::white));
        QCOMPARE(editor->RightEdge(), 72);
        QCOMPARE(editor->CurrentHighlighter(), Highlighter::Html);
        QVERIFY(editor->Option(EditorOption::AutoIndent));
        QVERIFY(!editor->Option(EditorOption::ShowScrollHint));

        writeSettings("");
        TChildForm* plain = open("Untitled2");
        QVERIFY(plain->Editor()->GutterVisible());
        QVERIFY(plain->Editor()->LineNumbers());
        QCOMPARE(plain->Editor()->RightEdgeColor(), QColor(192, 192, 192));
        QCOMPARE(plain->Editor()->CurrentHighlighter(), Highlighter::None);
        QCOMPARE(plain->Editor()->FontSize(), 10);
        QVERIFY(!plain->Editor()->Option(EditorOption::AutoIndent));
    }

    void closeQuestion() {
        TChildForm* form = open("/site/page.html");
        form->Editor()->ReplaceSelection("edit");
        // A stored 0 closes a modified document without a question.
        writeSettings("[Ask]\r\nToSave?=0\r\n");
        QVERIFY(form->CloseQuery());
        QVERIFY(prompts->asked.isEmpty());
        // Without the setting (a fresh installation) the question comes.
        writeSettings("");
        prompts->answerNo();
        QVERIFY(!form->CloseQuery());
        QCOMPARE(
            prompts->asked.last().text,
            QStringLiteral("Do you wish to close the file \" page.html \"  without saving it  ?"));
        prompts->answerYes();
        QVERIFY(form->CloseQuery());
        form->SetModifiedFlag(false);
        const int asked = int(prompts->asked.size());
        QVERIFY(form->CloseQuery());
        QCOMPARE(prompts->asked.size(), asked);
    }

    void closingRemovesTheTab() {
        TChildForm* first = open("Untitled1");
        open("/a/index.html");
        const int runs = host->heightRuleRuns;
        QVERIFY(area->subWindowList().constFirst()->close());
        QCOMPARE(host->strip.StripWidth(), 90);
        QCOMPARE(host->strip.Tabs().size(), 1);
        QCOMPARE(host->strip.Tabs().constFirst()->x(), 0);
        QCOMPARE(host->heightRuleRuns, runs + 1);
        Q_UNUSED(first);
    }

    void gotoLine() {
        TChildForm* form = open("Untitled1");
        QString text;
        for (int i = 1; i <= 10; ++i)
            text += QStringLiteral("line %1\r\n").arg(i);
        form->Editor()->SetText(text);
        prompts->answer(std::optional<QString>("abc"));
        form->GotoLine();
        QCOMPARE(prompts->asked.last().text, QStringLiteral("Please only fill in numbers !"));
        QCOMPARE(prompts->asked.constFirst().caption, QStringLiteral("Goto line ... "));
        QCOMPARE(prompts->asked.constFirst().text, QStringLiteral("Enter line number"));
        prompts->answer(std::optional<QString>("50"));
        form->GotoLine();
        QCOMPARE(prompts->asked.last().text,
                 QStringLiteral("Your document does not have (50) line(s) !"));
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Error"));
        prompts->answer(std::optional<QString>("10"));
        form->GotoLine();
        QCOMPARE(form->Editor()->CaretPosition().line, 10);
        prompts->answer(std::optional<QString>("-3"));
        form->GotoLine();
        QCOMPARE(form->Editor()->CaretPosition().line, 1);
        prompts->answer(std::optional<QString>(std::nullopt));
        form->GotoLine();
        QCOMPARE(form->Editor()->CaretPosition().line, 1);
        QCOMPARE(prompts->unanswered, 0);
    }

    void lowercase() {
        TChildForm* form = open("Untitled1");
        form->Editor()->SetText("<HTML><Body>\u00C4RGER</Body>");
        form->Editor()->SetCaretPosition({5, 1});
        prompts->answerNo();
        form->SetDocumentInLowercase();
        QCOMPARE(form->Editor()->Line(0), QStringLiteral("<HTML><Body>\u00C4RGER</Body>"));
        prompts->answerYes();
        form->SetDocumentInLowercase();
        QCOMPARE(prompts->asked.last().text.section("\n\r", 1),
                 QStringLiteral("Do you wish to continue ?"));
        QCOMPARE(form->Editor()->Line(0), QStringLiteral("<html><body>\u00C4rger</body>"));
        QCOMPARE(form->Editor()->CaretPosition(), (TextPosition{1, 1}));
        QVERIFY(!form->Editor()->CanUndo());
        QVERIFY(!form->ModifiedFlag());
        QCOMPARE(form->StatusBar()->PanelText(1), QString());
    }

    void wordWrapBreaksLongLines() {
        TChildForm* form = open("Untitled1");
        const QString words = QStringLiteral("lorem ipsum dolor sit amet ").repeated(20).trimmed();
        form->Editor()->SetText(words + "\r\n\r\nshort");
        QCOMPARE(form->WrapFontFamily(), QStringLiteral("Verdana"));
        form->WordWrap();
        EditorControl* editor = form->Editor();
        QVERIFY(editor->LineCount() > 4);
        QString joined;
        for (int i = 0; i < editor->LineCount() - 2; ++i)
            joined += editor->Line(i);
        QCOMPARE(joined.simplified(), words);
        // A real empty last line is the document's own and stays, however often.
        form->Editor()->SetText("a\r\n\r\n");
        form->WordWrap();
        form->WordWrap();
        QCOMPARE(form->Editor()->Text(), QStringLiteral("a\r\n\r\n"));
        form->Editor()->SetText(words + "\r\n\r\nshort");
        form->WordWrap();
        QCOMPARE(editor->Line(editor->LineCount() - 1), QStringLiteral("short"));
        QCOMPARE(editor->Line(editor->LineCount() - 2), QString());
        QVERIFY(!editor->CanUndo());
        QVERIFY(!form->ModifiedFlag());
        // After the first edit the layout follows the editor's font.
        editor->ReplaceSelection("x");
        QCOMPARE(form->WrapFontFamily(), editor->FontName());
    }

    void popupMenu() {
        TChildForm* form = open("Untitled1");
        QStringList captions;
        for (QAction* action : form->PopupMenu()->actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(captions, (QStringList{"Goto Line ...", "Tags ( Bold, Italic, Center etc ... )",
                                        "Objects ( Image, Url, Flash ... )", "Color Selected Text",
                                        "TextFormatting", "Set document in lowercase"}));
        QStringList tags;
        for (QAction* action : form->findChild<QMenu*>("Tags1")->actions())
            tags << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(tags, (QStringList{"Bold", "Italic", "Underline", "-", "Left", "Center", "Right",
                                    "-", "Image Tag", "-", "Insert a line break",
                                    "Insert a horizontale line", "-", "Comment text"}));
        QCOMPARE(form->PopupAction("Insertalinebreak1")->shortcut(), QKeySequence("Alt+B"));
        QCOMPARE(form->PopupAction("TextFormatting1")->shortcut(), QKeySequence("F4"));
        QCOMPARE(form->PopupAction("InsertanURLorMailto1")->shortcut(), QKeySequence("Alt+L"));
    }

    // Typed start tags are closed as the settings say when the window opens.
    void closingTagsFollowTheSetting() {
        writeSettings("[CloseTags]\r\nEnabled=0\r\n");
        TChildForm* off = open("Untitled1");
        writeSettings("");
        TChildForm* on = open("Untitled2");
        for (TChildForm* form : {off, on})
            QTest::keyClicks(form->Editor()->focusProxy(), "<p>");
        QCOMPARE(off->Editor()->Text(), QStringLiteral("<p>\r\n"));
        QCOMPARE(on->Editor()->Text(), QStringLiteral("<p></p>\r\n"));
    }

    // Colour swatches as the settings say when the window opens; a style
    // sheet is CSS throughout, a page only in its CSS places.
    void colorSwatchesFollowTheSettingAndTheCaption() {
        writeSettings("[ColorSwatches]\r\nEnabled=0\r\n");
        TChildForm* off = open(QStringLiteral("/srv/off.css"));
        writeSettings("");
        TChildForm* sheet = open(QStringLiteral("/srv/site.CSS"));
        TChildForm* page = open(QStringLiteral("/srv/index.html"));
        for (TChildForm* form : {off, sheet, page})
            form->Editor()->SetText(QStringLiteral("a { color: red } <p style='color: blue'>"));
        const auto colors = [](TChildForm* form) {
            QList<QColor> shown;
            for (const auto& [at, color] : form->Editor()->SwatchesShown())
                shown << color;
            return shown;
        };
        QTRY_COMPARE(colors(sheet), QList<QColor>{Qt::red});
        QTRY_COMPARE(colors(page), QList<QColor>{Qt::blue});
        QVERIFY(colors(off).isEmpty());
    }

    // The Tags entries act on the window whose menu holds them, from the menu
    // and by their Alt keys typed into the editor.
    void popupTags() {
        TChildForm* form = open("Untitled1");
        TChildForm* other = open("Untitled2");
        EditorControl* editor = form->Editor();
        editor->SetText("abc");
        editor->SelectAll();
        QHash<QString, QAction*> tags;
        for (QAction* action : form->PopupMenu()->findChild<QMenu*>("Tags1")->actions())
            tags.insert(action->objectName(), action);
        for (const char* name : {"Bold2", "Italic2", "Underline2", "Left2", "Center2", "Right2"}) {
            QAction* entry = tags.value(name);
            QVERIFY2(entry && entry->isEnabled(), name);
            entry->trigger();
            QCOMPARE(editor->SelectedText(), QStringLiteral("abc"));
        }
        QCOMPARE(editor->Line(0), QStringLiteral("<b><i><u><div align=\"left\"><center><div "
                                                 "align=\"right\">abc</div></center></div></u></"
                                                 "i></b>"));
        QCOMPARE(other->Editor()->Text(), QString());

        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(form->parentWidget()));
        editor->setFocus();
        QWidget* keys = editor->focusProxy();
        QVERIFY(QTest::qWaitForWindowActive(area.get()));
        editor->SetText("abc");
        editor->SelectAll();
        QTest::keyClick(keys, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(editor->Line(0), QStringLiteral("<!-- abc -->"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("abc"));
        editor->SetText("");
        QTest::keyClick(keys, Qt::Key_H, Qt::AltModifier);
        QTest::keyClick(keys, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(keys, Qt::Key_B, Qt::AltModifier);
        QCOMPARE(editor->Text(), QStringLiteral("<hr><img></img><br>\r\n"));
    }
};

QTEST_MAIN(ChildFormTest)
#include "tst_childform.moc"
