#include "Cp1252Codec.h"
#include "RichEditToHtml.h"
#include "RtfReader.h"
#include "StrToHtml.h"
#include "SystemColors.h"
#include "support/PerCharacterHtml.h"

#include <QApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

CharFormat Arial10() {
    CharFormat format;
    format.face = QStringLiteral("Arial");
    format.size = 10;
    format.color = 0;
    return format;
}

// A document from lines of (text, format of every character, paragraph).
struct LineSpec {
    std::u32string text;
    std::vector<CharFormat> formats; // one per character, or one for all
    ParagraphFormat paragraph;
};
RichTextDocument Make(const CharFormat& defaults, const std::vector<LineSpec>& lines) {
    RichTextDocument document;
    document.SetDefaultFormat(defaults);
    for (const LineSpec& line : lines) {
        for (size_t i = 0; i < line.text.size(); ++i)
            document.Append(line.text[i],
                            line.formats.size() > i ? line.formats[i] : line.formats.front());
        document.EndLine(line.paragraph);
    }
    return document;
}

QStringList Convert(const RichTextDocument& document) {
    RichEditToHtml converter;
    return converter.ConvertToHtmlstringList(document);
}

RichTextDocument Read(const QByteArray& rtf) {
    const auto document = ReadRtf(rtf);
    if (!document)
        qFatal("not read as rich text");
    return *document;
}

// The colour the automatic (window text) colour resolves to.
void SetWindowTextColor(const QColor& color) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Text, color);
    QApplication::setPalette(palette);
}

QStringList Lines(const RichTextDocument& document) {
    QStringList lines;
    for (int i = 0; i < document.LineCount(); ++i)
        lines << document.LineText(i);
    return lines;
}

} // namespace

class RichTextTest : public QObject {
    Q_OBJECT

private slots:
    // Every entry of the table, in order, and what encoding and decoding
    // make of each of the 256 single-byte codes.
    void entityTable() {
        const std::pair<char16_t, const char*> named[] = {
            {34, "&quot;"},    {224, "&agrave;"}, {231, "&ccedil;"}, {233, "&eacute;"},
            {232, "&egrave;"}, {234, "&ecirc;"},  {249, "&ugrave;"}, {235, "&euml;"},
            {60, "&lt;"},      {62, "&gt;"},      {94, "&#136;"},    {126, "&#152;"}};
        const char16_t numeric[] = {
            163, 167, 176, 178, 179, 181, 183, 188, 189, 191, 192, 193, 194, 195, 196, 197, 198,
            199, 200, 201, 202, 203, 204, 205, 206, 207, 209, 210, 211, 212, 213, 214, 217, 218,
            219, 220, 221, 223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236,
            237, 238, 239, 241, 242, 243, 244, 245, 246, 247, 249, 250, 251, 252, 253, 255};
        static_assert(std::size(named) + std::size(numeric) == 79);
        std::vector<std::pair<char16_t, QString>> expected;
        for (const auto& [character, reference] : named)
            expected.emplace_back(character, QLatin1String(reference));
        for (const char16_t code : numeric)
            expected.emplace_back(code, QStringLiteral("&#%1;").arg(int(code)));
        QCOMPARE(EntityTable::kSize, int(expected.size()));
        for (int position = 0; position < EntityTable::kSize; ++position) {
            const auto& [character, reference] = expected[size_t(position)];
            QCOMPARE(EntityTable::At(position).character, character);
            QCOMPARE(QLatin1String(EntityTable::At(position).reference), reference);
            QCOMPARE(TextToHtml(reference.toUpper()), QString(QChar(character)));
        }
        for (char32_t code = 0; code < 256; ++code) {
            const auto first = std::find_if(expected.begin(), expected.end(),
                                            [&](const auto& entry) { return entry.first == code; });
            QCOMPARE(CharToHtml(code),
                     first != expected.end() ? first->second : QString(QChar(char16_t(code))));
        }
    }

