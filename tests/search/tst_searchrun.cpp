// The search run on a plain text buffer, without an editor.

#include "TextSearch.h"

#include <QTest>

#include <deque>

// A text held as bytes; replace questions take their answers from a queue
// (Cancel when it is empty).
class TextBuffer : public SearchBuffer {
public:
    explicit TextBuffer(const char* utf8) : text(utf8) {}

    QByteArray text;
    qsizetype selectedFrom = -1;
    qsizetype selectedTo = -1;
    bool caretAtStart = false;
    qsizetype caret = -1;
    std::deque<ReplaceAnswer> answers;
    QList<qsizetype> asked;

    const char* Bytes(qsizetype from, qsizetype) override { return text.constData() + from; }
    qsizetype LineStartAt(qsizetype position) override {
        while (position > 0 && text[position - 1] != '\n' && text[position - 1] != '\r')
            --position;
        return position;
    }
    qsizetype LineEndAt(qsizetype position) override {
        while (position < text.size() && text[position] != '\n' && text[position] != '\r')
            ++position;
        return position;
    }
    void Select(qsizetype from, qsizetype to, bool atStart) override {
        selectedFrom = from;
        selectedTo = to;
        caretAtStart = atStart;
    }
    ReplaceAnswer Ask(qsizetype from, qsizetype) override {
        asked << from;
        if (answers.empty())
            return ReplaceAnswer::Cancel;
        const ReplaceAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Replace(qsizetype from, qsizetype to, const QByteArray& with) override {
        text.replace(from, to - from, with);
    }
    void SetCaret(qsizetype position) override { caret = position; }

    SearchRange whole() const { return {0, text.size()}; }
    QByteArray selected() const { return text.mid(selectedFrom, selectedTo - selectedFrom); }
};

namespace {

SearchOptions Replacing() {
    SearchOptions options;
    options.replace = true;
    return options;
}

SearchOptions Regex(bool replace = true) {
    SearchOptions options;
    options.replace = replace;
    options.regularExpression = true;
    return options;
}

int ReplaceAll(TextBuffer& buffer, const QString& search, const QByteArray& with,
               SearchOptions options = Replacing()) {
    options.replace = true;
    buffer.answers = {ReplaceAnswer::ReplaceAll};
    return SearchAndReplace(buffer, search, with, options, buffer.whole());
}

} // namespace

class SearchRunTest : public QObject {
    Q_OBJECT

private slots:
    void searchSelectsTheFirstMatchOfItsDirection() {
        TextBuffer buffer("one cat\r\ntwo cat\r\ncat");
        QCOMPARE(SearchAndReplace(buffer, "CAT", {}, {}, buffer.whole()), 1);
        QCOMPARE(buffer.selectedFrom, 4);
        QCOMPARE(buffer.selectedTo, 7);
        QVERIFY(!buffer.caretAtStart);
        // From behind the first match on: the next one.
        QCOMPARE(SearchAndReplace(buffer, "cat", {}, {}, {7, buffer.text.size()}), 1);
        QCOMPARE(buffer.selectedFrom, 13);
        SearchOptions backwards;
        backwards.backwards = true;
        QCOMPARE(SearchAndReplace(buffer, "cat", {}, backwards, buffer.whole()), 1);
        QCOMPARE(buffer.selectedFrom, 18);
        QVERIFY(buffer.caretAtStart);
        QCOMPARE(SearchAndReplace(buffer, "cat", {}, backwards, {0, 13}), 1);
        QCOMPARE(buffer.selectedFrom, 4);
    }

    void matchingRules() {
        TextBuffer words("cat catalog (cat)");
        SearchOptions whole = Replacing();
        whole.wholeWord = true;
        QCOMPARE(ReplaceAll(words, "cat", "dog", whole), 2);
        QCOMPARE(words.text, QByteArray("dog catalog (dog)"));

        TextBuffer letters("aaaa");
        QCOMPARE(ReplaceAll(letters, "aa", "b"), 2);
        QCOMPARE(letters.text, QByteArray("bb"));

        TextBuffer cased("Cat CAT cat");
        SearchOptions matchCase = Replacing();
        matchCase.matchCase = true;
        QCOMPARE(ReplaceAll(cased, "cat", "x", matchCase), 1);
        QCOMPARE(ReplaceAll(cased, "CAT", "y"), 2);
        QCOMPARE(cased.text, QByteArray("y y x"));

        // Lower case beyond ASCII, also where it maps to an ASCII letter (the
        // Kelvin sign).
        TextBuffer accents("\xC3\x84rger \xC3\xA4rger K\xE2\x84\xAA ink");
        QCOMPARE(ReplaceAll(accents, QStringLiteral(u"ÄRGER"), "a"), 2);
        QCOMPARE(ReplaceAll(accents, "k", "c"), 3);
        QCOMPARE(ReplaceAll(accents, "IN", "o"), 1);
        QCOMPARE(accents.text, QByteArray("a a cc oc"));
        // Whole words go by letters and digits of any script.
        TextBuffer greek("\xCE\xB1"
                         "cat cat9 cat_");
        QCOMPARE(ReplaceAll(greek, "cat", "-", whole), 1);
        QCOMPARE(greek.text, QByteArray("\xCE\xB1"
                                        "cat cat9 -_"));
    }

