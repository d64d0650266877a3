// The editor's looks: font and colours, gutter, right edge, options and the
// highlighting styles of the text.

#include "EditorEngine.h"
#include "FixedPitchFont.h"
#include "HighlightEngine.h"
#include "StyleRuns.h"

#include <QScrollBar>
#include <QToolTip>

// Appearance -----------------------------------------------------------------

void EditorControl::SetEditorFont(const QString& name, int pointSize) {
    fontName = name;
    fontSize = pointSize;
    applyStyles();
}

void EditorControl::SetFontColor(const QColor& color) {
    fontColor = color;
    applyStyles();
}

void EditorControl::SetBackgroundColor(const QColor& color) {
    backgroundColor = color;
    applyStyles();
}

void EditorControl::SetGutterVisible(bool visible) {
    gutterVisible = visible;
    updateMargins();
}

void EditorControl::SetLineNumbers(bool on) {
    lineNumbers = on;
    lineNumberDigits = 0;
    updateMargins();
}

void EditorControl::SetGutterLeftOffset(int pixels) {
    gutterLeftOffset = qMax(0, pixels);
    updateMargins();
}

int EditorControl::TabWidth() const {
    return int(Send(Sci::SCI_GETTABWIDTH));
}

void EditorControl::SetTabWidth(int characters) {
    Send(Sci::SCI_SETTABWIDTH, qMax(1, characters));
}

int EditorControl::RightEdge() const {
    return int(Send(Sci::SCI_GETEDGECOLUMN));
}

void EditorControl::SetRightEdge(int column) {
    Send(Sci::SCI_SETEDGECOLUMN, qMax(0, column));
}

