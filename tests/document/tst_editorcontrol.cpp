#include "EditorBehaviour.h"
#include "EditorControl.h"
#include "EditorKeys.h"
#include "HighlightStyles.h"
#include "StyleRuns.h"
#include "support/ShownEditor.h"

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
        editor = ShownEditor();
        QVERIFY(editor);
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

    // Long lines are counted from their nearer end; both ends must agree.
    void positionsInLongMixedLines() {
        const QString line =
            QString(300, QChar(0xE9)) + QString(77, 'x') + QString(200, QChar(0x2192));
        editor->SetText("ab\r\n" + line + "\r\n" + line);
        for (int column : {1, 2, 150, 299, 300, 301, 302, 377, 378, 379, 500, 577, 578}) {
            editor->SetCaretPosition({column, 3});
            QCOMPARE(editor->CaretPosition(), (TextPosition{column, 3}));
            QCOMPARE(editor->SelectionStart(), 4 + 579 + column);
            editor->SetSelectionStart(4 + 579 + column);
            QCOMPARE(editor->CaretPosition(), (TextPosition{column, 3}));
            QCOMPARE(editor->SelectedText(), QString());
            editor->SetSelectionEnd(4 + 579 + 578);
            QCOMPARE(editor->SelectedText(), line.mid(column - 1));
        }
        QCOMPARE(editor->TrimmedCharacterCount(), qsizetype(4 + 579 + 577));
        editor->SetCaretLine(1);
        QCOMPARE(editor->CaretPosition(), (TextPosition{3, 1}));
    }

    // An ASCII text counts characters by bytes until an edit brings in others,
    // wherever it lands among the edits made since positions were last asked.
    void charactersBeyondAsciiArrivingByEdits() {
        editor->SetText("abc\r\ndef");
        QCOMPARE(editor->TrimmedCharacterCount(), qsizetype(8));
        editor->SetCaretPosition({4, 1});
        editor->ReplaceSelection("xyz");
        editor->SetCaretPosition({2, 2});
        editor->ReplaceSelection("\u00E9\u2192");
        editor->SetCaretPosition({1, 1});
        editor->ReplaceSelection("q");
        QCOMPARE(editor->TrimmedCharacterCount(), qsizetype(14));
        editor->SetCaretPosition({4, 2});
        QCOMPARE(editor->CaretPosition(), (TextPosition{4, 2}));
        QCOMPARE(editor->SelectionStart(), 13);
        editor->SetSelectionStart(13);
        editor->SetSelectionEnd(14);
        QCOMPARE(editor->SelectedText(), QStringLiteral("e"));
        // The same text loaded afresh starts out ASCII again.
        editor->SetText("abc\r\ndef");
        editor->SetSelectionStart(6);
        editor->SetSelectionEnd(8);
        QCOMPARE(editor->SelectedText(), QStringLiteral("de"));
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
        using C = EditorCommand;
        const std::pair<const char*, C> expected[] = {
            {"Up", C::Up},
            {"Shift+Up", C::SelUp},
            {"Ctrl+Up", C::ScrollUp},
            {"Down", C::Down},
            {"Shift+Down", C::SelDown},
            {"Ctrl+Down", C::ScrollDown},
            {"Left", C::Left},
            {"Shift+Left", C::SelLeft},
            {"Ctrl+Left", C::WordLeft},
            {"Ctrl+Shift+Left", C::SelWordLeft},
            {"Right", C::Right},
            {"Shift+Right", C::SelRight},
            {"Ctrl+Right", C::WordRight},
            {"Ctrl+Shift+Right", C::SelWordRight},
            {"PgDown", C::PageDown},
            {"Shift+PgDown", C::SelPageDown},
            {"Ctrl+PgDown", C::PageBottom},
            {"Ctrl+Shift+PgDown", C::SelPageBottom},
            {"PgUp", C::PageUp},
            {"Shift+PgUp", C::SelPageUp},
            {"Ctrl+PgUp", C::PageTop},
            {"Ctrl+Shift+PgUp", C::SelPageTop},
            {"Home", C::LineStart},
            {"Shift+Home", C::SelLineStart},
            {"Ctrl+Home", C::EditorTop},
            {"Ctrl+Shift+Home", C::SelEditorTop},
            {"End", C::LineEnd},
            {"Shift+End", C::SelLineEnd},
            {"Ctrl+End", C::EditorBottom},
            {"Ctrl+Shift+End", C::SelEditorBottom},
            {"Ins", C::ToggleMode},
            {"Ctrl+Ins", C::Copy},
            {"Ctrl+C", C::Copy},
            {"Shift+Del", C::Cut},
            {"Ctrl+X", C::Cut},
            {"Shift+Ins", C::Paste},
            {"Ctrl+V", C::Paste},
            {"Del", C::DeleteChar},
            {"Backspace", C::DeleteLastChar},
            {"Shift+Backspace", C::DeleteLastChar},
            {"Ctrl+Backspace", C::DeleteLastWord},
            {"Ctrl+Z", C::Undo},
            {"Ctrl+Shift+Z", C::Redo},
            {"Return", C::LineBreak},
            {"Shift+Return", C::LineBreak},
            {"Ctrl+M", C::LineBreak},
            {"Tab", C::Tab},
            {"Shift+Tab", C::ShiftTab},
            {"Ctrl+F1", C::ContextHelp},
            {"Ctrl+A", C::SelectAll},
            {"Ctrl+Shift+I", C::BlockIndent},
            {"Ctrl+Shift+U", C::BlockUnindent},
            {"Ctrl+N", C::InsertLine},
            {"Ctrl+T", C::DeleteWord},
            {"Ctrl+Y", C::DeleteLine},
            {"Ctrl+Shift+Y", C::DeleteEOL},
            {"Ctrl+Shift+N", C::NormalSelect},
            {"Ctrl+Shift+C", C::ColumnSelect},
            {"Ctrl+Shift+L", C::LineSelect},
            {"Ctrl+Shift+B", C::MatchBracket},
            {"Ctrl+J", C::AutoCompletion},
        };
        QList<QKeyCombination> bound;
        for (const auto& [keys, command] : expected) {
            const QKeyCombination combination = QKeySequence(QString::fromLatin1(keys))[0];
            QVERIFY2(CommandForKey(combination) == command, keys);
            bound << combination;
        }
        for (int digit = 0; digit < 10; ++digit) {
            const auto key = Qt::Key(Qt::Key_0 + digit);
            QCOMPARE(CommandForKey(Qt::ControlModifier | key), C(int(C::GotoMarker0) + digit));
            QCOMPARE(CommandForKey(Qt::ControlModifier | Qt::ShiftModifier | key),
                     C(int(C::SetMarker0) + digit));
            bound << (Qt::ControlModifier | key) << (Qt::ControlModifier | Qt::ShiftModifier | key);
        }
        // Nothing else is bound.
        QCOMPARE(EditorKeyBindings().size(), size_t(81));
        for (const KeyBinding& binding : EditorKeyBindings()) {
            const bool listed = bound.contains(binding.keys) ||
                                binding.keys == (Qt::ShiftModifier | Qt::Key_Backtab);
            QVERIFY2(listed, qPrintable(QKeySequence(binding.keys).toString()));
        }
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

    // Behaviours hear of commands, typing, edits, caret moves and scrolling
    // while they are enabled, and go with their editor.
    void behavioursAreToldWhileEnabled() {
        struct Recorder : EditorBehaviour {
            Recorder(EditorControl& editor, QStringList& heard, bool& gone)
                : EditorBehaviour(editor), heard(heard), gone(gone) {}
            ~Recorder() override { gone = true; }
            bool RunCommand(EditorCommand command) override {
                heard << QStringLiteral("command");
                return command == EditorCommand::AutoCompletion;
            }
            void Typed(const QString& text) override { heard << QStringLiteral("typed ") + text; }
            void TextChanged() override { heard << QStringLiteral("changed"); }
            void CaretMoved(const TextPosition& caret) override {
                heard << QStringLiteral("caret %1,%2").arg(caret.column).arg(caret.line);
            }
            void ShownRangeChanged() override { heard << QStringLiteral("shown"); }
            QStringList& heard;
            bool& gone;
        };
        editor->SetText(QStringLiteral("line\r\n").repeated(200));
        QStringList heard;
        bool gone = false;
        EditorBehaviour* recorder =
            editor->AddBehaviour(std::make_unique<Recorder>(*editor, heard, gone));
        QTest::keyClick(keys(), 'x');
        QTest::keyClick(keys(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(heard, QStringList({"typed x", "changed", "caret 2,1", "command"}));
        heard.clear();
        editor->SetCaretLine(150);
        QCOMPARE(heard.value(0), QStringLiteral("caret 2,150"));
        QCOMPARE(heard.value(1), QStringLiteral("shown"));
        heard.clear();
        recorder->SetEnabled(false);
        QTest::keyClick(keys(), 'y');
        QCOMPARE(heard, QStringList());
        editor.reset();
        QVERIFY(gone);
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

    // A column block drawn with the keys limits a selected-only search to its
    // columns; the match found is a plain selection that plain moves end.
    void searchInAColumnBlock() {
        const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        editor->SetText("cat cat\r\ncat cat\r\ncat");
        editor->SetCaretPosition({4, 1});
        QTest::keyClick(keys(), Qt::Key_C, ctrlShift);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(keys(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(keys(), Qt::Key_Down, Qt::ShiftModifier);
        SearchOptions options;
        options.selectedOnly = true;
        options.entireScope = true;
        options.replace = true;
        QCOMPARE(editor->SearchReplace("cat", "dog", options), 2);
        QCOMPARE(editor->Text(), QStringLiteral("cat dog\r\ncat dog\r\ncat\r\n"));
        options = SearchOptions();
        options.entireScope = true;
        QCOMPARE(editor->SearchReplace("dog", "", options), 1);
        QCOMPARE(editor->SelectedText(), QStringLiteral("dog"));
        QTest::keyClick(keys(), Qt::Key_Down);
        QVERIFY(!editor->SelectionAvailable());
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
        // Typing restyles its own line at once, and the lines after it that
        // its new end state changes.
        editor->SetText("\r\nbody { color: red; }");
        QCOMPARE(editor->StyleAt({8, 2}), int(HighlightStyle::HtmlText));
        QTest::keyClicks(keys(), "<style>");
        QCOMPARE(editor->StyleAt({2, 1}), int(HighlightStyle::MarkerCssStyle));
        QCOMPARE(editor->StyleAt({8, 2}), int(HighlightStyle::CssKey));
        editor->SetHighlighter(Highlighter::Css);
        QCOMPARE(editor->StyleAt({1, 2}), int(HighlightStyle::CssIdentifier));
        editor->SetHighlighter(Highlighter::None);
        QCOMPARE(editor->StyleAt({1, 2}), 0);
        // A long line is drawn in pieces, but reports its token classes.
        editor->SetHighlighter(Highlighter::Html);
        editor->SetText("<p>" + QString("word ").repeated(1000) + "<b>x</b>");
        QCOMPARE(editor->StyleAt({4, 1}), int(HighlightStyle::HtmlText));
        QCOMPARE(editor->StyleAt({5005, 1}), int(HighlightStyle::HtmlTagName));
    }

    // The colours and font styles of every token class, as the editor draws them.
    void styleTable() {
        namespace S = HighlightStyle;
        const QColor font(10, 20, 30);
        editor->SetFontColor(font);
        editor->SetHighlighter(Highlighter::Html);
        const QColor black(0, 0, 0), gray(128, 128, 128), red(255, 0, 0), navy(0, 0, 128),
            blue(0, 0, 255), green(0, 128, 0), purple(128, 0, 128), fuchsia(255, 0, 255);
        struct Expected {
            int style;
            QColor foreground;
            bool bold, italic;
        };
        const Expected table[] = {
            {S::HtmlEntity, {168, 60, 196}, false, false},
            {S::HtmlServerScript, {255, 255, 0}, false, false},
            {S::HtmlComment, gray, false, false},
            {S::HtmlAttribute, {61, 87, 99}, false, false},
            {S::HtmlTagName, {128, 0, 64}, false, false},
            {S::HtmlUnknownTagName, red, false, false},
            {S::HtmlValue, {48, 88, 156}, false, false},
            {S::HtmlSymbol, black, false, false},
            {S::HtmlSpace, black, false, false},
            {S::HtmlText, black, false, false},
            {S::CssComment, gray, false, true},
            {S::CssIdentifier, green, false, false},
            {S::CssKey, navy, true, false},
            {S::CssNumber, fuchsia, false, false},
            {S::CssString, blue, true, false},
            {S::CssSymbol, navy, true, false},
            {S::CssSpace, font, false, false},
            {S::JsComment, gray, false, true},
            {S::JsIdentifier, {0, 128, 128}, true, false},
            {S::JsReservedWord, purple, true, false},
            {S::JsNumber, red, false, false},
            {S::JsString, blue, false, false},
            {S::JsSymbol, green, true, false},
            {S::JsSpace, font, false, false},
            {S::MarkerCssFull, purple, true, false},
            {S::MarkerCssStyle, fuchsia, true, false},
            {S::MarkerJsFull, {128, 0, 0}, true, false},
            {S::MarkerJsScript, red, true, false},
        };
        QCOMPARE(std::size(table), size_t(S::Count));
        for (const Expected& expected : table) {
            const HighlightStyleLook drawn = editor->DrawnStyle(expected.style);
            const QByteArray what = StyleKey(expected.style);
            QVERIFY2(drawn.foreground == expected.foreground, what);
            QVERIFY2(drawn.bold == expected.bold, what);
            QVERIFY2(drawn.italic == expected.italic, what);
            // Long lines draw some pieces in the style's twin, which looks the same.
            const HighlightStyleLook twin = editor->DrawnStyle(expected.style + kTwinStyleOffset);
            QVERIFY2(twin.foreground == drawn.foreground && twin.bold == drawn.bold &&
                         twin.italic == drawn.italic,
                     what);
        }
        // Without a highlighter everything is plain, in the font's colour.
        editor->SetHighlighter(Highlighter::None);
        const HighlightStyleLook plain = editor->DrawnStyle(S::CssKey);
        QCOMPARE(plain.foreground, font);
        QVERIFY(!plain.bold);
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
