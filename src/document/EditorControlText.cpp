// The editor's text: lines, the whole text, and positions converted between
// the engine's bytes and the editor's characters, lines and columns.

#include "EditorEngine.h"
#include "Utf8Count.h"

namespace {

bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The text of a stretch of UTF-8 cut out of a longer text, without the
// pieces of characters it was cut through at either end.
QString Utf8Whole(const QByteArray& bytes) {
    const auto follows = [&bytes](qsizetype i) { return (uchar(bytes[i]) & 0xC0) == 0x80; };
    qsizetype from = 0;
    while (from < bytes.size() && follows(from))
        ++from;
    qsizetype to = bytes.size();
    qsizetype lead = to - 1;
    while (lead > from && follows(lead))
        --lead;
    if (lead >= from) {
        const uchar c = uchar(bytes[lead]);
        const qsizetype length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (lead + length > to)
            to = lead;
    }
    return QString::fromUtf8(bytes.constData() + from, to - from);
}

} // namespace

// Lines and text -------------------------------------------------------------

int EditorControl::LineCount() const {
    // An empty document has no lines at all.
    if (Send(Sci::SCI_GETLENGTH) == 0)
        return 0;
    return int(Send(Sci::SCI_GETLINECOUNT));
}

QString EditorControl::Line(int index) const {
    if (index < 0 || index >= LineCount())
        return {};
    return QString::fromUtf8(
        RawRange(Send(Sci::SCI_POSITIONFROMLINE, index), Send(Sci::SCI_GETLINEENDPOSITION, index)));
}

void EditorControl::AddLine(const QString& line) {
    const bool wasEmpty = Send(Sci::SCI_GETLENGTH) == 0;
    const QByteArray text = (wasEmpty ? QByteArray() : QByteArrayLiteral("\r\n")) +
                            NormalizeLineBreaks(line.toUtf8(), false);
    const bool wasLoading = loading;
    loading = true;
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    SendPointer(Sci::SCI_APPENDTEXT, text.size(), text.constData());
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    loading = wasLoading;
    updateMargins();
}

QByteArray EditorControl::RawRange(long from, long to) const {
    if (to <= from)
        return {};
    const auto* data = reinterpret_cast<const char*>(
        view->SendScintilla(Sci::SCI_GETRANGEPOINTER, from, to - from));
    return QByteArray(data, to - from);
}

QString EditorControl::Text() const {
    const long length = Send(Sci::SCI_GETLENGTH);
    if (length == 0)
        return {};
    return QString::fromUtf8(RawRange(0, length) + "\r\n");
}

void EditorControl::SetRawText(const char* utf8, qsizetype size) {
    beginLoad();
    reserveLoaded(size);
    appendLoaded(utf8, size);
    endLoad();
}

void EditorControl::beginLoad() {
    loading = true;
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_CLEARALL);
    // The caret goes to the top while the text is empty: placing it or asking
    // for its column later would make the engine lay the first line out before
    // it is styled, which for a long line means measuring it in long pieces
    // that are never cached (seconds for a minified page).
    Send(Sci::SCI_SETEMPTYSELECTION, 0);
    Send(Sci::SCI_CHOOSECARETX);
    Send(Sci::SCI_SETFIRSTVISIBLELINE, 0);
    Send(Sci::SCI_SETXOFFSET, 0);
    beyondAscii = false;
    uncheckedFrom = uncheckedTo = -1;
    if (characterIndexKept) {
        Send(Sci::SCI_RELEASELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF32);
        characterIndexKept = false;
    }
}

void EditorControl::reserveLoaded(qsizetype size) {
    // Room to type in: without it the first edits of a large document move
    // the whole text to a larger buffer. The engine fills the room (for the
    // text and for its styles alike), so it stays within a megabyte.
    constexpr qsizetype kLeast = 64 * 1024;
    constexpr qsizetype kMost = 1024 * 1024;
    Send(Sci::SCI_ALLOCATE, size + qBound(kLeast, size / 8, kMost));
}

void EditorControl::appendLoaded(const char* utf8, qsizetype size) {
    if (size <= 0)
        return;
    if (!beyondAscii && HoldsNonAscii(utf8, size))
        beyondAscii = true;
    SendPointer(Sci::SCI_APPENDTEXT, size, utf8);
}

void EditorControl::endLoad() {
    // Every piece was looked at on its way in.
    uncheckedFrom = uncheckedTo = -1;
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    Send(Sci::SCI_EMPTYUNDOBUFFER);
    Send(Sci::SCI_SETSAVEPOINT);
    loading = false;
    changePending = false;
    updateMargins();
    checkStatus(StatusChange::All);
}

void EditorControl::SetText(const QString& text) {
    const QByteArray utf8 = NormalizeLineBreaks(text.toUtf8(), true);
    SetRawText(utf8.constData(), utf8.size());
}

QByteArray EditorControl::Utf8Text() const {
    return RawRange(0, Send(Sci::SCI_GETLENGTH));
}