QColor EditorControl::RightEdgeColor() const {
    const long color = Send(Sci::SCI_GETEDGECOLOUR);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

void EditorControl::SetRightEdgeColor(const QColor& color) {
    Send(Sci::SCI_SETEDGECOLOUR, Rgb(color));
}

bool EditorControl::Option(EditorOption option) const {
    return (options & (1u << unsigned(option))) != 0;
}

void EditorControl::SetOption(EditorOption option, bool on) {
    if (on)
        options |= 1u << unsigned(option);
    else
        options &= ~(1u << unsigned(option));
    switch (option) {
    case EditorOption::ScrollPastEol:
        Send(Sci::SCI_SETVIRTUALSPACEOPTIONS,
             on ? Sci::SCVS_USERACCESSIBLE | Sci::SCVS_RECTANGULARSELECTION
                : Sci::SCVS_RECTANGULARSELECTION);
        break;
    case EditorOption::TabsToSpaces:
        Send(Sci::SCI_SETUSETABS, on ? 0 : 1);
        break;
    case EditorOption::SmartTabs:
        Send(Sci::SCI_SETTABINDENTS, on ? 1 : 0);
        break;
    case EditorOption::SmartTabDelete:
        Send(Sci::SCI_SETBACKSPACEUNINDENTS, on ? 1 : 0);
        break;
    default:
        // The others are looked up when they matter (line breaks, the scroll
        // hint) or are how the editor always works (drag and drop, grouped
        // undo of typing).
        break;
    }
}

void EditorControl::showScrollHint(int value) {
    if (!Option(EditorOption::ShowScrollHint))
        return;
    const int line = int(Send(Sci::SCI_DOCLINEFROMVISIBLE, value)) + 1;
    QScrollBar* bar = view->verticalScrollBar();
    QToolTip::showText(bar->mapToGlobal(QPoint(-60, bar->height() / 2)),
                       QStringLiteral("Top Line: %1").arg(line), bar);
}

void EditorControl::updateMargins() {
    Send(Sci::SCI_SETMARGINWIDTHN, kBookmarkMargin, gutterVisible ? gutterLeftOffset : 0);
    if (!gutterVisible || !lineNumbers) {
        Send(Sci::SCI_SETMARGINWIDTHN, kLineNumberMargin, 0);
        return;
    }
    const int digits = qMax(2, int(QString::number(qMax(1, LineCount())).size()));
    if (digits == lineNumberDigits)
        return;
    lineNumberDigits = digits;
    const QByteArray sample = QByteArray(digits, '9');
    const long width = Send(Sci::SCI_TEXTWIDTH, Sci::STYLE_LINENUMBER, long(sample.constData()));
    Send(Sci::SCI_SETMARGINWIDTHN, kLineNumberMargin, width + 6);
}

void EditorControl::SetHighlighter(Highlighter value) {
    highlighter = value;
    Send(Sci::SCI_SETLEXER, value == Highlighter::None ? Sci::SCLEX_NULL : Sci::SCLEX_CONTAINER);
    applyStyles();
    Send(Sci::SCI_CLEARDOCUMENTSTYLE);
    Send(Sci::SCI_COLOURISE, 0, -1);
}

// Highlighting -----------------------------------------------------------------

void EditorControl::applyStyles() {
    const QByteArray family = FixedPitchFamily(fontName).toUtf8();
    SendPointer(Sci::SCI_STYLESETFONT, Sci::STYLE_DEFAULT, family.constData());
    Send(Sci::SCI_STYLESETSIZE, Sci::STYLE_DEFAULT, fontSize);
    Send(Sci::SCI_STYLESETFORE, Sci::STYLE_DEFAULT, Rgb(fontColor));
    Send(Sci::SCI_STYLESETBACK, Sci::STYLE_DEFAULT, Rgb(backgroundColor));
    Send(Sci::SCI_STYLECLEARALL);
    SendPointer(Sci::SCI_STYLESETFONT, Sci::STYLE_LINENUMBER, "Terminal");
    Send(Sci::SCI_STYLESETSIZE, Sci::STYLE_LINENUMBER, 8);
    Send(Sci::SCI_STYLESETFORE, Sci::STYLE_LINENUMBER, Rgb(palette().color(QPalette::WindowText)));
    Send(Sci::SCI_STYLESETBACK, Sci::STYLE_LINENUMBER, Rgb(palette().color(QPalette::Button)));
    Send(Sci::SCI_SETCARETFORE, Rgb(fontColor));
    if (highlighter != Highlighter::None) {
        for (int style = 0; style < HighlightStyle::Count; ++style) {
            const HighlightStyleLook look = StyleLook(style);
            if (look.foreground.isValid())
                Send(Sci::SCI_STYLESETFORE, style, Rgb(look.foreground));
            Send(Sci::SCI_STYLESETBOLD, style, look.bold);
            Send(Sci::SCI_STYLESETITALIC, style, look.italic);
            // The twin of a style looks the same (StyleRuns.h).
            const int twin = style + kTwinStyleOffset;
            if (look.foreground.isValid())
                Send(Sci::SCI_STYLESETFORE, twin, Rgb(look.foreground));
            Send(Sci::SCI_STYLESETBOLD, twin, look.bold);
            Send(Sci::SCI_STYLESETITALIC, twin, look.italic);
        }
    }
    lineNumberDigits = 0;
    updateMargins();
}

int EditorControl::StyleAt(const TextPosition& position) const {
    const long target = PositionOf(position, nullptr);
    // From where styling stopped: what is styled already stays as it is.
    const long styled = Send(Sci::SCI_GETENDSTYLED);
    if (styled <= target)
        Send(Sci::SCI_COLOURISE, styled, target + 1);
    return BaseStyle(int(Send(Sci::SCI_GETSTYLEAT, target)));
}

HighlightStyleLook EditorControl::DrawnStyle(int style) const {
    const long rgb = Send(Sci::SCI_STYLEGETFORE, style);
    return {QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)),
            Send(Sci::SCI_STYLEGETBOLD, style) != 0, Send(Sci::SCI_STYLEGETITALIC, style) != 0};
}

void EditorControl::onStyleNeeded(int position) {
    if (highlighter == Highlighter::None) {
        stylePlainLines(Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED)),
                        Send(Sci::SCI_LINEFROMPOSITION, position));
        return;
    }
    // Styling starts at the start of the line where it stopped before, with
    // the state stored at the end of the line above, and covers whole lines.
    styleLines(Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED)),
               Send(Sci::SCI_LINEFROMPOSITION, position));
}

long EditorControl::behavioursStyleFrom() const {
    long from = -1;
    for (const auto& behaviour : behaviours) {
        const long length = behaviour->Enabled() ? behaviour->StylesLinesFrom() : -1;
        if (length >= 0 && (from < 0 || length < from))
            from = length;
    }
    return from;
}

void EditorControl::behavioursStyleLine(const char* text, unsigned char* styles, long length) {
    tellBehaviours([=](EditorBehaviour& behaviour) {
        const long from = behaviour.StylesLinesFrom();
        if (from >= 0 && length >= from)
            behaviour.LineStyled(text, styles, int(length));
    });
}

