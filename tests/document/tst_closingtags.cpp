#include "ClosingTags.h"
#include "EditorControl.h"
#include "support/ShownEditor.h"

#include <QTest>

// Keys typed into a shown editor with closing tags attached. Texts mark the
// caret with "|" and break lines with "\n".
class ClosingTagsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorControl> editor;
    EditorBehaviour* closing = nullptr;

    void setWithCaret(const QString& text) {
        const qsizetype at = text.indexOf(u'|');
        editor->SetText(QString(text).remove(at, 1));
        const QString before = text.left(at);
        editor->SetCaretPosition(
            {int(at - before.lastIndexOf(u'\n')), int(before.count(u'\n')) + 1});
    }
    QString withCaret() const {
        QStringList lines;
        for (int i = 0; i < editor->LineCount(); ++i)
            lines << editor->Line(i);
        if (lines.isEmpty())
            lines << QString();
        const TextPosition caret = editor->CaretPosition();
        lines[caret.line - 1].insert(caret.column - 1, u'|');
        return lines.join(u'\n');
    }
    void type(const QString& keys) { QTest::keyClicks(editor->focusProxy(), keys); }

private slots:
    void init() {
        editor = ShownEditor();
        QVERIFY(editor);
        closing = editor->AddBehaviour(std::make_unique<ClosingTags>(*editor));
    }
    void cleanup() { editor.reset(); }

    void typedTags_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("start tag") << "|"
                                   << "<p>"
                                   << "<p>|</p>";
        QTest::newRow("name as typed") << "|"
                                       << "<Div class=x>"
                                       << "<Div class=x>|</Div>";
        QTest::newRow("void element") << "|"
                                      << "<br>"
                                      << "<br>|";
        QTest::newRow("self-closed") << "|"
                                     << "<img/>"
                                     << "<img/>|";
        QTest::newRow("> in a quoted value") << "|"
                                             << "<a href=\"x>y\">"
                                             << "<a href=\"x>y\">|</a>";
        QTest::newRow("tag over two lines") << "<a\nhref='x'|"
                                            << ">"
                                            << "<a\nhref='x'>|</a>";
        QTest::newRow("script content") << "|"
                                        << "<script>a<b>"
                                        << "<script>a<b>|</script>";
        QTest::newRow("comment") << "<!-- |"
                                 << "<p>"
                                 << "<!-- <p>|";
        QTest::newRow("closing tag follows") << "<P|</p>"
                                             << ">"
                                             << "<P>|</p>";
        QTest::newRow("end tag typed") << "<p>x</p|"
                                       << ">"
                                       << "<p>x</p>|";
        QTest::newRow("innermost open") << "<div><p>x|"
                                        << "</"
                                        << "<div><p>x</p>|";
        QTest::newRow("closed, void and commented skipped")
            << "<div>\n<p>x</p><br><!-- <b> --><script>'<i>'</script>|"
            << "</"
            << "<div>\n<p>x</p><br><!-- <b> --><script>'<i>'</script></div>|";
        QTest::newRow("end tag closes the ones left open") << "<ul><li>a<li>b</ul>|"
                                                           << "</"
                                                           << "<ul><li>a<li>b</ul></|";
        QTest::newRow("in a comment") << "<p><!-- |"
                                      << "</"
                                      << "<p><!-- </|";
    }
    void typedTags() {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        setWithCaret(before);
        type(keys);
        QTEST(withCaret(), "after");
    }

    // The closing tag is an undo step of its own; a style sheet and a
    // disabled behaviour get none.
    void undoStyleSheetAndOff() {
        type("<p>");
        QCOMPARE(withCaret(), QStringLiteral("<p>|</p>"));
        editor->Undo();
        QCOMPARE(withCaret(), QStringLiteral("<p>|"));
        editor->SetHighlighter(Highlighter::Css);
        type("<b>");
        QCOMPARE(withCaret(), QStringLiteral("<p><b>|"));
        editor->SetHighlighter(Highlighter::Html);
        closing->SetEnabled(false);
        type("<i></");
        QCOMPARE(withCaret(), QStringLiteral("<p><b><i></|"));
    }
};

QTEST_MAIN(ClosingTagsTest)
#include "tst_closingtags.moc"
