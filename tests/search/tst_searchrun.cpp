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
};

QTEST_GUILESS_MAIN(SearchRunTest)
#include "tst_searchrun.moc"
