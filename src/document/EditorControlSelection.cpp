// The editor's selection: the selected text and block, and the column and
// line selection modes the selecting moves follow.

#include "EditorEngine.h"

// Selection ------------------------------------------------------------------

QString EditorControl::SelectedText() const {
    if (!SelectionAvailable())
        return {};
    QByteArray buffer(int(Send(Sci::SCI_GETSELTEXT, 0, 0)) + 1, '\0');
    SendPointer(Sci::SCI_GETSELTEXT, 0, buffer.data());
    return QString::fromUtf8(buffer.constData());
}

void EditorControl::ReplaceSelection(const QString& text) {
    const QByteArray bytes = NormalizeLineBreaks(text.toUtf8(), false);
    const bool rectangular = Send(Sci::SCI_SELECTIONISRECTANGLE) != 0;
    const long start = Send(Sci::SCI_GETSELECTIONSTART);
    Send(Sci::SCI_BEGINUNDOACTION);
    if (!bytes.contains('\0')) {
        SendPointer(Sci::SCI_REPLACESEL, 0, bytes.constData());
    } else {
        SendPointer(Sci::SCI_REPLACESEL, 0, "");
        SendPointer(Sci::SCI_ADDTEXT, bytes.size(), bytes.constData());
    }
    Send(Sci::SCI_ENDUNDOACTION);
    Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_STREAM);
    // The caret goes right behind the inserted text. The engine's own caret
    // is off when it stood in the blank space past the end of a line: the
    // insert goes in at the line's end and uses up that space, which moves
    // the caret on by as many characters again.
    Send(Sci::SCI_SETEMPTYSELECTION, rectangular ? Caret() : start + long(bytes.size()));
    Send(Sci::SCI_CHOOSECARETX);
    Send(Sci::SCI_SCROLLCARET);
    flushChange();
    checkStatus();
}

bool EditorControl::SelectionAvailable() const {
    return Send(Sci::SCI_GETSELECTIONEMPTY) == 0;
}

TextPosition EditorControl::BlockBegin() const {
    const long start = Send(Sci::SCI_GETSELECTIONSTART);
    return PositionAt(start, start == Caret()
                                 ? int(Send(Sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0))
                                 : int(Send(Sci::SCI_GETSELECTIONNANCHORVIRTUALSPACE, 0)));
}

TextPosition EditorControl::BlockEnd() const {
    const long end = Send(Sci::SCI_GETSELECTIONEND);
    return PositionAt(end, end == Caret() ? int(Send(Sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0))
                                          : int(Send(Sci::SCI_GETSELECTIONNANCHORVIRTUALSPACE, 0)));
}

void EditorControl::SetBlockBegin(const TextPosition& position) {
    const long end = Send(Sci::SCI_GETSELECTIONEND);
    const long begin = PositionOf(position, nullptr);
    Send(Sci::SCI_SETSEL, qMax(begin, end), begin);
    checkStatus();
}

void EditorControl::SetBlockEnd(const TextPosition& position) {
    const long begin = Send(Sci::SCI_GETSELECTIONSTART);
    const long end = PositionOf(position, nullptr);
    Send(Sci::SCI_SETSEL, qMin(begin, end), qMax(begin, end));
    checkStatus();
}

int EditorControl::SelectionStart() const {
    return int(CharacterIndexOf(Send(Sci::SCI_GETSELECTIONSTART))) + 1;
}

int EditorControl::SelectionEnd() const {
    return int(CharacterIndexOf(Send(Sci::SCI_GETSELECTIONEND))) + 1;
}

void EditorControl::SetSelectionStart(int position) {
    Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_STREAM);
    Send(Sci::SCI_SETEMPTYSELECTION, BytePositionOf(position - 1));
    Send(Sci::SCI_CHOOSECARETX);
    Send(Sci::SCI_SCROLLCARET);
    checkStatus();
}

void EditorControl::SetSelectionEnd(int position) {
    Send(Sci::SCI_SETSEL, BytePositionOf(position - 1), Caret());
    checkStatus();
}

SelectionMode EditorControl::CurrentSelectionMode() const {
    return selectionMode;
}

void EditorControl::MoveCaret(long bytePosition, bool extend) {
    if (extend)
        Send(Sci::SCI_SETCURRENTPOS, bytePosition);
    else
        Send(Sci::SCI_SETEMPTYSELECTION, bytePosition);
    Send(Sci::SCI_SCROLLCARET);
}

