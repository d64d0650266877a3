// The Search menu's commands in the main window, their dialogs and the
// confirmation window, answered through the scripted prompts.

#include "EditorControl.h"
#include "SearchState.h"
#include "TChildForm.h"
#include "TConfirmReplaceDialog.h"
#include "TTextSearchDialog.h"
#include "TfMain.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompts.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

namespace {

template <typename T> T* Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no %s", name);
    return child;
}

// The search or replace dialog filled in and confirmed.
ScriptedPrompts::DialogScript Confirmed(const QString& search, const QString& replace = {},
                                        const QList<const char*>& ticks = {}) {
    return [=](QDialog& dialog) {
        Child<QComboBox>(dialog, "SearchText")->setEditText(search);
        if (auto* field = dialog.findChild<QComboBox*>(QStringLiteral("ReplaceText")))
            field->setEditText(replace);
        for (const char* tick : ticks)
            Child<QCheckBox>(dialog, tick)->setChecked(true);
        Child<QPushButton>(dialog, "OkButton")->click();
        return dialog.result();
    };
}

ScriptedPrompts::DialogScript Answer(TConfirmReplaceDialog::Answer answer) {
    return [answer](QDialog&) { return int(answer); };
}

} // namespace

class SearchTest : public QObject, WindowFixture {
    Q_OBJECT

    EditorControl* editor = nullptr;

