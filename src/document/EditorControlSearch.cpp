// The editor's search and replace: the run of TextSearch over the editing
// engine's own buffer.

#include "EditorEngine.h"

#include <algorithm>

// The engine's buffer as the search run reads and changes it. Reading takes
// the bytes where they are; the engine is asked only about the range's ends
// and told only about the matches.
class EditorSearchBuffer : public SearchBuffer {
public:
    EditorSearchBuffer(EditorControl& editor, const QString& search, const QString& replace)
        : styledEnd(editor.Send(Sci::SCI_GETENDSTYLED)), editor(editor), search(search),
          replace(replace) {}

    // Where the styled part of the text ends, and the lines replaced in it.
    long styledEnd;
    std::vector<long> replacedLines;

    const char* Bytes(qsizetype from, qsizetype to) override {
        return reinterpret_cast<const char*>(
            editor.Send(Sci::SCI_GETRANGEPOINTER, from, to - from));
    }
    qsizetype LineStartAt(qsizetype position) override {
        return editor.Send(Sci::SCI_POSITIONFROMLINE,
                           editor.Send(Sci::SCI_LINEFROMPOSITION, position));
    }
    qsizetype LineEndAt(qsizetype position) override {
        return editor.Send(Sci::SCI_GETLINEENDPOSITION,
                           editor.Send(Sci::SCI_LINEFROMPOSITION, position));
    }

    void Select(qsizetype from, qsizetype to, bool caretAtStart) override {
        // An empty selection first ends a column or line block without the
        // engine's selection-mode switch, which would leave plain moves
        // extending the selection afterwards.
        editor.Send(Sci::SCI_SETEMPTYSELECTION, from);
        if (caretAtStart)
            editor.Send(Sci::SCI_SETSEL, to, from);
        else
            editor.Send(Sci::SCI_SETSEL, from, to);
    }

    ReplaceAnswer Ask(qsizetype from, qsizetype) override {
        if (editor.ReadOnly())
            return ReplaceAnswer::Skip;
        if (!editor.replaceQuery)
            return ReplaceAnswer::Replace;
        editor.checkStatus();
        return editor.replaceQuery(search, replace, editor.PositionAt(from, 0));
    }

    void Replace(qsizetype from, qsizetype to, const QByteArray& text) override {
        if (from < styledEnd) {
            replacedLines.push_back(editor.Send(Sci::SCI_LINEFROMPOSITION, from));
            styledEnd += long(text.size() - (to - from));
        }
        editor.Send(Sci::SCI_SETTARGETRANGE, from, to);
        editor.SendPointer(Sci::SCI_REPLACETARGET, text.size(), text.constData());
    }

    void SetCaret(qsizetype position) override {
        editor.Send(Sci::SCI_SETEMPTYSELECTION, position);
    }

private:
    EditorControl& editor;
    const QString& search;
    const QString& replace;
};