// Without highlighting all text has the default style; only the lines a
// behaviour restyles get styles of their own.
void EditorControl::stylePlainLines(long firstLine, long lastLine) {
    const long from = behavioursStyleFrom();
    for (long line = firstLine; from >= 0 && line <= lastLine; ++line) {
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
        const long length = Send(Sci::SCI_GETLINEENDPOSITION, line) - lineStart;
        if (length < from)
            continue;
        const auto* text = reinterpret_cast<const char*>(
            view->SendScintilla(Sci::SCI_GETRANGEPOINTER, lineStart, length));
        QByteArray styles(length, '\0');
        behavioursStyleLine(text, reinterpret_cast<unsigned char*>(styles.data()), length);
        Send(Sci::SCI_STARTSTYLING, lineStart, 0);
        SendPointer(Sci::SCI_SETSTYLINGEX, styles.size(), styles.constData());
    }
    const long end = lastLine + 1 < Send(Sci::SCI_GETLINECOUNT)
                         ? Send(Sci::SCI_POSITIONFROMLINE, lastLine + 1)
                         : Send(Sci::SCI_GETLENGTH);
    Send(Sci::SCI_STARTSTYLING, end, 0);
}

int EditorControl::styleLines(long firstLine, long lastLine) {
    const HighlightMode mode =
        highlighter == Highlighter::Css ? HighlightMode::CssOnly : HighlightMode::Html;
    const long start = Send(Sci::SCI_POSITIONFROMLINE, firstLine);
    const long end = lastLine + 1 < Send(Sci::SCI_GETLINECOUNT)
                         ? Send(Sci::SCI_POSITIONFROMLINE, lastLine + 1)
                         : Send(Sci::SCI_GETLENGTH);
    int state = firstLine > 0 ? int(Send(Sci::SCI_GETLINESTATE, firstLine - 1)) : kInitialLineState;
    if (end <= start)
        return state;
    const auto* text = reinterpret_cast<const char*>(
        view->SendScintilla(Sci::SCI_GETRANGEPOINTER, start, end - start));
    QByteArray styles(end - start, char(HighlightStyle::HtmlSpace));
    const long behavioursFrom = behavioursStyleFrom();
    for (long line = firstLine; line <= lastLine; ++line) {
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line) - start;
        const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line) - start;
        auto* lineStyles = reinterpret_cast<unsigned char*>(styles.data()) + lineStart;
        state = StyleLine(mode, text + lineStart, int(lineEnd - lineStart), state, lineStyles);
        if (behavioursFrom >= 0 && lineEnd - lineStart >= behavioursFrom)
            behavioursStyleLine(text + lineStart, lineStyles, lineEnd - lineStart);
        Send(Sci::SCI_SETLINESTATE, line, state);
    }
    Send(Sci::SCI_STARTSTYLING, start, 0);
    SendPointer(Sci::SCI_SETSTYLINGEX, styles.size(), styles.constData());
    return state;
}

// Marks -----------------------------------------------------------------------

void EditorControl::MarkNearCaret(const QList<QPair<int, int>>& ranges) {
    if (!marksShown && ranges.isEmpty())
        return;
    const long length = Send(Sci::SCI_GETLENGTH);
    Send(Sci::SCI_SETINDICATORCURRENT, kMarkIndicator);
    Send(Sci::SCI_INDICATORCLEARRANGE, 0, length);
    const long caret = Caret();
    for (const auto& [start, size] : ranges) {
        const long from = Send(Sci::SCI_POSITIONRELATIVECODEUNITS, caret, start);
        const long to = Send(Sci::SCI_POSITIONRELATIVECODEUNITS, from, size);
        if (to > from)
            Send(Sci::SCI_INDICATORFILLRANGE, from, to - from);
    }
    marksShown = !ranges.isEmpty();
}

QList<QPair<int, int>> EditorControl::MarkedRanges() const {
    QList<QPair<int, int>> ranges;
    const long length = Send(Sci::SCI_GETLENGTH);
    long at = 0;
    while (at < length) {
        const long end = Send(Sci::SCI_INDICATOREND, kMarkIndicator, at);
        if (end <= at)
            break;
        if (Send(Sci::SCI_INDICATORVALUEAT, kMarkIndicator, at) != 0) {
            const long first = CharacterIndexOf(at);
            ranges.append({int(first) + 1, int(CharacterIndexOf(end) - first)});
        }
        at = end;
    }
    return ranges;
}
