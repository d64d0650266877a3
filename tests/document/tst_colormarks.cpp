#include "ColorFinder.h"
#include "ColorMarks.h"
#include "EditorControl.h"
#include "support/ScriptedPrompts.h"
#include "support/ShownEditor.h"

#include <QAbstractScrollArea>
#include <QTest>

using Found = QList<FoundColor>;
Q_DECLARE_METATYPE(FoundColor)

// The colours found in a page's text, the swatches a shown editor puts on
// them, and a colour changed by Ctrl+click through the colour dialog.
class ColorMarksTest : public QObject {
    Q_OBJECT

    // The colours of lines read one after the other, at their places in the
    // lines joined by line feeds.
    static Found Find(const QStringList& lines, ColorReaderState state = {}) {
        Found found;
        qsizetype lineStart = 0;
        for (const QString& line : lines) {
            for (FoundColor color : FindColors(line, state)) {
                color.start += lineStart;
                found.append(color);
            }
            lineStart += line.size() + 1;
        }
        return found;
    }
    static FoundColor At(qsizetype start, qsizetype length, QColor color, ColorNotation notation) {
        return {start, length, color, notation};
    }

private slots:
    void notations() {
        const QString css = QStringLiteral(
            "a { color: #f00; background: #00FF00 url(x.png); border-color: rgb(0, 0, 255);"
            " outline-color: rgba(10%, 20%, 30%, 0.5); fill: Gold; stroke: rgb(1 2 3 / 50%) }");
        const auto at = [&css](const char* written, QColor color, ColorNotation notation) {
            const QString text = QString::fromLatin1(written);
            return At(css.indexOf(text), text.size(), color, notation);
        };
        QCOMPARE(
            Find({css}, ColorReaderState::ForStyleSheet()),
            (Found{at("#f00", QColor(255, 0, 0), ColorNotation::ShortHex),
                   at("#00FF00", QColor(0, 255, 0), ColorNotation::Hex),
                   at("rgb(0, 0, 255)", QColor(0, 0, 255), ColorNotation::Rgb),
                   at("rgba(10%, 20%, 30%, 0.5)", QColor(26, 51, 77, 128), ColorNotation::Rgba),
                   at("Gold", QColor(255, 215, 0), ColorNotation::Name),
                   at("rgb(1 2 3 / 50%)", QColor(1, 2, 3, 128), ColorNotation::Rgb)}));
        // Selectors, comments, strings, numbers with units and other words
        // hold no colours; nor do four hexadecimal digits.
        QCOMPARE(
            Find({QStringLiteral("#add, .red, tan > p { /* red */ font: 'red' 10px "
                                 "tan-serif; color: #abcd; } @media print { a:hover, p.red { } }")},
                 ColorReaderState::ForStyleSheet()),
            Found{});
    }

    void regions() {
        // In HTML only style elements, style attributes and colour attributes
        // count; the reader goes on from line to line.
        const QStringList lines = {QStringLiteral("<body bgcolor=#FFF text='navy' link=#00f"),
                                   QStringLiteral("red=1 title=\"red\">red"),
                                   QStringLiteral("<!-- <p style=\"color: red\"> -->"),
                                   QStringLiteral("<p STYLE=\"margin: 0;"),
                                   QStringLiteral("  color: lime\">x</p><style media=\"all\">"),
                                   QStringLiteral("p { color: #123456 }</style>"),
                                   QStringLiteral("<font color=\"blue\">white</font>")};
        const QString page = lines.join(u'\n');
        QCOMPARE(
            Find(lines),
            (Found{At(page.indexOf(u"#FFF"), 4, Qt::white, ColorNotation::ShortHex),
                   At(page.indexOf(u"navy"), 4, QColor(0, 0, 128), ColorNotation::Name),
                   At(page.indexOf(u"#00f"), 4, Qt::blue, ColorNotation::ShortHex),
                   At(page.indexOf(u"lime"), 4, QColor(0, 255, 0), ColorNotation::Name),
                   At(page.indexOf(u"#123456"), 7, QColor(0x12, 0x34, 0x56), ColorNotation::Hex),
                   At(page.indexOf(u"blue"), 4, Qt::blue, ColorNotation::Name)}));
    }

    void writtenInTheSameNotation_data() {
        QTest::addColumn<QString>("original");
        QTest::addColumn<int>("notation");
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<QString>("written");
        const auto row = [](const char* name, const char* original, ColorNotation notation,
                            QColor chosen, const char* written) {
            QTest::newRow(name) << QString::fromLatin1(original) << int(notation) << chosen
                                << QString::fromLatin1(written);
        };
        row("short hex", "#abc", ColorNotation::ShortHex, QColor(0x11, 0x22, 0xff), "#12f");
        row("short hex upper", "#ABC", ColorNotation::ShortHex, QColor(0x11, 0x22, 0xff), "#12F");
        row("short hex that cannot", "#abc", ColorNotation::ShortHex, QColor(1, 2, 3), "#010203");
        row("hex", "#A0B0C0", ColorNotation::Hex, QColor(0xaa, 0xbb, 0xcc), "#AABBCC");
        row("name", "red", ColorNotation::Name, QColor(0, 0, 255), "blue");
        row("name kept", "grey", ColorNotation::Name, QColor(128, 128, 128), "grey");
        row("name that cannot", "Red", ColorNotation::Name, QColor(1, 2, 3), "#010203");
        row("rgb", "rgb(1,2,3)", ColorNotation::Rgb, QColor(4, 5, 6), "rgb(4, 5, 6)");
        row("rgb blanks", "RGB(1 2 3)", ColorNotation::Rgb, QColor(4, 5, 6), "RGB(4 5 6)");
        row("rgb keeps alpha", "rgb(1 2 3 / 50%)", ColorNotation::Rgb, QColor(4, 5, 6),
            "rgb(4 5 6 / 50%)");
        row("rgba keeps alpha", "rgba(1, 2, 3, .25)", ColorNotation::Rgba, QColor(4, 5, 6),
            "rgba(4, 5, 6, .25)");
    }
    void writtenInTheSameNotation() {
        QFETCH(QString, original);
        QFETCH(int, notation);
        QFETCH(QColor, chosen);
        QFETCH(QString, written);
        QCOMPARE(WriteColor(chosen, ColorNotation(notation), original), written);
    }