    void wholeTextConversions() {
        QCOMPARE(HtmlToText(QStringLiteral("a<b & \"c\"")),
                 QStringLiteral("a&lt;b & &quot;c&quot;"));
        QCOMPARE(TextToHtml(QStringLiteral("&LT;p&gt;")), QStringLiteral("<p>"));
        QCOMPARE(TextToHtml(QStringLiteral("&#233;t&eacute;")), QStringLiteral("\u00E9t\u00E9"));
        QCOMPARE(TextToHtml(QStringLiteral("&Agrave;")), QStringLiteral("\u00E0"));
        QCOMPARE(TextToHtml(QStringLiteral("&amp; &nbsp;")), QStringLiteral("&amp; &nbsp;"));
        QCOMPARE(TextToHtml(QStringLiteral("&#136;&#152;")), QStringLiteral("^~"));
        StrToHtml codec;
        codec.SetText(QStringLiteral("x &lt; y"));
        QCOMPARE(codec.Html(), QStringLiteral("x < y"));
        QCOMPARE(codec.Text(), QString());
        codec.SetHtml(QStringLiteral("<"));
        QCOMPARE(codec.Text(), QStringLiteral("&lt;"));
        QCOMPARE(codec.Html(), QStringLiteral("x < y"));
    }

    void emptyDocumentAndProgress() {
        RichEditToHtml converter;
        const QStringList lines = converter.ConvertToHtmlstringList(Make(Arial10(), {}));
        QCOMPARE(lines, QStringList({"", "", "", "<FONT COLOR=#000000 SIZE=4 FACE=\"Arial\">", "",
                                     "", "</FONT>", "", ""}));
        QCOMPARE(converter.ProgressCount(), 27);
        QVERIFY(converter.Finished());
        converter.ConvertToHtmlstringList(Make(Arial10(), {{U"x", {Arial10()}, {}}}));
        QCOMPARE(converter.ProgressCount(), 71);
    }

    void plainAndBoldLines() {
        const CharFormat plain = Arial10();
        QCOMPARE(Convert(Make(plain, {{U"Hi", {plain}, {}}, {U"", {plain}, {}}})),
                 QStringList({"", "", "", "<FONT COLOR=#000000 SIZE=4 FACE=\"Arial\">", "<BR>Hi",
                              "<BR>", "", "", "</FONT>", "", ""}));
        CharFormat bold = plain;
        bold.bold = true;
        const QStringList lines = Convert(Make(plain, {{U"ab", {plain, bold}, {}}}));
        QCOMPARE(lines.at(4),
                 QStringLiteral("<BR>a<FONT COLOR=#000000 SIZE=4 FACE=\"Arial\"><B>b"));
        QCOMPARE(lines.at(5), QStringLiteral("</B></FONT>"));
        CharFormat all = plain;
        all.bold = all.italic = all.underline = all.strikeOut = true;
        QVERIFY(Convert(Make(plain, {{U"<", {all}, {}}}))
                    .at(4)
                    .endsWith(QStringLiteral("<B><I><STRIKE><U>&lt;")));
    }

    void paragraphsAndBullets() {
        const CharFormat plain = Arial10();
        const ParagraphFormat centre{Alignment::Center, Numbering::None};
        QStringList lines = Convert(Make(plain, {{U"a", {plain}, centre}, {U"b", {plain}, {}}}));
        QCOMPARE(lines.at(4), QStringLiteral("<BR><P ALIGN=\"CENTER\">a"));
        QCOMPARE(lines.at(5), QStringLiteral("<BR></P><P ALIGN=\"LEFT\">b"));
        QCOMPARE(lines.at(7), QStringLiteral("</P>"));
        const ParagraphFormat bullet{Alignment::Left, Numbering::Bullet};
        lines = Convert(Make(plain, {{U"a", {plain}, bullet}, {U"b", {plain}, bullet}}));
        QCOMPARE(lines.at(4), QStringLiteral("<BR><LI><P ALIGN=\"LEFT\">a"));
        QCOMPARE(lines.at(5), QStringLiteral("<BR></P></LI><LI><P ALIGN=\"LEFT\">b"));
        QCOMPARE(lines.at(7), QStringLiteral("</P></LI>"));
    }

    void sizesColoursAndWideCharacters() {
        RichEditToHtml converter;
        CharFormat format = Arial10();
        for (const auto& [size, number] : {std::pair{8, 2}, {12, 6}, {14, 8}, {16, 2}, {24, 2}}) {
            format.size = size;
            QVERIFY(converter.FontTag(format).opening.contains(
                " SIZE=" + QByteArray::number(number) + ' '));
        }
        SetWindowTextColor(QColor(0x12, 0x34, 0x56));
        format.color = kWindowTextColor;
        QVERIFY(converter.FontTag(format).opening.startsWith("<FONT COLOR=#123456 "));
        format.color = 0x00FF8000;
        QVERIFY(converter.FontTag(format).opening.startsWith("<FONT COLOR=#0080FF "));
        // Characters outside Windows-1252 become numeric references; the
        // euro sign stays a character.
        const QStringList lines =
            Convert(Make(Arial10(), {{U"\u0416\u20AC\U0001F600", {Arial10()}, {}}}));
        QCOMPARE(lines.at(4), QStringLiteral("<BR>&#1046;\u20AC&#128512;"));
    }