    void rangeMembership() {
        // Matches are found from the line's start even when the range starts
        // later: of "aa|aa", only the second is in a range from column 2.
        TextBuffer buffer("aaaa");
        QCOMPARE(SearchAndReplace(buffer, "aa", {}, {}, {1, 4}), 1);
        QCOMPARE(buffer.selectedFrom, 2);
        QCOMPARE(SearchAndReplace(buffer, "aa", {}, {}, {1, 3}), 0);

        TextBuffer ends("cat cat\r\ncat cat\r\ncat");
        QCOMPARE(ReplaceAll(ends, "cat", "c"), 5);
        ends.text = "cat cat\r\ncat cat\r\ncat";
        ends.answers = {ReplaceAnswer::ReplaceAll};
        QCOMPARE(SearchAndReplace(ends, "cat", "dog", Replacing(), {4, 15}), 2);
        QCOMPARE(ends.text, QByteArray("cat dog\r\ndog cat\r\ncat"));

        // Column mode: between the columns on every line, or anywhere when
        // the columns are less than one apart.
        TextBuffer block("cat cat\r\ncat cat\r\ncat cat");
        SearchRange columns{0, 16, true, 4, 7};
        block.answers = {ReplaceAnswer::ReplaceAll};
        QCOMPARE(SearchAndReplace(block, "cat", "dog", Replacing(), columns), 2);
        QCOMPARE(block.text, QByteArray("cat dog\r\ncat dog\r\ncat cat"));
        columns.lastColumn = 4;
        QCOMPARE(SearchAndReplace(block, "cat", "x", {}, columns), 1);
        QCOMPARE(block.selectedFrom, 0);
    }

    void replaceFollowsTheAnswers() {
        // Yes, No, Yes: the line's later matches move with each replacement.
        TextBuffer buffer("cat cat cat\r\ncat");
        buffer.answers = {ReplaceAnswer::Replace, ReplaceAnswer::Skip, ReplaceAnswer::Replace,
                          ReplaceAnswer::Skip};
        QCOMPARE(SearchAndReplace(buffer, "cat", "tiger", Replacing(), buffer.whole()), 4);
        QCOMPARE(buffer.text, QByteArray("tiger cat tiger\r\ncat"));
        QCOMPARE(buffer.asked, (QList<qsizetype>{0, 6, 10, 17}));
        QCOMPARE(buffer.caret, 20);

        // Cancel at the second match keeps the first replacement.
        buffer.text = "cat cat cat";
        buffer.answers = {ReplaceAnswer::Replace, ReplaceAnswer::Cancel};
        QCOMPARE(SearchAndReplace(buffer, "cat", "a", Replacing(), buffer.whole()), 2);
        QCOMPARE(buffer.text, QByteArray("a cat cat"));
        QCOMPARE(buffer.selected(), QByteArray("cat"));

        // Yes to all at the second question; the range's end moves along.
        buffer.text = "cat cat cat cat";
        buffer.asked.clear();
        buffer.answers = {ReplaceAnswer::Skip, ReplaceAnswer::ReplaceAll};
        QCOMPARE(SearchAndReplace(buffer, "cat", "lion", Replacing(), buffer.whole()), 4);
        QCOMPARE(buffer.text, QByteArray("cat lion lion lion"));
        QCOMPARE(buffer.asked.size(), 2);
        QCOMPARE(buffer.caret, buffer.text.size());

        // Backwards, from the right; line breaks in the replacement.
        SearchOptions backwards = Replacing();
        backwards.backwards = true;
        buffer.text = "a b a\r\na";
        QCOMPARE(ReplaceAll(buffer, "a", "x\r\ny", backwards), 3);
        QCOMPARE(buffer.text, QByteArray("x\r\ny b x\r\ny\r\nx\r\ny"));
        buffer.text = "a b a";
        QCOMPARE(ReplaceAll(buffer, "a", "x\r\ny"), 2);
        QCOMPARE(buffer.text, QByteArray("x\r\ny b x\r\ny"));
    }

    void badSearchTextsFindNothing() {
        TextBuffer buffer("cat\r\ncat");
        for (const QString& search :
             {QString(), QStringLiteral("cat\r\ncat"), QStringLiteral("cat\ncat"),
              QStringLiteral("cats and dogs")}) {
            QCOMPARE(ReplaceAll(buffer, search, "x"), 0);
            QCOMPARE(buffer.selectedFrom, -1);
        }
        QVERIFY(buffer.asked.isEmpty());
        TextBuffer empty("");
        QCOMPARE(SearchAndReplace(empty, "a", {}, {}, empty.whole()), 0);
    }