    // A style sheet longer than the editor shows: the lines on screen get
    // swatches, lines below only once scrolled to.
    void swatchesOnTheLinesShown() {
        const auto editor = ShownEditor();
        QVERIFY(editor);
        QStringList lines;
        for (int i = 0; i < 300; ++i)
            lines << QStringLiteral("p.c%1 { color: rgb(%1, 0, 0); }").arg(i);
        editor->SetText(lines.join(QStringLiteral("\r\n")));
        editor->AddBehaviour(std::make_unique<ColorMarks>(*editor, [] { return true; }));
        // The swatch on the "r" of the line's rgb(), by linear position.
        const auto swatchOnLine = [&](int line) {
            int position = 1;
            for (int i = 0; i < line - 1; ++i)
                position += int(lines[i].size()) + 2;
            position += int(lines[line - 1].indexOf(u"rgb"));
            for (const auto& [at, color] : editor->SwatchesShown()) {
                if (at == position)
                    return color;
            }
            return QColor();
        };
        QTRY_COMPARE(swatchOnLine(1), QColor(0, 0, 0));
        QCOMPARE(swatchOnLine(5), QColor(4, 0, 0));
        QVERIFY(!swatchOnLine(250).isValid());
        QVERIFY(editor->SwatchesShown().size() < 100);

        editor->SetTopLine(250);
        QTRY_COMPARE(swatchOnLine(250), QColor(249, 0, 0));
        QVERIFY(!swatchOnLine(1).isValid());
        // An edit changes the swatch.
        editor->SetCaretPosition({int(lines[249].indexOf(u"rgb(249")) + 5, 250});
        editor->SetSelectionEnd(editor->SelectionStart() + 3);
        editor->ReplaceSelection(QStringLiteral("17"));
        QTRY_COMPARE(swatchOnLine(250), QColor(17, 0, 0));
    }

    // On a minified style sheet of one long line only the part in view is
    // read, there and after a scroll to its end.
    void swatchesOnALongLineWhereItIsShown() {
        const auto editor = ShownEditor();
        QVERIFY(editor);
        const QString rule = QStringLiteral("a{color:#123456}");
        const int rules = 20000;
        editor->SetText(rule.repeated(rules));
        editor->AddBehaviour(std::make_unique<ColorMarks>(*editor, [] { return true; }));
        const int first = int(rule.indexOf(u'#')) + 1;
        const int last = first + (rules - 1) * int(rule.size());
        const auto shownAt = [&editor](int position) {
            for (const auto& [at, color] : editor->SwatchesShown()) {
                if (at == position)
                    return true;
            }
            return false;
        };
        QTRY_VERIFY(shownAt(first));
        QVERIFY(!shownAt(last));
        QVERIFY(editor->SwatchesShown().size() < rules / 10);
        editor->SetCaretPosition({int(rule.size()) * rules + 1, 1});
        QTRY_VERIFY(shownAt(last));
        QVERIFY(!shownAt(first));
    }

    // Ctrl+click on a colour asks the colour dialog and writes the choice in
    // place as one undo step; a click elsewhere asks nothing.
    void ctrlClickChangesTheColor() {
        const auto editor = ShownEditor();
        QVERIFY(editor);
        ScriptedPrompts prompts;
        InstallPrompts(&prompts);
        const QString line = QStringLiteral("<p style=\"color: red; background: #abc\">x</p>");
        editor->SetText(line);
        editor->AddBehaviour(std::make_unique<ColorMarks>(*editor, [] { return false; }));
        QWidget* viewport = qobject_cast<QAbstractScrollArea*>(editor->focusProxy())->viewport();
        const auto ctrlClick = [&](const QString& at) {
            const TextPosition position{int(editor->Line(0).indexOf(at)) + 2, 1};
            const QPoint point = editor->PositionToPixels(position) + QPoint(1, 4);
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                              viewport->mapFrom(editor.get(), point));
        };

        prompts.answer(std::optional<QColor>(QColor(0, 0, 255)));
        ctrlClick(QStringLiteral("red"));
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked.last().kind, QStringLiteral("Color"));
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<p style=\"color: blue; background: #abc\">x</p>"));

        prompts.answer(std::optional<QColor>(QColor(0x11, 0x22, 0x33)));
        ctrlClick(QStringLiteral("#abc"));
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<p style=\"color: blue; background: #123\">x</p>"));
        editor->Undo();
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<p style=\"color: blue; background: #abc\">x</p>"));

        // Cancelled, or not on a colour: nothing changes.
        ctrlClick(QStringLiteral("blue"));
        ctrlClick(QStringLiteral("style"));
        QCOMPARE(prompts.asked.size(), 3);
        QCOMPARE(editor->Line(0),
                 QStringLiteral("<p style=\"color: blue; background: #abc\">x</p>"));
        InstallPrompts(nullptr);
    }
};

QTEST_MAIN(ColorMarksTest)
#include "tst_colormarks.moc"
