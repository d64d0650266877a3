#include "EditorControl.h"
#include "SnippetExpander.h"
#include "SnippetLibrary.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

SnippetLibrary Library(const QByteArray& file) {
    QTemporaryDir folder;
    const QString path = folder.filePath("codeinside.qci");
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(file);
    out.close();
    SnippetLibrary library;
    library.Load(path);
    return library;
}

} // namespace

class SnippetTest : public QObject {
    Q_OBJECT

private slots:
    void bracketFormQuirks() {
        const QList<Snippet> entries =
            SnippetLibrary::Parse("[tbl | simple table]\r\n\r\n<table>\r\n\r\n</table>\r\n\r\n"
                                  "[abc]\rone\nnone\r\n"
                                  "[ | lost code]\r\nruns on\r\n"
                                  "[next | x]\r\nmine\r\n");
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0], (Snippet{"tbl", "simple table", "<table>\r\n\r\n</table>\r\n"}));
        // A "]" right after the code belongs to it; lone CR and LF split lines.
        QCOMPARE(entries[1], (Snippet{"abc]", "", "one\r\nnone"}));
        // An entry without a code gives its lines to the next one.
        QCOMPARE(entries[2], (Snippet{"next", "x", "runs on\r\nmine"}));
    }

    void writerRoundTripAndEqualsForm() {
        const QList<Snippet> written = {{"tbl", "simple table", "<table>\r\n</table>"},
                                        {"e", "", ""},
                                        {"b", "line", "[not a header\r\nend"}};
        const QByteArray bytes = SnippetLibrary::Serialize(written);
        QVERIFY(
            bytes.startsWith("[tbl | simple table]\r\n<table>\r\n</table>\r\n\r\n[e | ]\r\n\r\n"));
        const QList<Snippet> read = SnippetLibrary::Parse(bytes);
        QCOMPARE(read.size(), 4);
        QCOMPARE(read[0].text, QString("<table>\r\n</table>\r\n"));
        QCOMPARE(read[1].text, QString());
        // A snippet line starting with "[" comes back as an entry of its own.
        QCOMPARE(read[2].text, QString());
        QCOMPARE(read[3], (Snippet{"not", "a header", "end\r\n"}));

        const QList<Snippet> equals =
            SnippetLibrary::Parse("tbl\r\n=first\r\n\r\n=second\r\nimg\n=<img>");
        QCOMPARE(equals, (QList<Snippet>{{"tbl", "", "first\r\nsecond"}, {"img", "", "<img>"}}));
    }

    void anyBytesLoad() {
        QByteArray noise(3 << 20, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (char& byte : noise)
            byte = char(generator.bounded(256));
        SnippetLibrary::Parse(noise);
        SnippetLibrary::Parse("[" + noise);
        // One line of many megabytes without a break.
        QCOMPARE(SnippetLibrary::Parse("[k]" + QByteArray(20 << 20, 'x')).size(), 1);
        QVERIFY(SnippetLibrary::Parse("[").isEmpty());
        QCOMPARE(SnippetLibrary::Parse(QByteArray(1000, '\0')).size(), 1);
    }

    void lookupAndToken_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tokenColumn");
        QTest::newRow("two begin with it") << "tab"
                                           << "" << 0;
        QTest::newRow("unique prefix") << "tabler"
                                       << "<tr>" << 1;
        QTest::newRow("exact wins") << "TABLE"
                                    << "<table>" << 1;
        QTest::newRow("the later img") << "img"
                                       << "<img 2>" << 1;
        QTest::newRow("stops at the dot") << "x.img"
                                          << "<img 2>" << 3;
        QTest::newRow("stops at a bracket") << "(tabler"
                                            << "<tr>" << 2;
        QTest::newRow("unknown") << "zzz"
                                 << "" << 0;
    }
    void lookupAndToken() {
        QFETCH(QString, line);
        QFETCH(QString, text);
        QFETCH(int, tokenColumn);
        const SnippetLibrary library = Library(
            "[table |]\r\n<table>\r\n[tablerow |]\r\n<tr>\r\n[img |]\r\n<img 1>\r\n[img |]\r\n"
            "<img 2>\r\n");
        const auto expansion = library.Expand(line, int(line.size()) + 1);
        QCOMPARE(expansion.has_value(), tokenColumn > 0);
        if (expansion) {
            QCOMPARE(expansion->text, text);
            QCOMPARE(expansion->tokenColumn, tokenColumn);
        }
        QVERIFY(!library.Expand(line, int(line.size()) + 2));
    }

    // Through Ctrl+J on an editor with the library attached, as a document
    // window attaches it.
    void expandsInTheEditorAsOneChange() {
        const SnippetLibrary library =
            Library("[tbl | table]\r\n<table>\r\n<td>|</td>\r\n</table>\r\n\r\n"
                    "[bar]\r\n|\r\n[plain]\r\n<br>\r\n");
        EditorControl editor;
        editor.AddBehaviour(std::make_unique<SnippetExpander>(editor, library));
        editor.show();
        editor.SetText("    tbl");
        editor.SetCaretPosition({8, 1});
        QTest::keyClick(editor.focusProxy(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(editor.Text(), QString("    <table>\r\n    <td></td>\r\n    </table>\r\n"));
        QCOMPARE(editor.CaretPosition(), (TextPosition{9, 2}));
        editor.Undo();
        QCOMPARE(editor.Text(), QString("    tbl\r\n"));

        editor.SetText("a bar b");
        editor.SetCaretPosition({6, 1});
        QTest::keyClick(editor.focusProxy(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(editor.Text(), QString("a  b\r\n"));
        QCOMPARE(editor.CaretPosition(), (TextPosition{3, 1}));

        editor.SetText("plain");
        editor.SetCaretPosition({6, 1});
        QTest::keyClick(editor.focusProxy(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(editor.Text(), QString("<br>\r\n"));
        QCOMPARE(editor.CaretPosition(), (TextPosition{5, 1}));

        // A character outside the Basic Multilingual Plane is one column to
        // the editor and two UTF-16 units to the string.
        editor.SetText(QString::fromUtf8("\xF0\x9F\x98\x80 tbl"));
        editor.SetCaretPosition({6, 1});
        QTest::keyClick(editor.focusProxy(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(editor.Line(0), QString::fromUtf8("\xF0\x9F\x98\x80 <table>"));
        QCOMPARE(editor.Line(1), QString("  <td></td>"));
        QCOMPARE(editor.CaretPosition(), (TextPosition{7, 2}));
        editor.SetText(QString::fromUtf8("\xF0\x9F\x98\x80 bar\xF0\x9F\x98\x80"));
        editor.SetCaretPosition({6, 1});
        editor.Execute(EditorCommand::AutoCompletion);
        QCOMPARE(editor.Line(0), QString::fromUtf8("\xF0\x9F\x98\x80 \xF0\x9F\x98\x80"));
        QCOMPARE(editor.CaretPosition(), (TextPosition{3, 1}));

        editor.SetText("plain");
        editor.SetCaretPosition({6, 1});
        editor.SetReadOnly(true);
        editor.Execute(EditorCommand::AutoCompletion);
        QCOMPARE(editor.Text(), QString("plain\r\n"));
    }

    void writeCreatesTheFolderAndFailsWhole() {
        QTemporaryDir folder;
        const QString path = SnippetLibrary::FilePath(folder.path());
        SnippetLibrary::Write(path, {{"a", "first", "x"}});
        SnippetLibrary library;
        QVERIFY(library.Load(path));
        QCOMPARE(library.Codes(), QStringList{"a"});

        // A folder "CodeC" that is a file cannot hold the library.
        QTemporaryDir other;
        QFile blocker(other.filePath("CodeC"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString blocked = SnippetLibrary::FilePath(other.path());
        try {
            SnippetLibrary::Write(blocked, {});
            QFAIL("a write without its folder succeeded");
        } catch (const std::exception& error) {
            QCOMPARE(QString(error.what()), "Cannot create file " + blocked);
        }
        // A library never made loads empty and is made; one that cannot be
        // read is an error.
        QVERIFY(library.Load(folder.filePath("missing.qci")));
        QVERIFY(library.Entries().isEmpty());
        QVERIFY(QFile::exists(folder.filePath("missing.qci")));
        QVERIFY(QDir(folder.path()).mkdir("folder.qci"));
        QVERIFY(!library.Load(folder.filePath("folder.qci")));
    }
};

QTEST_MAIN(SnippetTest)
#include "tst_snippets.moc"
