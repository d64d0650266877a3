// Search in Files and Replace in Files from the main window's Search menu:
// the dialog, the results panel and its rows, and the replace questions,
// answered through the scripted prompts.

#include "EditorControl.h"
#include "FileSearchCommands.h"
#include "ResultsPanel.h"
#include "SearchState.h"
#include "TChildForm.h"
#include "TConfirmReplaceDialog.h"
#include "TfMain.h"
#include "support/FileBytes.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// The Search in Files dialog filled in and confirmed.
ScriptedPrompts::DialogScript Filled(const QString& folder, const QString& search,
                                     const QString& replace = {}) {
    return [=](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("SearchText"))->setEditText(search);
        if (auto* field = dialog.findChild<QComboBox*>(QStringLiteral("ReplaceText")))
            field->setEditText(replace);
        dialog.findChild<QComboBox*>(QStringLiteral("Folder"))->setEditText(folder);
        dialog.findChild<QComboBox*>(QStringLiteral("Mask"))->setEditText(QStringLiteral("*.htm"));
        dialog.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        return dialog.result();
    };
}

} // namespace

class SearchInFilesTest : public QObject, WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> site;
    QString at(const char* name) const { return site->filePath(QString::fromLatin1(name)); }

    EditorControl* open(const char* name) {
        window->OpenDocumentFile(at(name));
        return window->ActiveDocument()->Editor();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QApplication::setActiveWindow(window.get());
        EditorControl* editor = window->ActiveEditor();
        editor->setFocus();
        QTest::keyClick(editor->focusProxy(), key, modifiers);
    }

private slots:
    void init() {
        RememberedSearch() = {};
        RememberedFileSearch() = {};
        site = std::make_unique<QTemporaryDir>();
        prepare();
        start();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { finish(); }

    void resultsShowUnsavedTextAndOpenTheirMatch() {
        WriteBytes(at("one.html"), "<p>alpha</p>\n");
        WriteBytes(at("two.html"), "<p>beta</p>\n<p>an Alpha</p>\n");
        WriteBytes(at("three.html"), "<p>gamma</p>\n");
        EditorControl* three = open("three.html");
        three->SetCaretPosition({9, 1});
        three->ReplaceSelection(QStringLiteral(" alpha"));

        QSignalSpy done(window->FileSearch(), &FileSearchCommands::finished);
        prompts->answer(Filled(site->path(), QStringLiteral("alpha")));
        press(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(done.wait());
        ResultsPanel* panel = window->Results();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->GroupCount(), 3);
        QVERIFY2(panel->Title().contains(QStringLiteral("(matches: 3, files: 3)")),
                 qPrintable(panel->Title()));
        QCOMPARE(panel->Status(), QStringLiteral("Files searched: 3"));

        // Enter on the row of a closed file opens it at the match.
        QTreeWidget* tree = panel->Tree();
        tree->setCurrentItem(tree->topLevelItem(2)->child(0));
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("2: <p>an Alpha</p>"));
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Return);
        TChildForm* two = window->ActiveDocument();
        QCOMPARE(two->Caption(), at("two.html"));
        QCOMPARE(two->Editor()->SelectedText(), QStringLiteral("Alpha"));
        QCOMPARE(two->Editor()->BlockBegin(), (TextPosition{7, 2}));
        // F4 wraps around to the first row, then comes to the open window's
        // unsaved line; Shift+F4 goes back.
        press(Qt::Key_F4);
        QCOMPARE(window->ActiveDocument()->Caption(), at("one.html"));
        QCOMPARE(window->ActiveEditor()->SelectedText(), QStringLiteral("alpha"));
        press(Qt::Key_F4);
        QCOMPARE(window->ActiveEditor(), three);
        QCOMPARE(three->BlockBegin(), (TextPosition{10, 1}));
        QCOMPARE(three->SelectedText(), QStringLiteral("alpha"));
        press(Qt::Key_F4, Qt::ShiftModifier);
        QCOMPARE(window->ActiveDocument()->Caption(), at("one.html"));
        // Escape in the panel hides it.
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Escape);
        QVERIFY(!panel->isVisible());
    }

    void replaceChangesOnlyMatchesAndSkipsFilesChangedBehindOurBack() {
        WriteBytes(at("a.html"), "<p class=\"old\">x</p>\r\n");
        const QByteArray b = "<p class=\"old\">caf\xe9</p>\n<i class=\"old\"></i>\n<p>keep</p>";
        WriteBytes(at("b.html"), b);
        WriteBytes(at("c.html"), "<p class=\"old\"></p>\n");
        EditorControl* a = open("a.html");
        a->SetCaretPosition({1, 2});
        a->ReplaceSelection(QStringLiteral("<b class=\"old\">typed</b>"));
        const QString typed = a->Text();

        QSignalSpy done(window->FileSearch(), &FileSearchCommands::finished);
        prompts->answer(
            Filled(site->path(), QStringLiteral("class=\"old\""), QStringLiteral("class=\"new\"")));
        QString question;
        prompts->answer([&](QDialog& confirm) {
            question = confirm.findChild<QLabel*>(QStringLiteral("QuestionText"))->text();
            WriteBytes(at("c.html"), "<p class=\"OLD\"></p>\n");
            return int(TConfirmReplaceDialog::YesToAll);
        });
        window->action(QStringLiteral("ReplaceInFiles1"))->trigger();
        QVERIFY(done.wait());
        QCOMPARE(question, QStringLiteral("Replace in %1?\nMatches: 2").arg(at("a.html")));
        QCOMPARE(
            prompts->askedTexts().constLast(),
            QStringLiteral("Replace in Files is done.\nFiles changed: 2\nMatches replaced: 4\n\n"
                           "Skipped:\n%1 (changed since the search)")
                .arg(at("c.html")));
        QByteArray expected = b;
        expected.replace("\"old\"", "\"new\"");
        QCOMPARE(ReadBytes(at("b.html")), expected);
        QCOMPARE(ReadBytes(at("c.html")), QByteArray("<p class=\"OLD\"></p>\n"));
        // The open document: changed in its editor, unsaved, one undo step.
        QCOMPARE(ReadBytes(at("a.html")), QByteArray("<p class=\"old\">x</p>\r\n"));
        QCOMPARE(a->Text(),
                 QString(typed).replace(QStringLiteral("\"old\""), QStringLiteral("\"new\"")));
        a->Undo();
        QCOMPARE(a->Text(), typed);
    }
};

QTEST_MAIN(SearchInFilesTest)
#include "tst_searchinfiles.moc"