    void runsGiveTheSameAsEveryCharacter() {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
            "{\\colortbl;\\red255\\green0\\blue0;}"
            "\\pard\\qc Ti{\\b tle} & <x>\\par\\pard\\par"
            "{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}one {\\cf1\\f1\\fs32 red}\\par"
            "{\\*\\pn\\pnlvlblt}two\\line\\i three\\par\\pard\\qr \\'e9\\u1046?\\par}";
        const RichTextDocument document = Read(rtf);
        QCOMPARE(Convert(document), ConvertPerCharacter(document));
        QCOMPARE(Lines(document),
                 QStringList({"Title & <x>", "", "one red", "two", "three", "\u00E9\u0416"}));
    }

    void fontsCodePagesAndColours() {
        const RichTextDocument document =
            Read("{\\rtf1\\ansi\\ansicpg1251\\deff1{\\fonttbl{\\f0\\fcharset0 Arial;}"
                 "{\\f1\\fnil\\fcharset204{\\*\\panose 0}Courier New;}{\\f2 Symbol;}}"
                 "{\\colortbl;\\red0\\green128\\blue255;;}"
                 "\\'c6{\\f0\\'e9}{\\f2\\'c6}{\\cf1 c}{\\cf2 d}{\\cf9 e}{\\fs21 f}{\\f7 g}\\par}");
        QCOMPARE(document.LineText(0), QStringLiteral("\u0416\u00E9\u0416cdefg"));
        QCOMPARE(document.DefaultFormat().face, QStringLiteral("Courier New"));
        QCOMPARE(document.FormatAt(0).face, QStringLiteral("Courier New"));
        QCOMPARE(document.FormatAt(1).face, QStringLiteral("Arial"));
        QCOMPARE(document.FormatAt(2).face, QStringLiteral("Symbol"));
        QCOMPARE(document.FormatAt(3).color, 0 + 128 * 256 + 255 * 65536);
        QCOMPARE(document.FormatAt(4).color, kWindowTextColor); // an empty entry
        QCOMPARE(document.FormatAt(5).color, kWindowTextColor); // no such entry
        QCOMPARE(document.FormatAt(6).size, 10);
        QCOMPARE(document.FormatAt(7).face, QStringLiteral("Courier New"));
        QCOMPARE(document.FormatAt(0).size, 12);
        // A double-byte code page takes lead and trail byte together; its
        // half-width katakana are single bytes.
        QCOMPARE(Read("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'93\\'fa\\'b1}")
                     .LineText(0),
                 QStringLiteral("\u65E5\uFF71"));
    }