void EditorControl::SetUtf8Text(const QByteArray& text) {
    const QByteArray utf8 = NormalizeLineBreaks(text, true);
    SetRawText(utf8.constData(), utf8.size());
}

void EditorControl::Clear() {
    SetRawText("", 0);
}

qsizetype EditorControl::TrimmedCharacterCount() const {
    const long length = Send(Sci::SCI_GETLENGTH);
    // The text with the break after its last line; those two are trimmed
    // away in any case.
    long first = 0;
    while (first < length && IsBlankByte(char(Send(Sci::SCI_GETCHARAT, first))))
        ++first;
    if (first == length)
        return 0;
    long last = length;
    while (last > first && IsBlankByte(char(Send(Sci::SCI_GETCHARAT, last - 1))))
        --last;
    // Blanks are ASCII, one character each; the index entry after the last
    // line is the number of characters of the whole text.
    return LineStartCharacter(Send(Sci::SCI_GETLINECOUNT)) - first - (length - last);
}

// Positions ------------------------------------------------------------------

// Positions are converted between bytes and characters without walking a
// line from its start: the engine keeps the character index of every line
// start, a line of as many characters as bytes is plain ASCII, and otherwise
// the characters are counted in place from the nearer end of the line. A
// minified page is one line of megabytes, and this runs after every key.

void EditorControl::keepCharacterIndex() const {
    if (characterIndexKept)
        return;
    Send(Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF32);
    characterIndexKept = true;
}

void EditorControl::noteEditForAscii(long position, int type, long length) {
    if (beyondAscii)
        return;
    if (type & Sci::SC_MOD_BEFOREINSERT) {
        if (uncheckedFrom < 0) {
            uncheckedFrom = position;
            uncheckedTo = position + length;
            return;
        }
        // The stretch moves with the insert and grows to hold it.
        if (position <= uncheckedFrom)
            uncheckedFrom += length;
        if (position < uncheckedTo)
            uncheckedTo += length;
        uncheckedFrom = qMin(uncheckedFrom, position);
        uncheckedTo = qMax(uncheckedTo, position + length);
    } else if ((type & Sci::SC_MOD_BEFOREDELETE) && uncheckedFrom >= 0) {
        const auto after = [&](long at) {
            return at <= position ? at : at >= position + length ? at - length : position;
        };
        uncheckedFrom = after(uncheckedFrom);
        uncheckedTo = after(uncheckedTo);
    }
}

bool EditorControl::holdsBeyondAscii() const {
    if (!beyondAscii && uncheckedFrom >= 0) {
        const long length = Send(Sci::SCI_GETLENGTH);
        const long from = qBound(0L, uncheckedFrom, length);
        const long to = qBound(from, uncheckedTo, length);
        uncheckedFrom = uncheckedTo = -1;
        // Read in place on each side of the engine's gap, which then stays put.
        const long gap = Send(Sci::SCI_GETGAPPOSITION);
        for (const auto& [start, end] :
             {std::pair(from, qMin(to, gap)), std::pair(qMax(from, gap), to)}) {
            if (end > start && HoldsNonAscii(reinterpret_cast<const char*>(view->SendScintilla(
                                                 Sci::SCI_GETRANGEPOINTER, start, end - start)),
                                             end - start)) {
                beyondAscii = true;
                break;
            }
        }
    }
    return beyondAscii;
}

long EditorControl::LineStartCharacter(long line) const {
    if (!holdsBeyondAscii())
        return line < 0 ? -1 : Send(Sci::SCI_POSITIONFROMLINE, line);
    keepCharacterIndex();
    return Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF32);
}

long EditorControl::LineCharacters(long line) const {
    // Line breaks are ASCII: as many characters as bytes.
    const long breakBytes =
        Send(Sci::SCI_POSITIONFROMLINE, line + 1) - Send(Sci::SCI_GETLINEENDPOSITION, line);
    return LineStartCharacter(line + 1) - LineStartCharacter(line) - breakBytes;
}

long EditorControl::CountCharacters(long from, long to) const {
    // Read in place on each side of the engine's gap, which then stays put.
    const long gap = Send(Sci::SCI_GETGAPPOSITION);
    long count = 0;
    for (const auto& [start, end] :
         {std::pair(from, qMin(to, gap)), std::pair(qMax(from, gap), to)}) {
        if (end > start)
            count += long(CountCodePoints(reinterpret_cast<const char*>(view->SendScintilla(
                                              Sci::SCI_GETRANGEPOINTER, start, end - start)),
                                          end - start));
    }
    return count;
}

long EditorControl::CharactersIntoLine(long line, long bytePosition) const {
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line);
    if (bytePosition >= lineEnd)
        return LineCharacters(line) + (bytePosition - lineEnd);
    const long characters = LineCharacters(line);
    if (characters == lineEnd - lineStart)
        return bytePosition - lineStart;
    if (bytePosition - lineStart <= lineEnd - bytePosition)
        return CountCharacters(lineStart, bytePosition);
    return characters - CountCharacters(bytePosition, lineEnd);
}

