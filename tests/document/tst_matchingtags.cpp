#include "EditorControl.h"
#include "MatchingTags.h"
#include "support/ShownEditor.h"

#include <QTest>

// Tag names marked, and jumped between, in a shown editor with matching tags
// attached. Positions are linear (the text is one line, so the column).
class MatchingTagsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorControl> editor;

    using Ranges = QList<QPair<int, int>>;
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(editor->focusProxy(), key, modifiers);
    }
    void matchBracket() { press(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier); }

private slots:
    void init() {
        editor = ShownEditor();
        QVERIFY(editor);
        editor->AddBehaviour(std::make_unique<MatchingTags>(*editor));
    }
    void cleanup() { editor.reset(); }

    void marksThePartner_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<Ranges>("marked");
        const QString nested = QStringLiteral("<div><div>x</div></div>");
        QTest::newRow("outer start tag") << nested << 3 << Ranges{{2, 3}, {20, 3}};
        QTest::newRow("before the name") << nested << 2 << Ranges{{2, 3}, {20, 3}};
        QTest::newRow("inner end tag") << nested << 17 << Ranges{{7, 3}, {14, 3}};
        QTest::newRow("outside a tag") << nested << 11 << Ranges{};
        QTest::newRow("void element") << "<p><br>x</p>" << 6 << Ranges{};
        QTest::newRow("self-closed") << "<div/><div>x</div>" << 3 << Ranges{};
        QTest::newRow("end tag unopened") << "x</div>" << 5 << Ranges{};
        QTest::newRow("other names and comments")
            << "<P><!-- </p> --><p a='>'></p></p>" << 2 << Ranges{{2, 1}, {32, 1}};
        QTest::newRow("script content")
            << "<script>if (a<b) x='</p>'</script>" << 4 << Ranges{{2, 6}, {28, 6}};
    }
    void marksThePartner() {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(Ranges, marked);
        editor->SetText(text);
        editor->SetCaretPosition({column, 1});
        QCOMPARE(editor->MarkedRanges(), marked);
    }

    void movingAwayOrEditingClears() {
        editor->SetText(QStringLiteral("<i>x</i>"));
        editor->SetCaretPosition({3, 1});
        QCOMPARE(editor->MarkedRanges().size(), 2);
        press(Qt::Key_End);
        QCOMPARE(editor->MarkedRanges(), Ranges{});
        // An edit in the name leaves no stale marks; the next move marks again.
        editor->SetCaretPosition({3, 1});
        QTest::keyClicks(editor->focusProxy(), QStringLiteral("b"));
        QCOMPARE(editor->MarkedRanges(), Ranges{});
        press(Qt::Key_Backspace);
        QCOMPARE(editor->MarkedRanges(), Ranges{});
        press(Qt::Key_Right);
        press(Qt::Key_Left);
        QCOMPARE(editor->MarkedRanges(), (Ranges{{2, 1}, {7, 1}}));
    }

    void jumpsToThePartnerOrBracket() {
        editor->SetText(QStringLiteral("<div><div>(x)</div></div>"));
        editor->SetCaretPosition({3, 1});
        matchBracket();
        QCOMPARE(editor->CaretPosition(), (TextPosition{23, 1}));
        matchBracket();
        QCOMPARE(editor->CaretPosition(), (TextPosition{3, 1}));
        // Outside a tag the brackets still match.
        editor->SetCaretPosition({11, 1});
        matchBracket();
        QCOMPARE(editor->CaretPosition(), (TextPosition{13, 1}));
    }

    void styleSheetMarksNothing() {
        editor->SetHighlighter(Highlighter::Css);
        editor->SetText(QStringLiteral("<b>x</b>"));
        editor->SetCaretPosition({3, 1});
        QCOMPARE(editor->MarkedRanges(), Ranges{});
    }
};

QTEST_MAIN(MatchingTagsTest)
#include "tst_matchingtags.moc"