SearchRange EditorControl::searchRange(const SearchOptions& options) const {
    SearchRange range;
    range.end = Send(Sci::SCI_GETLENGTH);
    if (!options.selectedOnly || !SelectionAvailable()) {
        if (!options.entireScope) {
            if (options.backwards)
                range.end = Caret();
            else
                range.start = Caret();
        }
        return range;
    }
    const long start = Send(Sci::SCI_GETSELECTIONSTART);
    const long end = Send(Sci::SCI_GETSELECTIONEND);
    // The selection's own shape: the chosen mode shapes only the selections
    // made by Shift and a movement key.
    const long shape = Send(Sci::SCI_GETSELECTIONMODE);
    switch (shape == Sci::SC_SEL_RECTANGLE || shape == Sci::SC_SEL_THIN ? SelectionMode::Column
            : shape == Sci::SC_SEL_LINES                                ? SelectionMode::Line
                                                                        : SelectionMode::Normal) {
    case SelectionMode::Normal:
        range.start = start;
        range.end = end;
        break;
    case SelectionMode::Line: {
        // Whole lines, the last one being the line the selection ends in,
        // unless it ends at the very start of that line.
        const long first = Send(Sci::SCI_LINEFROMPOSITION, start);
        long last = Send(Sci::SCI_LINEFROMPOSITION, end);
        if (last > first && end == Send(Sci::SCI_POSITIONFROMLINE, last))
            --last;
        range.start = Send(Sci::SCI_POSITIONFROMLINE, first);
        range.end = Send(Sci::SCI_GETLINEENDPOSITION, last);
        break;
    }
    case SelectionMode::Column: {
        const long anchor = Send(Sci::SCI_GETRECTANGULARSELECTIONANCHOR);
        const long caret = Send(Sci::SCI_GETRECTANGULARSELECTIONCARET);
        const int anchorColumn =
            PositionAt(anchor, int(Send(Sci::SCI_GETRECTANGULARSELECTIONANCHORVIRTUALSPACE)))
                .column -
            1;
        const int caretColumn =
            PositionAt(caret, int(Send(Sci::SCI_GETRECTANGULARSELECTIONCARETVIRTUALSPACE))).column -
            1;
        range.start =
            Send(Sci::SCI_POSITIONFROMLINE, Send(Sci::SCI_LINEFROMPOSITION, qMin(anchor, caret)));
        range.end =
            Send(Sci::SCI_GETLINEENDPOSITION, Send(Sci::SCI_LINEFROMPOSITION, qMax(anchor, caret)));
        range.columns = true;
        range.firstColumn = qMin(anchorColumn, caretColumn);
        range.lastColumn = qMax(anchorColumn, caretColumn);
        break;
    }
    }
    return range;
}

int EditorControl::SearchReplace(const QString& search, const QString& replace,
                                 const SearchOptions& options) {
    EditorSearchBuffer buffer(*this, search, replace);
    const SearchRange range = searchRange(options);
    // A replace run, however many replacements it makes, is undone at once.
    struct UndoStep {
        const EditorControl& editor;
        bool on;
        UndoStep(const EditorControl& editor, bool on) : editor(editor), on(on) {
            if (on)
                editor.Send(Sci::SCI_BEGINUNDOACTION);
        }
        ~UndoStep() {
            if (on)
                editor.Send(Sci::SCI_ENDUNDOACTION);
        }
    };
    const QByteArray replacement = NormalizeLineBreaks(replace.toUtf8(), false);
    int count = 0;
    {
        const UndoStep step(*this, options.replace);
        count = SearchAndReplace(buffer, search, replacement, options, range);
    }
    // A regular expression's replacement may also break lines with "\n".
    const bool breaksLines =
        replacement.contains('\n') || (options.regularExpression && replacement.contains("\\n"));
    if (highlighter != Highlighter::None && !breaksLines)
        restyleReplacedLines(std::move(buffer.replacedLines), buffer.styledEnd);
    Send(Sci::SCI_SCROLLCARET);
    flushChange();
    checkStatus();
    return count;
}

int EditorControl::ReplaceEverywhere(const QString& search, const QString& replace,
                                     SearchOptions options) {
    if (ReadOnly())
        return 0;
    options.replace = true;
    options.backwards = false;
    options.entireScope = true;
    options.selectedOnly = false;
    ReplaceQuery asking =
        std::exchange(replaceQuery, [](const QString&, const QString&, const TextPosition&) {
            return ReplaceAnswer::ReplaceAll;
        });
    const int count = SearchReplace(search, replace, options);
    replaceQuery = std::move(asking);
    return count;
}

// The engine forgets the styles from the first replacement on. The lines
// between the replacements keep theirs, as long as every replaced line ends
// in the state it ended in before; so only the replaced lines are styled
// again, and a replace all over a long text does not restyle all of it.
void EditorControl::restyleReplacedLines(std::vector<long> lines, long styledEnd) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    for (const long line : lines) {
        const int before = int(Send(Sci::SCI_GETLINESTATE, line));
        // Otherwise styling goes on from the next line as usual.
        if (styleLines(line, line) != before)
            return;
    }
    if (styledEnd > Send(Sci::SCI_GETENDSTYLED))
        Send(Sci::SCI_STARTSTYLING, styledEnd, 0);
}

bool EditorControl::ReadOnly() const {
    return Send(Sci::SCI_GETREADONLY) != 0;
}

void EditorControl::SetReadOnly(bool on) {
    Send(Sci::SCI_SETREADONLY, on ? 1 : 0);
}