long EditorControl::BytesIntoLine(long line, long characters) const {
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line);
    const long length = LineCharacters(line);
    if (characters >= length)
        return lineEnd;
    if (length == lineEnd - lineStart)
        return lineStart + characters;
    if (characters <= length / 2)
        return Send(Sci::SCI_POSITIONRELATIVE, lineStart, characters);
    return Send(Sci::SCI_POSITIONRELATIVE, lineEnd, characters - length);
}

QString EditorControl::TextBeforeCaret(long maxBytes) const {
    const long caret = Caret();
    return Utf8Whole(RawRange(qMax(0L, caret - maxBytes), caret));
}

QString EditorControl::TextAfterCaret(long maxBytes) const {
    const long caret = Caret();
    return Utf8Whole(RawRange(caret, qMin(Send(Sci::SCI_GETLENGTH), caret + maxBytes)));
}

std::pair<QString, int> EditorControl::TextAroundCaret() const {
    constexpr long kReach = 512;
    const long caret = Caret();
    const long line = Send(Sci::SCI_LINEFROMPOSITION, caret);
    const long into = CharactersIntoLine(line, caret);
    const long from = Send(Sci::SCI_POSITIONRELATIVE, caret, -qMin(kReach, into));
    const long to =
        Send(Sci::SCI_POSITIONRELATIVE, caret, qMin(kReach, LineCharacters(line) - into));
    return {QString::fromUtf8(RawRange(from, qMax(to, caret))),
            int(QString::fromUtf8(RawRange(from, caret)).size())};
}

long EditorControl::CharacterIndexOf(long bytePosition) const {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, bytePosition);
    return LineStartCharacter(line) + CharactersIntoLine(line, bytePosition);
}

long EditorControl::BytePositionOf(long characterIndex) const {
    const long length = Send(Sci::SCI_GETLENGTH);
    if (characterIndex <= 0)
        return 0;
    if (characterIndex >= CharacterIndexOf(length))
        return length;
    long line = 0;
    if (holdsBeyondAscii()) {
        keepCharacterIndex();
        line =
            Send(Sci::SCI_LINEFROMINDEXPOSITION, characterIndex, Sci::SC_LINECHARACTERINDEX_UTF32);
    } else {
        line = Send(Sci::SCI_LINEFROMPOSITION, characterIndex);
    }
    // A position inside a line break stands before it.
    return BytesIntoLine(line, characterIndex - LineStartCharacter(line));
}

long EditorControl::Caret() const {
    return Send(Sci::SCI_GETCURRENTPOS);
}

long EditorControl::Anchor() const {
    return Send(Sci::SCI_GETANCHOR);
}

TextPosition EditorControl::PositionAt(long bytePosition, int virtualSpace) const {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, bytePosition);
    return {int(CharactersIntoLine(line, bytePosition)) + virtualSpace + 1, int(line) + 1};
}

long EditorControl::PositionOf(const TextPosition& position, int* virtualSpace) const {
    const long lines = Send(Sci::SCI_GETLINECOUNT);
    const long line = qBound(0L, long(position.line) - 1, lines - 1);
    const long column = qMax(0L, long(position.column) - 1);
    if (virtualSpace)
        *virtualSpace = int(qMax(0L, column - LineCharacters(line)));
    return BytesIntoLine(line, column);
}

TextPosition EditorControl::CaretPosition() const {
    return PositionAt(Caret(), int(Send(Sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0)));
}

void EditorControl::SetCaretPosition(const TextPosition& position) {
    int virtualSpace = 0;
    const long target = PositionOf(position, &virtualSpace);
    Send(Sci::SCI_SETEMPTYSELECTION, target);
    if (virtualSpace > 0 && Option(EditorOption::ScrollPastEol)) {
        Send(Sci::SCI_SETSELECTIONNCARETVIRTUALSPACE, 0, virtualSpace);
        Send(Sci::SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0, virtualSpace);
    }
    // Up and Down go on from the column the caret was put in.
    Send(Sci::SCI_CHOOSECARETX);
    Send(Sci::SCI_SCROLLCARET);
    checkStatus();
}

void EditorControl::SetCaretLine(int line) {
    if (LineCount() == 0)
        return;
    TextPosition position = CaretPosition();
    position.line = qBound(1, line, LineCount());
    const long lineIndex = position.line - 1;
    const long length = LineCharacters(lineIndex);
    position.column = int(qMin(long(position.column), length + 1));
    SetCaretPosition(position);
}

bool EditorControl::InsertMode() const {
    return Send(Sci::SCI_GETOVERTYPE) == 0;
}

QPoint EditorControl::PositionToPixels(const TextPosition& position) const {
    const long target = PositionOf(position, nullptr);
    const QPoint inView(int(Send(Sci::SCI_POINTXFROMPOSITION, 0, target)),
                        int(Send(Sci::SCI_POINTYFROMPOSITION, 0, target)));
    return view->viewport()->mapTo(const_cast<EditorControl*>(this), inView);
}

int EditorControl::LineHeight() const {
    return int(Send(Sci::SCI_TEXTHEIGHT, 0));
}