    // Face names of East Asian fonts are written in the font's own
    // character set, whatever the document's code page.
    void faceNamesInTheirCharset() {
        const RichTextDocument document =
            Read("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\deflangfe1041{\\fonttbl"
                 "{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}"
                 "{\\f1\\froman\\fprq1\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
                 "{\\f2\\fswiss\\fprq2\\fcharset128 \\'82l\\'82r \\'82o\\'83S\\'83V\\'83b\\'83N;}"
                 "{\\f3\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
                 "{\\f4\\fnil\\fprq2\\fcharset136 \\'b7\\'73\\'b2\\'d3\\'a9\\'fa\\'c5\\'e9;}"
                 "{\\f5\\fnil\\fprq2\\fcharset129 \\'b1\\'bc\\'b8\\'b2;}}\r\n"
                 "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
                 "\\viewkind4\\uc1\\pard\\f0\\fs20 a\\f1 b\\f2 c\\f3 d\\f4 e\\f5 f\\par\r\n}");
        const QString faces[] = {"Times New Roman",
                                 "\uFF2D\uFF33 \u660E\u671D",
                                 "\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF",
                                 "\u5B8B\u4F53",
                                 "\u65B0\u7D30\u660E\u9AD4",
                                 "\uAD74\uB9BC"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(document.FormatAt(i).face, faces[i]);
    }

    // {\upr{ANSI}{\*\ud{Unicode}}} gives the Unicode version, in the text and
    // in the font table (as Word for the Mac writes it).
    void unicodeVersionOfAPair() {
        const RichTextDocument document =
            Read("{\\rtf1\\mac\\ansicpg10000\\uc1\\deff0\\deflang1033{\\upr{\\fonttbl{\\f0\\fnil"
                 "\\fcharset256\\fprq2 Times New Roman;}{\\f1\\fnil\\fcharset256\\fprq2 Arial;}}"
                 "{\\*\\ud{\\fonttbl{\\f0\\fnil\\fcharset256\\fprq2 Times New Roman;}{\\f1\\fnil"
                 "\\fcharset256\\fprq2 Arial;}}}}\r\n{\\colortbl;\\red0\\green0\\blue0;}\r\n"
                 "{\\upr{\\info{\\title Caf\\'8e}}{\\*\\ud{\\info{\\title Caf\\u233\\'8e}}}}\r\n"
                 "\\pard\\plain\\f1\\fs24 {\\upr{Caf\\'8e ?}{\\*\\ud{Caf\\u233\\'8e "
                 "\\u8364\\'db}}} ok\\par}");
        QCOMPARE(Lines(document), QStringList({"Caf\u00E9 \u20AC ok"}));
        QCOMPARE(document.DefaultFormat().face, QStringLiteral("Times New Roman"));
        QCOMPARE(document.FormatAt(0).face, QStringLiteral("Arial"));
    }

    // Mac character sets and code pages, as TextEdit and Word for the Mac
    // write them.
    void macCodePages() {
        RichTextDocument document = Read(
            "{\\rtf1\\ansi\\ansicpg1252\\cocoartf949\\cocoasubrtf540\r\n{\\fonttbl"
            "\\f0\\fswiss\\fcharset77 Helvetica;"
            "\\f1\\fnil\\fcharset78 \\'83\\'71\\'83\\'89\\'83\\'4d\\'83\\'6d\\'8a\\'70\\'83\\'53 "
            "Pro W3;"
            "\\f2\\fnil\\fcharset79 AppleGothic;\\f3\\fnil\\fcharset80 STHeiti;"
            "\\f4\\fnil\\fcharset81 LiHei Pro;\\f5\\fnil\\fcharset89 Charcoal CY;}\r\n"
            "{\\colortbl;\\red255\\green255\\blue255;}\r\n"
            "\\pard\\tx560\\ql\\qnatural\\pardirnatural\r\n\\f0\\fs24 \\cf0 Caf\\'8e \\'d2q\\'d3 "
            "\\f1 \\'93\\'fa\\'96\\'7b \\f2 \\'c7\\'d1 \\f3 \\'d6\\'d0 \\f4 \\'a4\\'a4 "
            "\\f5 \\'8f\\'e8\\'f0}");
        QCOMPARE(document.LineText(0), QStringLiteral("Caf\u00E9 \u201Cq\u201D \u65E5\u672C "
                                                      "\uD55C \u4E2D \u4E2D \u041F\u0438\u0440"));
        QCOMPARE(document.FormatAt(9).face, QStringLiteral("\u30D2\u30E9\u30AE\u30CE\u89D2"
                                                           "\u30B4 Pro W3"));
        document =
            Read("{\\rtf1\\mac\\ansicpg10001\\uc1\\deff0{\\fonttbl{\\f0\\fnil\\fcharset256"
                 "\\fprq2 Osaka;}}\r\n\\pard\\plain\\f0\\fs24 \\'93\\'fa\\'96\\'7b\\'fd\\par}");
        QCOMPARE(document.LineText(0), QStringLiteral("\u65E5\u672C\u00A9"));
        QCOMPARE(Read("{\\rtf1\\mac\\deff0{\\fonttbl{\\f0\\fnil Geneva;}}\\f0 \\'8e}").LineText(0),
                 QStringLiteral("\u00E9"));
    }

    void characterAttributes() {
        const RichTextDocument document =
            Read("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\b a\\b0 b\\i c\\i0\\ul d\\ulnone e\\uldb f\\ul0 "
                 "g\\strike h\\strike0\\b\\i\\fs40 i\\plain j}");
        const auto format = [&](int offset) { return document.FormatAt(offset); };
        QVERIFY(format(0).bold && !format(1).bold);
        QVERIFY(format(2).italic && !format(3).italic);
        QVERIFY(format(3).underline && !format(4).underline && format(5).underline);
        QVERIFY(!format(6).underline && format(7).strikeOut);
        QVERIFY(format(8).bold && format(8).italic && format(8).size == 20);
        QVERIFY(!format(9).bold && !format(9).italic && format(9).size == 12);
        QCOMPARE(document.LineText(0), QStringLiteral("abcdefghij")); // the final line without \par
    }

    void paragraphAttributes() {
        const RichTextDocument document = Read(
            "{\\rtf1\\pard\\qc a\\par\\qr b\\par\\qj c\\par\\ql d\\par\\qc\\pard e\\par"
            "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext "
            "1;}}{\\listlevel\\levelnfc23}"
            "\\listid7}{\\list{\\listlevel\\levelnfcn23}\\listid8}}"
            "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}{\\listoverride\\listid8\\ls2}}"
            "\\pard\\ls1 f\\par\\ls1\\ilvl1 g\\par\\pard\\ls2 h\\par\\pard{\\pn\\pnlvlbody} "
            "i\\par}");
        QCOMPARE(Lines(document), QStringList({"a", "b", "c", "d", "e", "f", "g", "h", " i"}));
        const Alignment expected[] = {Alignment::Center, Alignment::Right, Alignment::Left,
                                      Alignment::Left, Alignment::Left};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(document.LineAt(i).paragraph.alignment, expected[i]);
        QCOMPARE(document.LineAt(5).paragraph.numbering, Numbering::None); // a numbered level
        QCOMPARE(document.LineAt(6).paragraph.numbering, Numbering::Bullet);
        QCOMPARE(document.LineAt(7).paragraph.numbering, Numbering::Bullet);
        QCOMPARE(document.LineAt(8).paragraph.numbering, Numbering::None);
    }

    // Word processors often end the last paragraph with the closing brace
    // alone; it keeps its alignment and bullet.
    void lastParagraphWithoutPar() {
        const QByteArray header = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0"
                                  "\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
                                  "{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1";
        RichTextDocument document =
            Read(header + "\\pard\\qc\\f0\\fs20 Centered line\r\n}\r\n" + '\0');
        QCOMPARE(Lines(document), QStringList({"Centered line"}));
        QCOMPARE(document.LineAt(0).paragraph.alignment, Alignment::Center);
        QVERIFY(Convert(document).at(4).endsWith("<P ALIGN=\"CENTER\">Centered line"));
        document = Read(header + "\\pard\\f0\\fs20 First\\par\r\n{\\pntext\\f1\\'B7\\tab}{\\*\\pn"
                                 "\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\qr\\fi-360\\li720 "
                                 "{\\cf1 Item}\r\n}");
        QCOMPARE(Lines(document), QStringList({"First", "Item"}));
        QCOMPARE(document.LineAt(1).paragraph,
                 (ParagraphFormat{Alignment::Right, Numbering::Bullet}));
    }

    // A page or column break inside a paragraph ends its line; one at the
    // start of a paragraph adds no empty line.
    void pageAndColumnBreaks() {
        const RichTextDocument document = Read(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}"
            "\r\n{\\colortbl;\\red0\\green0\\blue0;}\r\n\\pard\\plain\\f0\\fs24 Page one"
            "{\\page }Page two\\par\r\n\\page Page three\\sect\r\n\\sectd\\sbknone\\cols2 "
            "Left\\column Right\\par\r\n}");
        QCOMPARE(Lines(document),
                 QStringList({"Page one", "Page two", "Page three", "Left", "Right"}));
    }