int EditorControl::FirstVisibleLine() const {
    return int(Send(Sci::SCI_DOCLINEFROMVISIBLE, Send(Sci::SCI_GETFIRSTVISIBLELINE)));
}

int EditorControl::TopLine() const {
    return FirstVisibleLine() + 1;
}

void EditorControl::SetTopLine(int line) {
    const int kept = qBound(1, line, qMax(1, LineCount()));
    Send(Sci::SCI_SETFIRSTVISIBLELINE, Send(Sci::SCI_VISIBLEFROMDOCLINE, kept - 1));
    checkStatus();
}

int EditorControl::LastVisibleLine() const {
    return int(Send(Sci::SCI_DOCLINEFROMVISIBLE, Send(Sci::SCI_GETFIRSTVISIBLELINE) +
                                                     qMax(1L, Send(Sci::SCI_LINESONSCREEN)) - 1));
}

// The engine's selection-mode message also switches on "moves extend the
// selection", and setting the same mode again toggles that; this sets both.
void EditorControl::SetEngineSelectionMode(int mode, bool movesExtend) {
    Send(Sci::SCI_SETSELECTIONMODE, mode);
    if ((Send(Sci::SCI_GETMOVEEXTENDSSELECTION) != 0) != movesExtend)
        Send(Sci::SCI_SETSELECTIONMODE, mode);
}

void EditorControl::runPlainMove(EditorCommand move) {
    if (move == EditorCommand::PageTop)
        MoveToLine(FirstVisibleLine(), false);
    else if (move == EditorCommand::PageBottom)
        MoveToLine(LastVisibleLine(), false);
    else
        Send(EngineMessage(move));
}

// A selecting move in column or line mode. Plain moves only move again
// afterwards.
void EditorControl::selectInMode(EditorCommand move) {
    if (selectionMode == SelectionMode::Line) {
        // The engine widens the selection to whole lines while moves extend it.
        SetEngineSelectionMode(Sci::SC_SEL_LINES, true);
        if (move == EditorCommand::PageTop || move == EditorCommand::PageBottom)
            MoveToLine(move == EditorCommand::PageTop ? FirstVisibleLine() : LastVisibleLine(),
                       true);
        else
            Send(EngineMessage(move));
        SetEngineSelectionMode(Sci::SC_SEL_LINES, false);
        return;
    }
    // A column block keeps its anchor corner; its other corner goes where the
    // plain move takes the caret.
    const bool block = Send(Sci::SCI_SELECTIONISRECTANGLE) != 0;
    const long anchor = block ? Send(Sci::SCI_GETRECTANGULARSELECTIONANCHOR) : Anchor();
    const long anchorSpace = block ? Send(Sci::SCI_GETRECTANGULARSELECTIONANCHORVIRTUALSPACE)
                                   : Send(Sci::SCI_GETSELECTIONNANCHORVIRTUALSPACE, 0);
    const long caret = block ? Send(Sci::SCI_GETRECTANGULARSELECTIONCARET) : Caret();
    const long caretSpace = block ? Send(Sci::SCI_GETRECTANGULARSELECTIONCARETVIRTUALSPACE)
                                  : Send(Sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0);
    Send(Sci::SCI_SETEMPTYSELECTION, caret);
    Send(Sci::SCI_SETSELECTIONNCARETVIRTUALSPACE, 0, caretSpace);
    Send(Sci::SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0, caretSpace);
    runPlainMove(move);
    const long moved = Caret();
    const long movedSpace = Send(Sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0);
    Send(Sci::SCI_SETRECTANGULARSELECTIONANCHOR, anchor);
    Send(Sci::SCI_SETRECTANGULARSELECTIONANCHORVIRTUALSPACE, anchorSpace);
    Send(Sci::SCI_SETRECTANGULARSELECTIONCARET, moved);
    Send(Sci::SCI_SETRECTANGULARSELECTIONCARETVIRTUALSPACE, movedSpace);
}

// Moves to a line, keeping the caret's column where the line allows it.
void EditorControl::MoveToLine(int line, bool extend) {
    const long column = Send(Sci::SCI_GETCOLUMN, Caret());
    MoveCaret(Send(Sci::SCI_FINDCOLUMN, line, column), extend);
}

void EditorControl::MoveCaretBy(int characters) {
    MoveCaret(Send(Sci::SCI_POSITIONRELATIVECODEUNITS, Caret(), characters), false);
}