    QAction* act(const char* name) const { return window->action(QString::fromLatin1(name)); }
    void open(const QString& text) {
        act("New1")->trigger();
        editor = window->ActiveDocument()->Editor();
        editor->SetText(text);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QApplication::setActiveWindow(window.get());
        editor->setFocus();
        QTest::keyClick(editor->focusProxy(), key, modifiers);
    }
    void replace(const QString& search, const QString& with,
                 const QList<ScriptedPrompts::DialogScript>& answers) {
        prompts->answer(Confirmed(search, with));
        for (const auto& answer : answers)
            prompts->answer(answer);
        act("FindNext1")->trigger();
    }
    QStringList asked(const char* kind) const {
        QStringList texts;
        for (const auto& question : prompts->asked) {
            if (question.kind == QLatin1String(kind))
                texts << question.text;
        }
        return texts;
    }

private slots:
    void init() {
        RememberedSearch() = {};
        prepare();
        start();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { finish(); }

    void findNextAndPreviousWalkTheMatches() {
        open("dog cat\r\ncat\r\nlast cat line");
        RememberedSearch().searchText = QStringLiteral("cat");
        // A new window searches from its first line, wherever the caret is.
        editor->SetCaretPosition({3, 3});
        press(Qt::Key_F3);
        QCOMPARE(editor->BlockBegin(), (TextPosition{5, 1}));
        QCOMPARE(editor->CaretPosition(), (TextPosition{8, 1}));
        press(Qt::Key_F3);
        QCOMPARE(editor->BlockBegin(), (TextPosition{1, 2}));
        press(Qt::Key_F3);
        QCOMPARE(editor->BlockBegin(), (TextPosition{6, 3}));
        // Backwards the caret stands at each match's start.
        press(Qt::Key_F2);
        QCOMPARE(editor->CaretPosition(), (TextPosition{6, 3}));
        press(Qt::Key_F2);
        QCOMPARE(editor->CaretPosition(), (TextPosition{1, 2}));
        QCOMPARE(editor->SelectedText(), QStringLiteral("cat"));
        QVERIFY(prompts->asked.isEmpty());
        QCOMPARE(prompts->beeps, 0);
    }

    void noMatchBeepsAndCollapsesTheSelection() {
        open("one two three");
        RememberedSearch().searchText = QStringLiteral("four");
        editor->SetBlockBegin({5, 1});
        editor->SetBlockEnd({8, 1});
        press(Qt::Key_F3);
        QCOMPARE(prompts->beeps, 1);
        QCOMPARE(asked("Information"), QStringList{"Search Complete !"});
        QVERIFY(!editor->SelectionAvailable());
        QCOMPARE(editor->CaretPosition(), (TextPosition{8, 1}));
        editor->SetBlockBegin({5, 1});
        editor->SetBlockEnd({8, 1});
        act("FindPrevious1")->trigger();
        QCOMPARE(prompts->beeps, 2);
        QCOMPARE(editor->CaretPosition(), (TextPosition{5, 1}));
        // An empty remembered text finds nothing either.
        RememberedSearch().searchText.clear();
        press(Qt::Key_F3);
        QCOMPARE(prompts->beeps, 3);
        QCOMPARE(editor->Text(), QStringLiteral("one two three\r\n"));
    }

    void replaceWithTheKeyboardAndYesToAll() {
        open("cat catalog (cat)");
        QStringList seen;
        prompts->answer([&](QDialog& dialog) {
            seen << dialog.windowTitle();
            if (Child<QRadioButton>(dialog, "Forward")->isChecked() &&
                Child<QPushButton>(dialog, "OkButton")->isDefault())
                seen << "forward, OK";
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QTest::keyClicks(QApplication::focusWidget(), "cat");
            QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
            QTest::keyClicks(QApplication::focusWidget(), "dog");
            QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
            // A mnemonic clicks its button a moment later.
            if (QTest::qWaitFor(
                    [&] { return Child<QCheckBox>(dialog, "WholeWords")->isChecked(); }))
                seen << "whole words";
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            return dialog.result();
        });
        QPoint expected;
        prompts->answer([&](QDialog& confirm) {
            seen << confirm.windowTitle() << Child<QLabel>(confirm, "QuestionText")->text();
            if (Child<QPushButton>(confirm, "YesButton")->isDefault())
                seen << "Yes";
            // Below the match on the first line, at its left.
            const QPoint match = editor->mapToGlobal(editor->PositionToPixels({1, 1}));
            expected = QPoint(match.x(), match.y() + editor->LineHeight() + 4) - confirm.pos();
            Child<QPushButton>(confirm, "YesToAllButton")->click();
            return confirm.result();
        });
        press(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(seen, (QStringList{"Replace text", "forward, OK", "whole words", "Confirm replace",
                                    "Replace this occurence of \"cat\"?", "Yes"}));
        QCOMPARE(expected, QPoint());
        QCOMPARE(editor->Text(), QStringLiteral("dog catalog (dog)\r\n"));
        QVERIFY(RememberedSearch().wholeWords);
        QCOMPARE(RememberedSearch().replaceHistory, QStringList{"dog"});
        QVERIFY(prompts->queueEmpty());
        QVERIFY(asked("Information").isEmpty());
        // One undo step.
        editor->Undo();
        QCOMPARE(editor->Text(), QStringLiteral("cat catalog (cat)\r\n"));
    }

    void replaceChangesOnlyWhatIsAnswered() {
        open("cat cat cat");
        // Equal texts ask nothing and change nothing; matches were found.
        replace("cat", "cat", {});
        QCOMPARE(asked("Dialog"), QStringList{"Replace text"});
        QCOMPARE(prompts->beeps, 0);
        // No everywhere.
        const auto no = Answer(TConfirmReplaceDialog::No);
        replace("cat", "dog", {no, no, no});
        QCOMPARE(editor->Text(), QStringLiteral("cat cat cat\r\n"));
        QVERIFY(asked("Information").isEmpty());
        // Cancel at the second match keeps the first replacement.
        editor->SetCaretPosition({1, 1});
        replace("cat", "dog",
                {Answer(TConfirmReplaceDialog::Yes), Answer(TConfirmReplaceDialog::Cancel)});
        QVERIFY(prompts->queueEmpty());
        QCOMPARE(editor->Text(), QStringLiteral("dog cat cat\r\n"));
        // A read-only editor is asked nothing and keeps its text.
        editor->SetReadOnly(true);
        editor->SetCaretPosition({1, 1});
        const int questions = int(prompts->asked.size());
        replace("cat", "dog", {});
        QCOMPARE(prompts->asked.size(), questions + 1);
        QCOMPARE(editor->Text(), QStringLiteral("dog cat cat\r\n"));
    }

    void confirmationAboveAMatchInTheLowestThird() {
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("line %1").arg(i);
        open(lines.join("\r\n"));
        QWidget* document = window->ActiveDocument();
        const int visible = editor->height() / editor->LineHeight();
        const int low = visible * 4 / 5;
        editor->SetCaretPosition({1, low});
        editor->ReplaceSelection("cat ");
        editor->SetCaretPosition({1, 1});
        prompts->answer(Confirmed("cat", "dog", {"FromCaret"}));
        QPoint offset(-1, -1);
        bool lowestThird = false;
        prompts->answer([&](QDialog& confirm) {
            const QPoint match = editor->mapToGlobal(editor->PositionToPixels({1, low}));
            const QRect area(document->mapToGlobal(QPoint()), document->size());
            lowestThird = match.y() + editor->LineHeight() > area.top() + area.height() * 2 / 3;
            // The window manager's frame counts: its bottom edge stays 4
            // above the line (the offscreen platform frames windows too).
            const QMargins frame = window->windowHandle()->frameMargins();
            const int framed = confirm.height() + frame.top() + frame.bottom();
            offset = QPoint(match.x(), match.y() - framed - 4) - confirm.pos();
            return int(TConfirmReplaceDialog::Yes);
        });
        act("FindNext1")->trigger();
        QVERIFY(lowestThird);
        QCOMPARE(offset, QPoint());
        QCOMPARE(editor->Line(low - 1), QStringLiteral("dog line %1").arg(low - 1));
    }

    void placementKeepsTheWindowInsideTheArea() {
        const QRect area(100, 50, 400, 300);
        // Narrower than the window: centred over it.
        QCOMPARE(ConfirmReplacePosition(QRect(100, 50, 201, 300), QSize(300, 80), {}, 150, 60, 75),
                 QPoint(51, 79));
        // At the match, moved left to keep the right edge inside.
        QCOMPARE(ConfirmReplacePosition(area, QSize(300, 80), {}, 150, 60, 75), QPoint(150, 79));
        QCOMPARE(ConfirmReplacePosition(area, QSize(300, 80), {}, 450, 60, 75), QPoint(200, 79));
        // The lowest third starts at 50 + 200.
        QCOMPARE(ConfirmReplacePosition(area, QSize(300, 80), {}, 150, 235, 250).y(), 254);
        QCOMPARE(ConfirmReplacePosition(area, QSize(300, 80), {}, 150, 236, 251).y(), 152);
        // A window manager's frame (title bar 23, borders 4) is part of the
        // window: its bottom edge stays 4 above the line, its right edge in
        // the area.
        const QMargins frame(4, 23, 4, 4);
        const QPoint framed = ConfirmReplacePosition(area, QSize(300, 80), frame, 450, 236, 251);
        QCOMPARE(framed.y() + 23 + 80 + 4, 236 - 4);
        QCOMPARE(framed.x() + 4 + 300 + 4, area.right() + 1);
    }

    void typedTextIsSearchedAsTyped() {
        open("CAT catalog");
        prompts->answer(Confirmed("catalog"));
        act("Searchfortext1")->trigger();
        // Typing a prefix of a history entry and pressing Enter searches the
        // typed text, in its own letter case.
        QString typed;
        prompts->answer([&typed](QDialog& dialog) {
            auto* field = Child<QComboBox>(dialog, "SearchText");
            field->clearEditText();
            QTest::keyClicks(field->lineEdit(), "CAT");
            typed = field->currentText();
            dialog.show();
            QTest::keyClick(field->lineEdit(), Qt::Key_Return);
            return dialog.result();
        });
        act("Searchfortext1")->trigger();
        QCOMPARE(typed, QStringLiteral("CAT"));
        QCOMPARE(RememberedSearch().searchHistory.constFirst(), QStringLiteral("CAT"));
    }

    void dialogsRememberTenTexts() {
        open("t1 t2");
        for (int i = 0; i <= 10; ++i) {
            prompts->answer(Confirmed(QStringLiteral("t%1").arg(i), {}, {"CaseSensitive"}));
            act("Searchfortext1")->trigger();
        }
        QStringList expected;
        for (int i = 10; i > 0; --i)
            expected << QStringLiteral("t%1").arg(i);
        QCOMPARE(RememberedSearch().searchHistory, expected);
        // The next dialog shows what was remembered; an older text moves up.
        QStringList shown;
        prompts->answer([&](QDialog& dialog) {
            auto* field = Child<QComboBox>(dialog, "SearchText");
            shown << field->currentText() << QString::number(field->count())
                  << QString::number(Child<QCheckBox>(dialog, "CaseSensitive")->isChecked());
            return Confirmed("t5")(dialog);
        });
        act("Searchfortext1")->trigger();
        QCOMPARE(shown, (QStringList{"t10", "10", "1"}));
        expected.move(5, 0);
        QCOMPARE(RememberedSearch().searchHistory, expected);
        // Escape remembers nothing.
        prompts->answer([](QDialog& dialog) {
            Child<QComboBox>(dialog, "SearchText")->setEditText(QStringLiteral("other"));
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return dialog.result();
        });
        act("Searchfortext1")->trigger();
        QCOMPARE(RememberedSearch().searchText, QStringLiteral("t5"));
    }

    void regularExpressionThroughTheDialog() {
        open("ann@home\r\nbob@work");
        int resultAfterError = -1;
        prompts->answer([&](QDialog& dialog) {
            Child<QCheckBox>(dialog, "RegularExpression")->setChecked(true);
            Child<QComboBox>(dialog, "SearchText")->setEditText(QStringLiteral(R"((\w+)@(\w)"));
            Child<QComboBox>(dialog, "ReplaceText")->setEditText(QStringLiteral(R"(\2 at \1)"));
            Child<QPushButton>(dialog, "OkButton")->click();
            resultAfterError = dialog.result();
            // The text is still there to be put right.
            QLineEdit* field = Child<QComboBox>(dialog, "SearchText")->lineEdit();
            field->setText(field->text() + QStringLiteral("+)"));
            Child<QPushButton>(dialog, "OkButton")->click();
            return dialog.result();
        });
        prompts->answer(Answer(TConfirmReplaceDialog::YesToAll));
        act("FindNext1")->trigger();
        QCOMPARE(resultAfterError, int(QDialog::Rejected));
        const QStringList errors = asked("Error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.constFirst().startsWith(
                     QStringLiteral("The regular expression is not valid at character 10: ")),
                 qPrintable(errors.constFirst()));
        QCOMPARE(editor->Text(), QStringLiteral("home at ann\r\nwork at bob\r\n"));
        // The tick is remembered and shown again.
        QVERIFY(RememberedSearch().regularExpression);
        bool ticked = false;
        prompts->answer([&](QDialog& dialog) {
            ticked = Child<QCheckBox>(dialog, "RegularExpression")->isChecked();
            return int(QDialog::Rejected);
        });
        act("Searchfortext1")->trigger();
        QVERIFY(ticked);
        // An expression replaced by its own text is replaced all the same.
        prompts->answer(Confirmed("b|k", "b|k"));
        prompts->answer(Answer(TConfirmReplaceDialog::YesToAll));
        act("FindNext1")->trigger();
        QCOMPARE(editor->Text(), QStringLiteral("home at ann\r\nworb|k at b|kob|k\r\n"));
    }

    void selectedTextOnly() {
        open("cat one cat two cat");
        RememberedSearch().searchText = QStringLiteral("cat");
        RememberedSearch().selectedOnly = true;
        // Without a selection the whole text counts.
        press(Qt::Key_F3);
        QCOMPARE(editor->BlockBegin(), (TextPosition{1, 1}));
        editor->SetBlockBegin({4, 1});
        editor->SetBlockEnd({16, 1});
        act("FindPrevious1")->trigger();
        QCOMPARE(editor->BlockBegin(), (TextPosition{9, 1}));
    }

    void replacingKeepsTheHighlightingRight() {
        // Styled to the end first, then replaced twice: once without a change
        // of the highlighter's state, once turning a style block into HTML.
        const QString text = QStringLiteral("<p>cat</p>\r\n<style>\r\nb { color: red; }\r\n"
                                            "</style>\r\n<p>cat</p>");
        const auto styles = [](EditorControl& control) {
            QList<int> all;
            for (int line = 1; line <= control.LineCount(); ++line) {
                for (int column = 1; column <= control.Line(line - 1).size(); ++column)
                    all << control.StyleAt({column, line});
            }
            return all;
        };
        EditorControl replaced;
        replaced.SetHighlighter(Highlighter::Html);
        replaced.SetText(text);
        styles(replaced);
        replaced.SetReplaceQuery([](const QString&, const QString&, const TextPosition&) {
            return ReplaceAnswer::ReplaceAll;
        });
        SearchOptions all;
        all.replace = true;
        all.entireScope = true;
        for (const auto& [search, with] : {std::pair{"cat", "tiger"}, std::pair{"style", "span"}}) {
            QCOMPARE(replaced.SearchReplace(search, with, all), 2);
            EditorControl fresh;
            fresh.SetHighlighter(Highlighter::Html);
            fresh.SetText(replaced.Text());
            QCOMPARE(styles(replaced), styles(fresh));
        }
    }

    void commandsNeedADocument() {
        for (const char* name : {"Searchfortext1", "FindNext1", "FindNext2", "FindPrevious1"}) {
            QVERIFY(act(name)->isEnabled());
            act(name)->trigger();
        }
        QVERIFY(prompts->asked.isEmpty());
        open("");
        RememberedSearch().searchText = QStringLiteral("x");
        press(Qt::Key_F3);
        QCOMPARE(asked("Information"), QStringList{"Search Complete !"});
        open("all of it");
        press(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(editor->SelectedText(), QStringLiteral("all of it"));
    }
};

QTEST_MAIN(SearchTest)
#include "tst_search.moc"
