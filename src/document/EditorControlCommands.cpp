// The editor's commands: what each EditorCommand does, most of them one
// message of the engine's own.

#include "EditorEngine.h"

namespace {

constexpr int kBlockIndent = 2;

// The commands the engine runs as one message of its own.
const std::pair<EditorCommand, unsigned int> kEngineCommands[] = {
    {EditorCommand::Up, Sci::SCI_LINEUP},
    {EditorCommand::SelUp, Sci::SCI_LINEUPEXTEND},
    {EditorCommand::ScrollUp, Sci::SCI_LINESCROLLUP},
    {EditorCommand::Down, Sci::SCI_LINEDOWN},
    {EditorCommand::SelDown, Sci::SCI_LINEDOWNEXTEND},
    {EditorCommand::ScrollDown, Sci::SCI_LINESCROLLDOWN},
    {EditorCommand::Left, Sci::SCI_CHARLEFT},
    {EditorCommand::SelLeft, Sci::SCI_CHARLEFTEXTEND},
    {EditorCommand::WordLeft, Sci::SCI_WORDLEFT},
    {EditorCommand::SelWordLeft, Sci::SCI_WORDLEFTEXTEND},
    {EditorCommand::Right, Sci::SCI_CHARRIGHT},
    {EditorCommand::SelRight, Sci::SCI_CHARRIGHTEXTEND},
    {EditorCommand::WordRight, Sci::SCI_WORDRIGHT},
    {EditorCommand::SelWordRight, Sci::SCI_WORDRIGHTEXTEND},
    {EditorCommand::PageDown, Sci::SCI_PAGEDOWN},
    {EditorCommand::SelPageDown, Sci::SCI_PAGEDOWNEXTEND},
    {EditorCommand::PageUp, Sci::SCI_PAGEUP},
    {EditorCommand::SelPageUp, Sci::SCI_PAGEUPEXTEND},
    {EditorCommand::LineStart, Sci::SCI_HOME},
    {EditorCommand::SelLineStart, Sci::SCI_HOMEEXTEND},
    {EditorCommand::EditorTop, Sci::SCI_DOCUMENTSTART},
    {EditorCommand::SelEditorTop, Sci::SCI_DOCUMENTSTARTEXTEND},
    {EditorCommand::LineEnd, Sci::SCI_LINEEND},
    {EditorCommand::SelLineEnd, Sci::SCI_LINEENDEXTEND},
    {EditorCommand::EditorBottom, Sci::SCI_DOCUMENTEND},
    {EditorCommand::SelEditorBottom, Sci::SCI_DOCUMENTENDEXTEND},
    {EditorCommand::Copy, Sci::SCI_COPY},
    {EditorCommand::Cut, Sci::SCI_CUT},
    {EditorCommand::Paste, Sci::SCI_PASTE},
    {EditorCommand::DeleteChar, Sci::SCI_CLEAR},
    {EditorCommand::DeleteLastChar, Sci::SCI_DELETEBACK},
    {EditorCommand::DeleteLastWord, Sci::SCI_DELWORDLEFT},
    {EditorCommand::Undo, Sci::SCI_UNDO},
    {EditorCommand::Redo, Sci::SCI_REDO},
    {EditorCommand::Tab, Sci::SCI_TAB},
    {EditorCommand::ShiftTab, Sci::SCI_BACKTAB},
    {EditorCommand::SelectAll, Sci::SCI_SELECTALL},
    {EditorCommand::DeleteWord, Sci::SCI_DELWORDRIGHT},
    {EditorCommand::DeleteEOL, Sci::SCI_DELLINERIGHT},
};

// The selecting moves (Shift added to a movement key) and their plain moves.
using C = EditorCommand;
const std::pair<C, C> kSelectingMoves[] = {
    {C::SelUp, C::Up},
    {C::SelDown, C::Down},
    {C::SelLeft, C::Left},
    {C::SelRight, C::Right},
    {C::SelWordLeft, C::WordLeft},
    {C::SelWordRight, C::WordRight},
    {C::SelPageDown, C::PageDown},
    {C::SelPageUp, C::PageUp},
    {C::SelPageTop, C::PageTop},
    {C::SelPageBottom, C::PageBottom},
    {C::SelLineStart, C::LineStart},
    {C::SelLineEnd, C::LineEnd},
    {C::SelEditorTop, C::EditorTop},
    {C::SelEditorBottom, C::EditorBottom},
};

std::optional<EditorCommand> PlainMoveOf(EditorCommand command) {
    for (const auto& [selecting, plain] : kSelectingMoves) {
        if (selecting == command)
            return plain;
    }
    return std::nullopt;
}

bool IsPlainMove(EditorCommand command) {
    for (const auto& [selecting, plain] : kSelectingMoves) {
        if (plain == command)
            return true;
    }
    return false;
}

} // namespace

