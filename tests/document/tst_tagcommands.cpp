#include "EditorControl.h"
#include "TagCommands.h"
#include "TfUpdScript.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

class TagCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorControl> editor;

    void apply(const char* name) {
        const TagCommand* command = FindTagCommand(QString::fromLatin1(name));
        QVERIFY2(command, name);
        ApplyTagCommand(*editor, *command);
    }
    void select(int start, int end) {
        editor->SetSelectionStart(start);
        editor->SetSelectionEnd(end);
    }

private slots:
    void init() {
        editor = std::make_unique<EditorControl>();
        editor->show();
    }
    void cleanup() { editor.reset(); }

    void wrapAndReselect() {
        editor->SetText("one two");
        editor->SetSelectionStart(5);
        apply("Bold");
        QCOMPARE(editor->Line(0), QStringLiteral("one <b></b>two"));
        QCOMPARE(editor->SelectionStart(), 8);
        QVERIFY(!editor->SelectionAvailable());

        editor->SetText("x abc y");
        select(3, 6);
        apply("Bold");
        QCOMPARE(editor->Line(0), QStringLiteral("x <b>abc</b> y"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("abc"));
        QCOMPARE(editor->CaretPosition().column, 6);
        apply("Bold");
        QCOMPARE(editor->Line(0), QStringLiteral("x <b><b>abc</b></b> y"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("abc"));
        // One undo brings back the text as it was before the command.
        editor->Undo();
        QCOMPARE(editor->Line(0), QStringLiteral("x <b>abc</b> y"));
    }

    void wrapAndReselectOverTwoLines() {
        editor->SetText("first\r\nsecond");
        select(1, 11);
        apply("Right");
        QCOMPARE(editor->Text(), QStringLiteral("<div align=\"right\">first\r\nsec</div>ond\r\n"));
        QCOMPARE(editor->SelectedText(), QStringLiteral("first\r\nsec"));
        QCOMPARE(editor->SelectionStart(), 20);
    }

    void everyCommandsText_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("result");
        QTest::newRow("italic") << "Italic"
                                << "<i>sel</i>";
        QTest::newRow("underline") << "Underline"
                                   << "<u>sel</u>";
        QTest::newRow("left") << "Left"
                              << "<div align=\"left\">sel</div>";
        QTest::newRow("center") << "center"
                                << "<center>sel</center>";
        QTest::newRow("paragraph left") << "AlignLeft1"
                                        << "<p align=\"left\">sel</p>";
        QTest::newRow("paragraph center") << "AlignCenter1"
                                          << "<p align=\"center\">sel</p>";
        QTest::newRow("paragraph right") << "AlignRight1"
                                         << "<p align=\"right\">sel</p>";
        QTest::newRow("justify") << "Justify1"
                                 << "<p style=\"text-align:justify;\">sel</p>";
        QTest::newRow("heading 1") << "HeadingStyle11"
                                   << "<h1>sel</h1>";
        QTest::newRow("heading 6") << "HeadingStyle61"
                                   << "<h6>sel</h6>";
        QTest::newRow("line break") << "ToolButton26"
                                    << "<br>";
        QTest::newRow("tags: center") << "Center2"
                                      << "<center>sel</center>";
        QTest::newRow("tags: image") << "ImageTag1"
                                     << "<img></img>";
        QTest::newRow("tags: line break") << "Insertalinebreak1"
                                          << "<br>";
        QTest::newRow("tags: rule") << "Insertahorizontaleline1"
                                    << "<hr>";
        QTest::newRow("tags: comment") << "Commenttext1"
                                       << "<!-- sel -->";
    }
    void everyCommandsText() {
        QFETCH(QString, command);
        QFETCH(QString, result);
        editor->SetText("sel");
        editor->SelectAll();
        apply(command.toLatin1().constData());
        QCOMPARE(editor->Line(0), result);
    }

    void wrapLeavesTheCaretAfter() {
        editor->SetText("Title here");
        select(1, 6);
        apply("HeadingStyle21");
        QCOMPARE(editor->Line(0), QStringLiteral("<h2>Title</h2> here"));
        QVERIFY(!editor->SelectionAvailable());
        QCOMPARE(editor->SelectionStart(), 15);
    }

    void commentWithoutSelection() {
        editor->SetText("");
        apply("Commenttext1");
        QCOMPARE(editor->Line(0), QStringLiteral("<!--  -->"));
        QCOMPARE(editor->CaretPosition().column, 6);
    }

    void alertBox() {
        ScriptedPrompts prompts;
        editor->SetText("");
        prompts.answer(std::optional<QString>("Hello \"you\""));
        RunAlertBoxCommand(editor.get());
        QCOMPARE(editor->Text(),
                 QStringLiteral("<script language=\"javascript\">\r\n"
                                "  alert(\"Hello \"you\"\");\r\n</script>\r\n\r\n"));
        QCOMPARE(editor->CaretPosition(), (TextPosition{1, 4}));
        QCOMPARE(prompts.asked.last().caption, QStringLiteral("Insert Alert Box"));
        QCOMPARE(prompts.asked.last().text, QStringLiteral("Enter alert message"));
        // Cancelled, or no document: nothing is inserted, but the question is asked.
        prompts.answer(std::optional<QString>());
        RunAlertBoxCommand(editor.get());
        prompts.answer(std::optional<QString>("x"));
        RunAlertBoxCommand(nullptr);
        QCOMPARE(prompts.asked.size(), 3);
        QCOMPARE(editor->LineCount(), 4);
    }

    void lastUpdatedScript() {
        const LastUpdatedChoice all{LastUpdatedSentence("Eng"), true, true, true};
        const QStringList english = LastUpdatedScript(all, "Eng");
        QCOMPARE(english.size(), 10);
        QCOMPARE(english[0], QStringLiteral("<script language=\"JavaScript\">"));
        QCOMPARE(english[3],
                 QStringLiteral("  var showAs=modiDate.getDate()+\"/\" + (modiDate.getMonth()+1)"));
        QCOMPARE(english[6], QString());
        QCOMPARE(english[7],
                 QStringLiteral("  document.write (\"<b><i><u>This page is last updated on \");"));
        QCOMPARE(english[8],
                 QStringLiteral("  document.write (lastModified() + \".</b></i></u>\");"));
        QCOMPARE(english[9], QStringLiteral("</script>"));

        const QStringList dutch = LastUpdatedScript({QString(), false, true, false}, "NL");
        QCOMPARE(
            dutch[7],
            QStringLiteral("  document.write (\"<i>Deze pagina is het laatst bijgewerkt op \");"));
        QCOMPARE(dutch[8], QStringLiteral("  document.write (lastModified() + \".</i>\");"));
        // Another language value leaves the sentence out.
        QCOMPARE(LastUpdatedScript({"x", false, false, false}, "FR").size(), 9);

        QCOMPARE(LastUpdatedSentence("Eng"), QStringLiteral("This page is last updated on"));
        QCOMPARE(LastUpdatedSentence("NL"),
                 QStringLiteral("Deze pagina is het laatst bijgewerkt op"));
        QCOMPARE(LastUpdatedSentence(""), QStringLiteral("This page is last updated on "));
    }

    void lastUpdatedDialog() {
        ScriptedPrompts prompts;
        editor->SetText("");
        prompts.answer(ScriptedPrompts::DialogScript([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("Edit1")->setText("Updated");
            dialog.findChild<QCheckBox*>("CheckBox1")->setChecked(true);
            return int(QDialog::Accepted);
        }));
        RunLastUpdatedCommand(editor.get(), "Eng");
        QCOMPARE(prompts.asked.last().caption, QStringLiteral("Last Update Script"));
        QCOMPARE(editor->Line(7), QStringLiteral("  document.write (\"<b>Updated \");"));
        QCOMPARE(editor->LineCount(), 11);
        prompts.answer(
            ScriptedPrompts::DialogScript([](QDialog&) { return int(QDialog::Rejected); }));
        RunLastUpdatedCommand(editor.get(), "Eng");
        QCOMPARE(editor->LineCount(), 11);
    }
};

QTEST_MAIN(TagCommandsTest)
#include "tst_tagcommands.moc"
