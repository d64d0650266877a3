#include "CssTokenizer.h"
#include "HighlightEngine.h"
#include "HighlightStyles.h"
#include "HighlightWords.h"
#include "HtmlTokenizer.h"
#include "JsTokenizer.h"
#include "RegionSchemes.h"
#include "StyleRuns.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <vector>

namespace Style = HighlightStyle;

namespace {

// A document's lines without their breaks; a final line break adds no line.
QList<QByteArray> SplitLines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

HighlightMode ModeFor(const QString& fileName) {
    return fileName.endsWith(".css") ? HighlightMode::CssOnly : HighlightMode::Html;
}

struct StyledLine {
    QByteArray styles;
    int stateOut = 0;
};

StyledLine Style1(HighlightMode mode, const QByteArray& line, int stateIn) {
    StyledLine result;
    result.styles = QByteArray(line.size(), '\0');
    result.stateOut = StyleLine(mode, line.constData(), int(line.size()), stateIn,
                                reinterpret_cast<unsigned char*>(result.styles.data()));
    return result;
}

QList<StyledLine> StyleDocument(HighlightMode mode, const QList<QByteArray>& lines,
                                int firstLine = 0, int stateIn = kInitialLineState) {
    QList<StyledLine> styled;
    int state = stateIn;
    for (qsizetype i = firstLine; i < lines.size(); ++i) {
        styled.append(Style1(mode, lines[i], state));
        state = styled.last().stateOut;
    }
    return styled;
}

QByteArray Quoted(const QByteArray& text) {
    QByteArray quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\' + QByteArray(1, c);
        else if (c == '\t')
            quoted += "\\t";
        else if (static_cast<unsigned char>(c) < 0x20)
            quoted += "\\x" +
                      QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        else
            quoted += c;
    }
    return quoted + '"';
}

QByteArray KeyOf(int style) {
    const char* key = StyleKey(style);
    return key ? QByteArray(key) : "style-" + QByteArray::number(style);
}

// "L<n>: <style> "<text>" | ..." with one run per stretch of equal styles.
QByteArray RenderLine(int number, const QByteArray& line, const QByteArray& styles) {
    QByteArray out = "L" + QByteArray::number(number) + ":";
    for (qsizetype start = 0; start < line.size();) {
        qsizetype end = start + 1;
        while (end < line.size() && styles[end] == styles[start])
            ++end;
        out += (start == 0 ? " " : " | ") + KeyOf(static_cast<unsigned char>(styles[start])) + " " +
               Quoted(line.mid(start, end - start));
        start = end;
    }
    return out;
}

QByteArray Render(HighlightMode mode, const QByteArray& text) {
    const QList<QByteArray> lines = SplitLines(text);
    const QList<StyledLine> styled = StyleDocument(mode, lines);
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i)
        out += RenderLine(int(i + 1), lines[i], styled[i].styles) + '\n';
    return out;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString SamplesFolder() {
    return QStringLiteral(QUILLON_HIGHLIGHT_SAMPLES);
}

QStringList SampleFiles() {
    return QDir(SamplesFolder()).entryList({"*.html", "*.css"}, QDir::Files, QDir::Name);
}

// The styles of text[from, from + length) must all be style.
bool AllStyled(const QByteArray& styles, qsizetype from, qsizetype length, int style) {
    for (qsizetype i = from; i < from + length; ++i) {
        if (static_cast<unsigned char>(styles[i]) != style)
            return false;
    }
    return true;
}

} // namespace

class HighlightingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!SampleFiles().isEmpty(), qPrintable(SamplesFolder())); }

    // Each sample document against the runs recorded next to it. With
    // QUILLON_UPDATE_REFERENCES=1 the records are rewritten instead.
    void samples_data() {
        QTest::addColumn<QString>("fileName");
        for (const QString& name : SampleFiles())
            QTest::newRow(qPrintable(name)) << name;
    }
    void samples() {
        QFETCH(QString, fileName);
        const QString path = QDir(SamplesFolder()).filePath(fileName);
        const QByteArray actual = Render(ModeFor(fileName), ReadFile(path));
        const QString referencePath = path + ".styles";
        if (qgetenv("QUILLON_UPDATE_REFERENCES") == "1") {
            QFile file(referencePath);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(actual);
            qInfo("rewrote %s", qPrintable(referencePath));
            return;
        }
        const QList<QByteArray> expectedLines = ReadFile(referencePath).split('\n');
        const QList<QByteArray> actualLines = actual.split('\n');
        for (qsizetype i = 0; i < std::max(expectedLines.size(), actualLines.size()); ++i) {
            const QByteArray expected = expectedLines.value(i, "<missing>");
            const QByteArray got = actualLines.value(i, "<missing>");
            if (expected != got) {
                QFAIL(qPrintable(QStringLiteral("%1 line %2\n   expected: %3\n     actual: %4")
                                     .arg(referencePath)
                                     .arg(i + 1)
                                     .arg(QString::fromUtf8(expected), QString::fromUtf8(got))));
            }
        }
    }

    // Long runs of one style are cut into words, blanks and single marks,
    // alternating with the twin style; short runs and characters stay whole.
    void longRunsAreSplitIntoPieces() {
        const QByteArray text = "<b>" + QByteArray("caf\xC3\xA9 (x) ").repeated(3) + "end";
        QByteArray styles(text.size(), char(Style::HtmlText));
        styles[0] = styles[1] = char(Style::HtmlTagName);
        SplitLongStyleRuns(text.constData(), reinterpret_cast<unsigned char*>(styles.data()),
                           int(text.size()));
        QByteArray pieces;
        QList<int> bases;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i > 0 && styles[i] != styles[i - 1])
                pieces += '|';
            pieces += text[i];
            bases << BaseStyle(static_cast<unsigned char>(styles[i]));
        }
        QCOMPARE(pieces, QByteArray("<b|>|caf\xC3\xA9| |(|x|)| |caf\xC3\xA9| |(|x|)| |caf\xC3\xA9| "
                                    "|(|x|)| |end"));
        QCOMPARE(bases.count(int(Style::HtmlText)), int(text.size()) - 2);
        // A run the engine keeps widths for is left as it is.
        QByteArray shortStyles(20, char(Style::JsString));
        SplitLongStyleRuns("short string of text",
                           reinterpret_cast<unsigned char*>(shortStyles.data()), 20);
        QCOMPARE(shortStyles, QByteArray(20, char(Style::JsString)));
    }

    // Restyling from any line with the state stored for the line before gives
    // what styling from the top gave: nothing is carried but the state.
    void restartFromStoredState() {
        for (const QString& name : SampleFiles()) {
            const HighlightMode mode = ModeFor(name);
            const QList<QByteArray> lines =
                SplitLines(ReadFile(QDir(SamplesFolder()).filePath(name)));
            const QList<StyledLine> whole = StyleDocument(mode, lines);
            for (int first = 1; first < lines.size(); ++first) {
                const QList<StyledLine> rest =
                    StyleDocument(mode, lines, first, whole[first - 1].stateOut);
                for (qsizetype i = 0; i < rest.size(); ++i) {
                    const QByteArray where =
                        name.toUtf8() + " from line " + QByteArray::number(first + 1);
                    QVERIFY2(rest[i].styles == whole[first + i].styles, where.constData());
                    QVERIFY2(rest[i].stateOut == whole[first + i].stateOut, where.constData());
                }
            }
        }
    }

    void regionMarkers_data() {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<int>("marker");
        QTest::addColumn<int>("inside"); // the style of "x" inside the region
        QTest::newRow("CSS Full") << QByteArray("<style type=\"text/css\">")
                                  << QByteArray("</style>") << int(Style::MarkerCssFull)
                                  << int(Style::CssIdentifier);
        QTest::newRow("CSS Full in capitals")
            << QByteArray("<STYLE TYPE=\"TEXT/CSS\">") << QByteArray("</Style>")
            << int(Style::MarkerCssFull) << int(Style::CssIdentifier);
        QTest::newRow("CSS Style") << QByteArray("<style>") << QByteArray("</style>")
                                   << int(Style::MarkerCssStyle) << int(Style::CssIdentifier);
        QTest::newRow("JS Full") << QByteArray(
                                        "<script language=\"JavaScript\" type=\"text/javascript\">")
                                 << QByteArray("</script>") << int(Style::MarkerJsFull)
                                 << int(Style::JsIdentifier);
        QTest::newRow("JS Script") << QByteArray("<sCrIpT>") << QByteArray("</SCRIPT>")
                                   << int(Style::MarkerJsScript) << int(Style::JsIdentifier);
    }
    void regionMarkers() {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, end);
        QFETCH(int, marker);
        QFETCH(int, inside);
        // On one line, twice over, and across three lines.
        const QByteArray region = start + "x" + end;
        const StyledLine line = Style1(HighlightMode::Html, "a" + region + region + "b", 0);
        for (qsizetype offset : {qsizetype(1), 1 + region.size()}) {
            QVERIFY(AllStyled(line.styles, offset, start.size(), marker));
            QCOMPARE(int(line.styles[offset + start.size()]), inside);
            QVERIFY(AllStyled(line.styles, offset + start.size() + 1, end.size(), marker));
        }
        QCOMPARE(int(line.styles.back()), int(Style::HtmlText));
        QCOMPARE(line.stateOut, kInitialLineState);

        const QList<StyledLine> lines =
            StyleDocument(HighlightMode::Html, {start, "x", end + "&amp;"});
        QVERIFY(AllStyled(lines[0].styles, 0, start.size(), marker));
        QCOMPARE(int(lines[1].styles[0]), inside);
        QVERIFY(AllStyled(lines[2].styles, 0, end.size(), marker));
        QCOMPARE(int(lines[2].styles.back()), int(Style::HtmlEntity));
    }

    // Only the exact start texts open regions; these are HTML throughout.
    void startTextsThatOpenNoRegion_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("script with a type only")
            << QByteArray("<script type=\"text/javascript\">var x = 1;");
        QTest::newRow("style with media") << QByteArray("<style media=\"print\">p { }");
        QTest::newRow("in a comment") << QByteArray("<!-- <script> --> var x = 1;");
        QTest::newRow("in a value") << QByteArray("<p title=\"<style>\"> p { }");
        QTest::newRow("in server script") << QByteArray("<% <script> %> var x = 1;");
    }
    void startTextsThatOpenNoRegion() {
        QFETCH(QByteArray, line);
        const StyledLine styled = Style1(HighlightMode::Html, line, kInitialLineState);
        QCOMPARE(styled.stateOut, kInitialLineState);
        for (char style : styled.styles)
            QVERIFY(static_cast<unsigned char>(style) <= Style::HtmlServerScript);
        QCOMPARE(int(styled.styles.back()), int(Style::HtmlText));
    }

    // Any bytes in any state: every byte gets a style from the table, nothing
    // is written past the line, and the state returned is taken back.
    void arbitraryBytesAndStates() {
        QRandomGenerator random(20240611);
        const QByteArray pieces[] = {
            "<style>", "</STYLE>", "<script>", "</script>", "<!--",  "-->",    "<%", "%>", "/*",
            "*/",      "\"",       "'",        "`",         "\\",    "{",      "}",  ":",  ";",
            "/",       "&#x",      "é",        "\t",        "<a b=", "0x1.e+", "#"};
        for (HighlightMode mode : {HighlightMode::Html, HighlightMode::CssOnly}) {
            int state = kInitialLineState;
            for (int round = 0; round < 3000; ++round) {
                QByteArray line;
                const int parts = random.bounded(12);
                for (int i = 0; i < parts; ++i) {
                    line += random.bounded(2) ? pieces[random.bounded(int(std::size(pieces)))]
                                              : QByteArray(1, char(random.bounded(256)));
                }
                if (round % 50 == 0)
                    state = int(random.generate() & 0x7fffffff); // garbage is accepted too
                // An exact-size copy lets a memory checker catch reads past the line.
                const std::vector<char> bytes(line.begin(), line.end());
                QByteArray styles(line.size() + 4, char(0xee));
                state = StyleLine(mode, bytes.data(), int(bytes.size()), state,
                                  reinterpret_cast<unsigned char*>(styles.data()));
                QVERIFY(state >= 0);
                for (qsizetype i = 0; i < line.size(); ++i)
                    QVERIFY2(static_cast<unsigned char>(styles[i]) < Style::Count,
                             line.constData());
                QVERIFY(styles.endsWith("\xee\xee\xee\xee"));
            }
        }
    }

    // Whether a '/' divides or starts a regular expression depends on the
    // token before it, on the same line or an earlier one.
    void javaScriptSlashes_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("lastLine");
        QTest::newRow("after return")
            << QByteArray("return /a'b/g;")
            << QByteArray("L1: js-reserved \"return\" | js-space \" \" | js-string \"/a'b/g\" | "
                          "js-symbol \";\"");
        QTest::newRow("after this")
            << QByteArray("this / 2 / 3")
            << QByteArray("L1: js-reserved \"this\" | js-space \" \" | js-symbol \"/\" | "
                          "js-space \" \" | js-number \"2\" | js-space \" \" | js-symbol \"/\" | "
                          "js-space \" \" | js-number \"3\"");
        QTest::newRow("after a bracket")
            << QByteArray("f(x)[0] /2/ 1")
            << QByteArray("L1: js-identifier \"f\" | js-symbol \"(\" | js-identifier \"x\" | "
                          "js-symbol \")[\" | js-number \"0\" | js-symbol \"]\" | js-space \" \" | "
                          "js-symbol \"/\" | js-number \"2\" | js-symbol \"/\" | js-space \" \" | "
                          "js-number \"1\"");
        QTest::newRow("operand on the line before")
            << QByteArray("x = total /* ends with a name */\n/ 2 / 3")
            << QByteArray(
                   "L2: js-symbol \"/\" | js-space \" \" | js-number \"2\" | js-space \" \" | "
                   "js-symbol \"/\" | js-space \" \" | js-number \"3\"");
        QTest::newRow("operator on the line before")
            << QByteArray("x =\n/ 2 / + 3")
            << QByteArray("L2: js-string \"/ 2 /\" | js-space \" \" | js-symbol \"+\" | "
                          "js-space \" \" | js-number \"3\"");
        QTest::newRow("no closing slash")
            << QByteArray("(/ 2")
            << QByteArray("L1: js-symbol \"(/\" | js-space \" \" | js-number \"2\"");
        QTest::newRow("slash in a class")
            << QByteArray("s.split(/[/\\]]/)")
            << QByteArray("L1: js-identifier \"s\" | js-symbol \".\" | js-identifier \"split\" | "
                          "js-symbol \"(\" | js-string \"/[/\\\\]]/\" | js-symbol \")\"");
    }
    void javaScriptSlashes() {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, lastLine);
        const QList<QByteArray> lines = SplitLines("<script>\n" + script);
        const QList<StyledLine> styled = StyleDocument(HighlightMode::Html, lines);
        QCOMPARE(RenderLine(int(lines.size() - 1), lines.last(), styled.last().styles), lastLine);
    }

    // The word lists: HTML and CSS ignore letter case, JavaScript does not.
    void knownWords() {
        auto tag = [](const char* word) { return IsKnownHtmlTag(word, int(strlen(word))); };
        auto property = [](const char* word) {
            return IsKnownCssProperty(word, int(strlen(word)));
        };
        auto reserved = [](const char* word) { return IsJsReservedWord(word, int(strlen(word))); };
        QVERIFY(tag("a") && tag("BLOCKQUOTE") && tag("FigCaption") && tag("h6"));
        QVERIFY(!tag("") && !tag("h7") && !tag("blockquotes") && !tag("my-element"));
        QVERIFY(property("color") && property("Z-INDEX") && property("-moz-border-radius") &&
                property("-WEBKIT-transform"));
        QVERIFY(!property("colour") && !property("--color") && !property("-webkit-") &&
                !property("-color") && !property("-x-y"));
        QVERIFY(reserved("instanceof") && reserved("NaN") && reserved("yield"));
        QVERIFY(!reserved("Var") && !reserved("NULL") && !reserved("nan") && !reserved("x"));
    }

    // Every word of a set is found and nothing else, however the words collide.
    void wordSetLookup() {
        QList<QByteArray> words;
        for (int i = 0; i < 300; ++i)
            words.append("w" + QByteArray::number(i * 7));
        std::vector<const char*> pointers;
        for (const QByteArray& word : words)
            pointers.push_back(word.constData());
        const WordSet exact(pointers, false);
        const WordSet anyCase(pointers, true);
        for (int i = 0; i < 2100; ++i) {
            const QByteArray word = "w" + QByteArray::number(i);
            const QByteArray upper = "W" + QByteArray::number(i);
            QCOMPARE(exact.contains(word.constData(), int(word.size())), i % 7 == 0);
            QCOMPARE(exact.contains(upper.constData(), int(upper.size())), false);
            QCOMPARE(anyCase.contains(upper.constData(), int(upper.size())), i % 7 == 0);
        }
    }

    // The state packs each language's context without loss.
    void contextsSurvivePacking() {
        for (int depth : {0, 1, kMaxCssBlockDepth}) {
            for (bool inValue : {false, true}) {
                for (CssState state :
                     {CssState::Normal, CssState::Comment, CssState::DoubleQuotedString,
                      CssState::SingleQuotedString}) {
                    const CssContext css{state, static_cast<unsigned char>(depth), inValue};
                    QVERIFY(PackCssContext(css) < (1 << kCssContextBits));
                    QVERIFY(UnpackCssContext(PackCssContext(css)) == css);
                }
            }
        }
        for (bool afterOperand : {false, true}) {
            for (JsState state : {JsState::Code, JsState::BlockComment, JsState::TemplateLiteral,
                                  JsState::DoubleQuotedString, JsState::SingleQuotedString}) {
                const JsContext js{state, afterOperand};
                QVERIFY(PackJsContext(js) < (1 << kJsContextBits));
                QVERIFY(UnpackJsContext(PackJsContext(js)) == js);
            }
        }
    }

    // The sample records name styles by key, so keys must be distinct; the
    // two space styles of CSS and JavaScript take the editor's font colour.
    void styleTable() {
        QSet<QByteArray> keys;
        for (int style = 0; style < Style::Count; ++style) {
            QVERIFY(StyleKey(style) && StyleDescription(style));
            keys.insert(StyleKey(style));
            QCOMPARE(StyleLook(style).foreground.isValid(),
                     style != Style::CssSpace && style != Style::JsSpace);
        }
        QCOMPARE(keys.size(), int(Style::Count));
        QCOMPARE(StyleKey(Style::Count), nullptr);
    }
};

QTEST_GUILESS_MAIN(HighlightingTest)
#include "tst_highlighting.moc"