unsigned int EngineMessage(EditorCommand command) {
    for (const auto& [bound, message] : kEngineCommands) {
        if (bound == command)
            return message;
    }
    return 0;
}

void EditorControl::Undo() {
    Execute(EditorCommand::Undo);
}
void EditorControl::Redo() {
    Execute(EditorCommand::Redo);
}
bool EditorControl::CanUndo() const {
    return Send(Sci::SCI_CANUNDO) != 0;
}
void EditorControl::Cut() {
    Execute(EditorCommand::Cut);
}
void EditorControl::Copy() {
    Execute(EditorCommand::Copy);
}
void EditorControl::Paste() {
    Execute(EditorCommand::Paste);
}
void EditorControl::SelectAll() {
    Execute(EditorCommand::SelectAll);
}

// Commands -------------------------------------------------------------------

void EditorControl::Execute(EditorCommand command) {
    using C = EditorCommand;
    if (selectionMode != SelectionMode::Normal) {
        if (const auto move = PlainMoveOf(command)) {
            selectInMode(*move);
            flushChange();
            checkStatus();
            return;
        }
    }
    // A plain move ends a column or line block where the caret stands.
    if (IsPlainMove(command) && Send(Sci::SCI_GETSELECTIONMODE) != Sci::SC_SEL_STREAM)
        Send(Sci::SCI_SETEMPTYSELECTION, Caret());
    if (const unsigned int message = EngineMessage(command)) {
        Send(message);
        flushChange();
        checkStatus();
        return;
    }

    switch (command) {
    case C::PageTop:
    case C::PageBottom:
        runPlainMove(command);
        break;
    case C::SelPageTop:
        MoveToLine(FirstVisibleLine(), true);
        break;
    case C::SelPageBottom:
        MoveToLine(LastVisibleLine(), true);
        break;
    case C::ToggleMode:
        Send(Sci::SCI_SETOVERTYPE, InsertMode() ? 1 : 0);
        checkStatus(StatusChange::InsertMode);
        return;
    case C::LineBreak:
        breakLine();
        break;
    case C::BlockIndent:
    case C::BlockUnindent:
        indentBlock(command == C::BlockIndent);
        break;
    case C::InsertLine: {
        // A line break after the caret; the caret stays where it is.
        const long caret = Caret();
        SendPointer(Sci::SCI_INSERTTEXT, caret, "\r\n");
        Send(Sci::SCI_SETEMPTYSELECTION, caret);
        break;
    }
    case C::NormalSelect:
    case C::ColumnSelect:
    case C::LineSelect:
        selectionMode = command == C::ColumnSelect ? SelectionMode::Column
                        : command == C::LineSelect ? SelectionMode::Line
                                                   : SelectionMode::Normal;
        // A selection takes the new mode's shape; without one nothing is
        // selected until a Shift+move.
        if (SelectionAvailable())
            SetEngineSelectionMode(EngineSelectionMode(selectionMode), false);
        break;
    case C::MatchBracket:
        // A behaviour may have a match of its own at the caret (a tag's partner).
        if (!behavioursRunCommand(command))
            matchBracket();
        break;
    case C::DeleteLine: {
        // The line goes as a whole; the last line takes the break before it along.
        const long line = Send(Sci::SCI_LINEFROMPOSITION, Caret());
        const long lines = Send(Sci::SCI_GETLINECOUNT);
        if (line + 1 < lines || line == 0) {
            Send(Sci::SCI_LINEDELETE);
        } else {
            Send(Sci::SCI_SETSEL, Send(Sci::SCI_GETLINEENDPOSITION, line - 1),
                 Send(Sci::SCI_GETLENGTH));
            SendPointer(Sci::SCI_REPLACESEL, 0, "");
        }
        break;
    }
    case C::ContextHelp:
    case C::AutoCompletion:
        // The editor has no action of its own for these; a behaviour may.
        behavioursRunCommand(command);
        break;
    default:
        if (command >= C::GotoMarker0 && command <= C::GotoMarker9)
            gotoBookmark(int(command) - int(C::GotoMarker0));
        else if (command >= C::SetMarker0 && command <= C::SetMarker9)
            toggleBookmark(int(command) - int(C::SetMarker0));
        break;
    }
    flushChange();
    checkStatus();
}