    void textControlsTablesFieldsAndDestinations() {
        const RichTextDocument document =
            Read("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\generator G;}"
                 "{\\header H\\par}{\\footer F\\par}a\\~b\\-c\\_d\\tab e\\{\\}\\\\\\emdash\\par"
                 "{\\pict\\wmetafile8 0123abcd}{\\footnote note}"
                 "\\trowd\\cellx100\\cellx200\\intbl x\\cell y\\cell\\row"
                 "{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}} \\unknownword5 z"
                 "{\\*\\unknowndest hidden}{\\v hidden}\\par}");
        QCOMPARE(Lines(document), QStringList({"a\u00A0bc-d\te{}\\\u2014", "x", "y", "link z"}));
    }

    void unicodeAndBinary() {
        QCOMPARE(Read("{\\rtf1\\u1046?\\uc2\\u-4064??x\\uc0\\u233 y\\uc1\\u55357?\\u56832?}")
                     .LineText(0),
                 QStringLiteral("\u0416\uF020x\u00E9y\U0001F600"));
        // The fallback of \uN counts \'hh as one and ends at a brace.
        QCOMPARE(Read("{\\rtf1\\uc1\\u1046\\'41B{\\u1047}C}").LineText(0),
                 QStringLiteral("\u0416B\u0417C"));
        QCOMPARE(Read("{\\rtf1 a{\\*\\blipuid x}{\\pict\\bin4 }{}b}c}").LineText(0),
                 QStringLiteral("ac"));
    }