    void regexReplacementsReferToTheMatch() {
        TextBuffer buffer("mail ann@home, bob@work\r\nx@");
        QCOMPARE(ReplaceAll(buffer, R"((\w+)@(\w+))", R"(\2 at \1 [\0])", Regex()), 2);
        QCOMPARE(buffer.text,
                 QByteArray("mail home at ann [ann@home], work at bob [bob@work]\r\nx@"));
        // Escapes; a group that took no part gives nothing; other backslashes
        // stay as typed.
        buffer.text = "a-b";
        QCOMPARE(ReplaceAll(buffer, "(x)?-", R"(\1\n\t\\\q\)", Regex()), 1);
        QCOMPARE(buffer.text, QByteArray("a\r\n\t\\\\q\\b"));
        // Without the option the replacement is literal.
        buffer.text = "a-b";
        QCOMPARE(ReplaceAll(buffer, "-", R"(\0\n)"), 1);
        QCOMPARE(buffer.text, QByteArray(R"(a\0\nb)"));
    }

    void regexMatchingRules() {
        // Whole words, case, and anchors at each line's ends.
        TextBuffer words("Cat cats cat\r\ncat9 (CAT)");
        SearchOptions whole = Regex();
        whole.wholeWord = true;
        QCOMPARE(ReplaceAll(words, "c.t", "x", whole), 3);
        QCOMPARE(words.text, QByteArray("x cats x\r\ncat9 (x)"));
        SearchOptions matchCase = Regex();
        matchCase.matchCase = true;
        words.text = "Cat cat\r\nCAT cat";
        QCOMPARE(ReplaceAll(words, "^C..", "-", matchCase), 2);
        QCOMPARE(words.text, QByteArray("- cat\r\n- cat"));
        QCOMPARE(ReplaceAll(words, "cat$", "+", Regex()), 2);
        QCOMPARE(words.text, QByteArray("- +\r\n- +"));

        // Backwards: the last match first, each line's matches right to left.
        TextBuffer buffer("a1 a2\r\na3 a4");
        SearchOptions backwards = Regex(false);
        backwards.backwards = true;
        QCOMPARE(SearchAndReplace(buffer, R"(a\d)", {}, backwards, buffer.whole()), 1);
        QCOMPARE(buffer.selected(), QByteArray("a4"));
        QCOMPARE(SearchAndReplace(buffer, R"(a\d)", {}, backwards, {0, 11}), 1);
        QCOMPARE(buffer.selected(), QByteArray("a3"));
        backwards.replace = true;
        buffer.answers = {ReplaceAnswer::Replace, ReplaceAnswer::Skip, ReplaceAnswer::Replace};
        QCOMPARE(SearchAndReplace(buffer, R"(a(\d))", R"(<\1>)", backwards, buffer.whole()), 4);
        QCOMPARE(buffer.text, QByteArray("a1 <2>\r\na3 <4>"));
        QCOMPARE(buffer.asked, (QList<qsizetype>{10, 7, 3, 0}));

        // A pattern that only matches empty text finds nothing; nor does one
        // that does not compile.
        for (const char* pattern : {"x*", "^", "\\b", "(a"})
            QCOMPARE(ReplaceAll(buffer, pattern, "-", Regex()), 0);
    }

    void regexPositionsAreExactBytes() {
        // A character beyond the BMP (two UTF-16 units, four bytes) and an
        // invalid byte before the matches.
        TextBuffer buffer("\xF0\x9F\x98\x80 \xE9t\xC3\xA9 \xFF\xFE caf\xC3\xA9!");
        QCOMPARE(SearchAndReplace(buffer, "t\u00E9", {}, Regex(false), buffer.whole()), 1);
        QCOMPARE(buffer.selectedFrom, 6);
        QCOMPARE(buffer.selectedTo, 9);
        QCOMPARE(ReplaceAll(buffer, R"((\w+)\x{E9})", R"([\1])", Regex()), 2);
        QCOMPARE(buffer.text, QByteArray("\xF0\x9F\x98\x80 \xE9[t] \xFF\xFE [caf]!"));
        // The invalid bytes match as U+FFFD and come back unchanged.
        QCOMPARE(ReplaceAll(buffer, "(\uFFFD+)", R"(<\1>)", Regex()), 2);
        QCOMPARE(buffer.text, QByteArray("\xF0\x9F\x98\x80 <\xE9>[t] <\xFF\xFE> [caf]!"));
        QCOMPARE(SearchAndReplace(buffer, QString::fromUcs4(U"\U0001F600"), {}, Regex(false),
                                  buffer.whole()),
                 1);
        QCOMPARE(buffer.selectedTo, 4);
    }

    void runawayRegexStops() {
        // Catastrophic backtracking on every line: the run gives up with its
        // status instead of going through all of them.
        QByteArray text;
        for (int i = 0; i < 5000; ++i)
            text += QByteArray(40, 'a') + "b\r\n";
        TextBuffer buffer(text.constData());
        QCOMPARE(SearchAndReplace(buffer, "(a+)+$", {}, Regex(false), buffer.whole()),
                 kSearchStopped);
        QCOMPARE(buffer.selectedFrom, -1);
    }
};

QTEST_GUILESS_MAIN(SearchRunTest)
#include "tst_searchrun.moc"