void EditorControl::breakLine() {
    Send(Sci::SCI_BEGINUNDOACTION);
    const long line = Send(Sci::SCI_LINEFROMPOSITION, Caret());
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    if (Option(EditorOption::TrimTrailingSpaces) && !SelectionAvailable()) {
        // The part of the line that stays behind loses its trailing blanks.
        long keep = Caret();
        while (keep > lineStart) {
            const char c = char(Send(Sci::SCI_GETCHARAT, keep - 1));
            if (c != ' ' && c != '\t')
                break;
            --keep;
        }
        if (keep < Caret()) {
            Send(Sci::SCI_SETSEL, keep, Caret());
            SendPointer(Sci::SCI_REPLACESEL, 0, "");
        }
    }
    Send(Sci::SCI_NEWLINE);
    if (Option(EditorOption::AutoIndent)) {
        QByteArray indent;
        for (long p = lineStart;; ++p) {
            const char c = char(Send(Sci::SCI_GETCHARAT, p));
            if (c != ' ' && c != '\t')
                break;
            indent += c;
        }
        if (!indent.isEmpty())
            SendPointer(Sci::SCI_REPLACESEL, 0, indent.constData());
    }
    Send(Sci::SCI_ENDUNDOACTION);
    Send(Sci::SCI_SCROLLCARET);
}

void EditorControl::indentBlock(bool indent) {
    const long start = Send(Sci::SCI_GETSELECTIONSTART);
    const long end = Send(Sci::SCI_GETSELECTIONEND);
    const long firstLine = Send(Sci::SCI_LINEFROMPOSITION, start);
    long lastLine = Send(Sci::SCI_LINEFROMPOSITION, end);
    // A selection that ends at the start of a line does not take that line.
    if (lastLine > firstLine && end == Send(Sci::SCI_POSITIONFROMLINE, lastLine))
        --lastLine;
    Send(Sci::SCI_BEGINUNDOACTION);
    for (long line = firstLine; line <= lastLine; ++line) {
        const long indentation = Send(Sci::SCI_GETLINEINDENTATION, line);
        Send(Sci::SCI_SETLINEINDENTATION, line,
             indent ? indentation + kBlockIndent : qMax(0L, indentation - kBlockIndent));
    }
    Send(Sci::SCI_ENDUNDOACTION);
}

void EditorControl::toggleBookmark(int n) {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, Caret());
    const bool here = (Send(Sci::SCI_MARKERGET, line) & (1L << n)) != 0;
    Send(Sci::SCI_MARKERDELETEALL, n);
    if (!here)
        Send(Sci::SCI_MARKERADD, line, n);
}

int EditorControl::BookmarkLine(int n) const {
    if (n < 0 || n >= kBookmarkCount)
        return 0;
    return int(Send(Sci::SCI_MARKERNEXT, 0, 1L << n)) + 1;
}

void EditorControl::gotoBookmark(int n) {
    const long line = Send(Sci::SCI_MARKERNEXT, 0, 1L << n);
    if (line >= 0)
        MoveToLine(int(line), false);
}

bool EditorControl::behavioursRunCommand(EditorCommand command) {
    for (size_t i = 0; i < behaviours.size(); ++i) {
        if (behaviours[i]->Enabled() && behaviours[i]->RunCommand(command))
            return true;
    }
    return false;
}

void EditorControl::matchBracket() {
    long caret = Caret();
    long match = Send(Sci::SCI_BRACEMATCH, caret, 0);
    if (match < 0 && caret > 0)
        match = Send(Sci::SCI_BRACEMATCH, caret - 1, 0);
    if (match >= 0)
        MoveCaret(match, false);
}