    // Hostile input ends in the text that could be read, without a crash,
    // a hang or unbounded memory.
    void hostileInput() {
        QVERIFY(!ReadRtf(QByteArray()));
        QVERIFY(!ReadRtf("plain text, not rich text"));
        QVERIFY(!ReadRtf("<html><body>x</body></html>"));
        QCOMPARE(Lines(Read("{\\rtf1 ab\\par cd")), QStringList({"ab", "cd"})); // truncated
        QCOMPARE(Lines(Read("{\\rtf1 ab\\b")), QStringList({"ab"}));
        QCOMPARE(Lines(Read("{\\rtf1 a}}}b}")), QStringList({"a"}));
        QCOMPARE(Lines(Read("{\\rtf1 a{{{{b")), QStringList({"ab"}));
        QCOMPARE(Lines(Read("{\\rtf1 a\\'")), QStringList({"a"}));
        QCOMPARE(Lines(Read("{\\rtf1 a\\'zz b\\")), QStringList({"azz b"}));
        // A huge \bin skips to the end of the input.
        QCOMPARE(Lines(Read("{\\rtf1 a\\bin99999999999 bcd}")), QStringList({"a"}));
        QCOMPARE(Lines(Read("{\\rtf1 a\\bin-5 b}")), QStringList({"ab"}));
        QCOMPARE(
            Read("{\\rtf1\\uc0 \\u99999999 \\u-99999 \\u0 x{\\uc99999999\\u65 yz}w}").LineText(0),
            QStringLiteral("\uFFFD\uFFFDxAw"));
        QCOMPARE(Read("{\\rtf1\\fs-8 a\\fs99999999999 b\\cf-3 c}").LineText(0),
                 QStringLiteral("abc"));
        const QByteArray deep =
            "{\\rtf1 " + QByteArray(100000, '{') + "\\b deep" + QByteArray(100000, '}') + " after}";
        const RichTextDocument nested = Read(deep);
        QCOMPARE(nested.LineText(0), QStringLiteral("deep after"));
        QVERIFY(!nested.FormatAt(5).bold);
        const RichTextDocument unclosed = Read("{\\rtf1 " + QByteArray(100000, '{') + "x");
        QCOMPARE(unclosed.LineText(0), QStringLiteral("x"));
        // Many distinct formats, and lists of many levels, stay linear.
        QByteArray many = "{\\rtf1{\\*\\listtable{\\list";
        for (int i = 0; i < 200000; ++i)
            many += "\\listlevel\\levelnfc23";
        many += "\\listid1}}";
        for (int i = 0; i < 200000; ++i)
            many += "\\fs" + QByteArray::number(i) + " x";
        QCOMPARE(Read(many + '}').Formats().size(), size_t(100000)); // sizes in whole points
        QCOMPARE(Lines(Read("{\\rtf1 " + QByteArray(5000, 'w').prepend("\\") + " x}")),
                 QStringList({"x"}));
    }

    void writesTheFile() {
        SetWindowTextColor(QColor(0x12, 0x34, 0x56));
        QTemporaryDir folder;
        RichEditToHtml converter;
        const QString file = folder.filePath(QStringLiteral("rtfTemp.html"));
        converter.ConvertToHtml(Read("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\fs20 \\'e9\\par}"), file);
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("\r\n\r\n\r\n<FONT COLOR=#123456 SIZE=6 "
                                               "FACE=\"Arial\">\r\n<BR><FONT COLOR=#123456 SIZE=4 "
                                               "FACE=\"Arial\">&eacute;\r\n</FONT>\r\n\r\n</FONT>"
                                               "\r\n\r\n\r\n"));
    }
};

QTEST_MAIN(RichTextTest)
#include "tst_richtext.moc"
