#include "EditorControl.h"
#include "EditorKeys.h"
#include "HighlightStyles.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class EditorControlTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorControl> editor;

    // The widget that receives the keys.
    QWidget* keys() const { return editor->focusProxy(); }

private slots:
    void init() {
        editor = std::make_unique<EditorControl>();
        editor->resize(600, 400);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        editor->setFocus();
    }
    void cleanup() { editor.reset(); }

    void linesAndWholeText() {
        QCOMPARE(editor->LineCount(), 0);
        QCOMPARE(editor->Text(), QString());
        editor->SetText("abc\ndef\r\nghi\r\n");
        QCOMPARE(editor->LineCount(), 3);
        QCOMPARE(editor->Line(1), QStringLiteral("def"));
        QCOMPARE(editor->Text(), QStringLiteral("abc\r\ndef\r\nghi\r\n"));
        editor->AddLine("jkl");
        QCOMPARE(editor->Line(3), QStringLiteral("jkl"));
        editor->SetText("one\r\n\r\n");
        QCOMPARE(editor->LineCount(), 2);
        QCOMPARE(editor->Line(1), QString());
        editor->Clear();
        QCOMPARE(editor->LineCount(), 0);
    }

    void settingTheTextIsNoEditAndNoUndoStep() {
        QSignalSpy changed(editor.get(), &EditorControl::changed);
        QSignalSpy status(editor.get(), &EditorControl::statusChanged);
        editor->ReplaceSelection("typed");
        QCOMPARE(changed.size(), 1);
        editor->SetText("first\r\nsecond");
        QCOMPARE(changed.size(), 1);
        QVERIFY(!editor->CanUndo());
        QVERIFY(status.last().constFirst().value<StatusChanges>() & StatusChange::All);
        QCOMPARE(editor->CaretPosition(), (TextPosition{1, 1}));
        editor->Undo();
        QCOMPARE(editor->Text(), QStringLiteral("first\r\nsecond\r\n"));
    }

    void linearPositionsCountLineBreaksAsTwo() {
        editor->SetText("abc\r\ndef\r\nca\u00E9f\u00E9");
        editor->SetSelectionStart(6);
        QCOMPARE(editor->CaretPosition(), (TextPosition{1, 2}));
        QCOMPARE(editor->SelectionStart(), 6);
        QCOMPARE(editor->SelectionEnd(), 6);
        // Non-ASCII characters count once.
        editor->SetSelectionStart(13);
        editor->SetSelectionEnd(15);
        QCOMPARE(editor->SelectedText(), QStringLiteral("\u00E9f"));
        QCOMPARE(editor->CaretPosition(), (TextPosition{3, 3}));
        QCOMPARE(editor->SelectionStart(), 13);
        QCOMPARE(editor->SelectionEnd(), 15);
        QCOMPARE(editor->BlockBegin(), (TextPosition{3, 3}));
        QCOMPARE(editor->BlockEnd(), (TextPosition{5, 3}));
        // A selection over a line break holds CR LF.
        editor->SetSelectionStart(3);
        editor->SetSelectionEnd(8);
        QCOMPARE(editor->SelectedText(), QStringLiteral("c\r\nde"));
        QVERIFY(editor->SelectionAvailable());
        // Past the end: the end of the text.
        editor->SetSelectionStart(1000);
        QCOMPARE(editor->CaretPosition(), (TextPosition{6, 3}));
    }

    void replaceSelectionIsOneUndoStep() {
        editor->SetText("one two three");
        editor->SetSelectionStart(5);
        editor->SetSelectionEnd(8);
        QSignalSpy changed(editor.get(), &EditorControl::changed);
        editor->ReplaceSelection("<b>two</b>\r\nnext");
        QVERIFY(changed.size() >= 1);
        QCOMPARE(editor->Text(), QStringLiteral("one <b>two</b>\r\nnext three\r\n"));
        QVERIFY(!editor->SelectionAvailable());
        QCOMPARE(editor->CaretPosition(), (TextPosition{5, 2}));
        editor->Undo();
        QCOMPARE(editor->Text(), QStringLiteral("one two three\r\n"));
        editor->Redo();
        QCOMPARE(editor->Line(1), QStringLiteral("next three"));
    }

    void caretLine() {
        editor->SetText("a long line\r\nab\r\nanother long line");
        editor->SetCaretPosition({8, 1});
        editor->SetCaretLine(3);
        QCOMPARE(editor->CaretPosition(), (TextPosition{8, 3}));
        editor->SetCaretLine(2);
        QCOMPARE(editor->CaretPosition(), (TextPosition{3, 2}));
        editor->SetCaretLine(99);
        QCOMPARE(editor->CaretPosition().line, 3);
        editor->SetCaretLine(-4);
        QCOMPARE(editor->CaretPosition().line, 1);
        // The caret may stand past the end of a line.
        editor->SetCaretPosition({20, 2});
        QCOMPARE(editor->CaretPosition(), (TextPosition{20, 2}));
    }

    void characterCountTrimsBothEnds() {
        editor->SetText("ab\r\nc");
        QCOMPARE(editor->TrimmedCharacterCount(), qsizetype(5));
        editor->SetText("  \t\r\n x\u00E9 \r\n\r\n");
        QCOMPARE(editor->TrimmedCharacterCount(), qsizetype(2));
        editor->SetText("   ");
        QCOMPARE(editor->TrimmedCharacterCount(), qsizetype(0));
    }

    void theBindingTable() {
        QCOMPARE(EditorKeyBindings().size(), size_t(81));
        QCOMPARE(CommandForKey(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z),
                 std::optional(EditorCommand::Redo));
        QCOMPARE(CommandForKey(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Enter),
                 std::nullopt);
        QCOMPARE(CommandForKey(Qt::KeypadModifier | Qt::Key_Enter),
                 std::optional(EditorCommand::LineBreak));
        QCOMPARE(CommandForKey(Qt::ShiftModifier | Qt::Key_Tab),
                 std::optional(EditorCommand::ShiftTab));
        QCOMPARE(CommandForKey(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Exclam),
                 std::optional(EditorCommand::SetMarker1));
        QCOMPARE(CommandForKey(Qt::AltModifier | Qt::Key_Backspace), std::nullopt);
    }

    void typingAndBindings() {
        editor->SetText("");
        QTest::keyClicks(keys(), "ab");
        QTest::keyClick(keys(), 'Z', Qt::ShiftModifier);
        QCOMPARE(editor->Text(), QStringLiteral("abZ\r\n"));
        QTest::keyClick(keys(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->Text(), QString());
        QTest::keyClick(keys(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor->Text(), QStringLiteral("abZ\r\n"));
        QTest::keyClick(keys(), Qt::Key_Return);
        QTest::keyClicks(keys(), "second");
        QTest::keyClick(keys(), Qt::Key_Home);
        QTest::keyClick(keys(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor->Text(), QStringLiteral("abZ\r\n"));
        // Tab stays in the editor and inserts blanks up to the next stop.
        QTest::keyClick(keys(), Qt::Key_Home);
        QTest::keyClick(keys(), Qt::Key_Tab);
        QVERIFY(keys()->hasFocus());
        QCOMPARE(editor->Line(0).left(8), QStringLiteral("        "));
        QVERIFY(editor->InsertMode());
        QTest::keyClick(keys(), Qt::Key_Insert);
        QVERIFY(!editor->InsertMode());
    }

    void keysOfTheWindowAreNotTheEditors() {
        editor->SetText("word other");
        editor->SetCaretPosition({1, 1});
        QList<QKeyCombination> offered;
        editor->SetKeyClaimedElsewhere([&](QKeyCombination keys) {
            offered << keys;
            return keys == QKeyCombination(Qt::ControlModifier, Qt::Key_T);
        });
        QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_T, Qt::ControlModifier);
        QApplication::sendEvent(keys(), &shortcut);
        QVERIFY(!shortcut.isAccepted());
        QKeyEvent own(QEvent::ShortcutOverride, Qt::Key_Y, Qt::ControlModifier);
        QApplication::sendEvent(keys(), &own);
        QVERIFY(own.isAccepted());
        QKeyEvent function(QEvent::ShortcutOverride, Qt::Key_F9, Qt::NoModifier);
        QApplication::sendEvent(keys(), &function);
        QVERIFY(!function.isAccepted());
        QCOMPARE(editor->Text(), QStringLiteral("word other\r\n"));
    }

    void bookmarksAndSelectionModes() {
        editor->SetText("one\r\ntwo\r\nthree");
        editor->SetCaretPosition({2, 3});
        QTest::keyClick(keys(), Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor->BookmarkLine(2), 3);
        editor->SetCaretPosition({1, 1});
        QTest::keyClick(keys(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(editor->CaretPosition().line, 3);
        QTest::keyClick(keys(), Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor->BookmarkLine(2), 0);
    }

    // Each mode command changes how Shift+moves select; plain moves only move.
    void selectionModes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("selected");
        QTest::newRow("normal") << int(Qt::Key_N) << int(SelectionMode::Normal) << "o\r\nthr";
        QTest::newRow("column") << int(Qt::Key_C) << int(SelectionMode::Column) << "o\r\nr\r\n";
        QTest::newRow("line") << int(Qt::Key_L) << int(SelectionMode::Line) << "two\r\nthree";
    }
    void selectionModes() {
        QFETCH(int, key);
        QFETCH(int, mode);
        QFETCH(QString, selected);
        const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        // From another mode, and again from the same one.
        QTest::keyClick(keys(), key == Qt::Key_N ? Qt::Key_C : Qt::Key_N, ctrlShift);
        for (int round = 0; round < 2; ++round) {
            editor->SetText("one\r\ntwo\r\nthree");
            editor->SetCaretPosition({2, 1});
            QTest::keyClick(keys(), Qt::Key(key), ctrlShift);
            QCOMPARE(int(editor->CurrentSelectionMode()), mode);
            QTest::keyClick(keys(), Qt::Key_Down);
            QTest::keyClick(keys(), Qt::Key_Right);
            QCOMPARE(editor->CaretPosition(), (TextPosition{3, 2}));
            QVERIFY(!editor->SelectionAvailable());
            // Down past the anchor and back up over it, then right.
            QTest::keyClick(keys(), Qt::Key_Up, Qt::ShiftModifier);
            QTest::keyClick(keys(), Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(keys(), Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(keys(), Qt::Key_Right, Qt::ShiftModifier);
            QCOMPARE(editor->SelectedText(), selected);
            QTest::keyClick(keys(), Qt::Key_Left);
            QVERIFY(!editor->SelectionAvailable());
            QTest::keyClick(keys(), Qt::Key_X);
            QCOMPARE(editor->Text().remove(QLatin1Char('x')),
                     QStringLiteral("one\r\ntwo\r\nthree\r\n"));
        }
    }

    void lineBreakOptions() {
        editor->SetText("");
        editor->SetOption(EditorOption::AutoIndent, true);
        QTest::keyClicks(keys(), "    <li>  ");
        QTest::keyClick(keys(), Qt::Key_Return);
        QTest::keyClicks(keys(), "x");
        QCOMPARE(editor->Text(), QStringLiteral("    <li>\r\n    x\r\n"));
        editor->SetOption(EditorOption::AutoIndent, false);
        QTest::keyClick(keys(), Qt::Key_Return);
        QTest::keyClicks(keys(), "y");
        QCOMPARE(editor->Line(2), QStringLiteral("y"));
        editor->Undo();
        editor->Undo();
        QCOMPARE(editor->Text(), QStringLiteral("    <li>\r\n    x\r\n"));
    }

    void highlighting() {
        editor->SetHighlighter(Highlighter::Html);
        editor->SetText("<STYLE>\r\nbody { color: red; }\r\n</STYLE>\r\n"
                        "<script type=\"text/javascript\">var x;</script>");
        QCOMPARE(editor->StyleAt({2, 1}), int(HighlightStyle::MarkerCssStyle));
        QCOMPARE(editor->StyleAt({8, 2}), int(HighlightStyle::CssKey));
        QCOMPARE(editor->StyleAt({3, 3}), int(HighlightStyle::MarkerCssStyle));
        QCOMPARE(editor->StyleAt({2, 4}), int(HighlightStyle::HtmlTagName));
        QCOMPARE(editor->StyleAt({33, 4}), int(HighlightStyle::HtmlText));
        editor->SetHighlighter(Highlighter::Css);
        QCOMPARE(editor->StyleAt({1, 2}), int(HighlightStyle::CssIdentifier));
        editor->SetHighlighter(Highlighter::None);
        QCOMPARE(editor->StyleAt({1, 2}), 0);
    }

    void filesRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("caf\xE9\0x\nend", 10));
        file.close();
        editor->LoadFromFile(path);
        QCOMPARE(editor->LineCount(), 2);
        QCOMPARE(editor->Encoding(), TextEncoding::Windows1252);
        editor->SaveToFile(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("caf\xE9\0x\r\nend\r\n", 13));
        file.close();

        // A character the code page lacks: a reference in HTML, UTF-8 elsewhere.
        const auto saved = [&](const QString& name) {
            editor->SetEncoding(TextEncoding::Windows1252);
            editor->SetText(QStringLiteral("caf\u00E9 \u2192"));
            editor->SaveToFile(dir.filePath(name));
            QFile written(dir.filePath(name));
            return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
        };
        QCOMPARE(saved("page.PHP"), QByteArray("caf\xE9 &#8594;\r\n"));
        QCOMPARE(editor->Encoding(), TextEncoding::Windows1252);
        QCOMPARE(saved("style.css"), QByteArray("caf\xC3\xA9 \xE2\x86\x92\r\n"));
        QCOMPARE(editor->Encoding(), TextEncoding::Utf8);
        editor->SetText(QStringLiteral("caf\u00E9"));
        editor->SaveToFile(dir.filePath("style.css"));
        QCOMPARE(QFile(dir.filePath("style.css")).size(), 7);
    }

    void clipboardCommands() {
        editor->SetText("copy me");
        editor->SelectAll();
        editor->Copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("copy me"));
        editor->SetCaretPosition({8, 1});
        editor->Paste();
        QCOMPARE(editor->Text(), QStringLiteral("copy mecopy me\r\n"));
    }
};

QTEST_MAIN(EditorControlTest)
#include "tst_editorcontrol.moc"
