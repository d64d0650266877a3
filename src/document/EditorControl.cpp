#include "EditorControl.h"

#include "AtomicFile.h"
#include "EditorAccessible.h"
#include "ErrorReport.h"
#include "FixedPitchFont.h"
#include "HighlightEngine.h"
#include "HighlightStyles.h"
#include "StyleRuns.h"
#include "Utf8Count.h"

#include <Qsci/qsciscintillabase.h>

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

using Sci = QsciScintillaBase;

constexpr int kBookmarkMargin = 0;
constexpr int kLineNumberMargin = 1;
constexpr int kBookmarkCount = 10;
constexpr int kBlockIndent = 2;
// Lines this long get their style runs split (StyleRuns.h).
constexpr long kLongLine = 4096;
// The edit notices the editor listens to: before-edit ones only, since the
// notices after an edit cost time on every one of a large replace.
constexpr int kModEvents =
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;

long Rgb(const QColor& color) {
    return long(color.red()) | (long(color.green()) << 8) | (long(color.blue()) << 16);
}

QByteArray Utf8(const QString& text) {
    return text.toUtf8();
}

bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

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

unsigned int EngineMessage(EditorCommand command) {
    for (const auto& [bound, message] : kEngineCommands) {
        if (bound == command)
            return message;
    }
    return 0;
}

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

int EngineSelectionMode(SelectionMode mode) {
    switch (mode) {
    case SelectionMode::Column:
        return Sci::SC_SEL_RECTANGLE;
    case SelectionMode::Line:
        return Sci::SC_SEL_LINES;
    case SelectionMode::Normal:
        break;
    }
    return Sci::SC_SEL_STREAM;
}

} // namespace

// The editing engine's widget. Key presses and shortcut requests go through
// the editor control first, so that only its own bindings (and typed text)
// reach the engine, and keys of the window's commands reach the window.
class ScintillaView : public QsciScintillaBase {
public:
    explicit ScintillaView(EditorControl* owner) : QsciScintillaBase(owner), owner(owner) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QKeyCombination keys = key->keyCombination();
            if (owner->documentShortcut && owner->documentShortcut(keys))
                key->accept();
            else if (!owner->keyIsClaimedElsewhere(keys) && (CommandForKey(keys) || IsTyping(*key)))
                key->accept();
            else
                key->ignore();
            return true;
        }
        return QsciScintillaBase::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override { owner->handleKeyPress(event); }

    void contextMenuEvent(QContextMenuEvent* event) override {
        emit owner->contextMenuRequested(event->globalPos());
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        QsciScintillaBase::mouseReleaseEvent(event);
        owner->checkStatus();
    }

    // Input methods ask for the text around the caret after every caret move;
    // the engine would answer with the whole paragraph up to the next blank
    // line, which in a large document can be the whole text. A stretch of the
    // caret's line is enough context.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        switch (query) {
        case Qt::ImSurroundingText:
            return owner->TextAroundCaret().first;
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
            return owner->TextAroundCaret().second;
        case Qt::ImCurrentSelection: {
            constexpr long kLargestSelection = 64 * 1024;
            if (SendScintilla(SCI_GETSELECTIONEND) - SendScintilla(SCI_GETSELECTIONSTART) >
                kLargestSelection)
                return QString();
            return QsciScintillaBase::inputMethodQuery(query);
        }
        default:
            return QsciScintillaBase::inputMethodQuery(query);
        }
    }

public:
    void typeKey(QKeyEvent* event) { QsciScintillaBase::keyPressEvent(event); }

private:
    static bool IsTyping(const QKeyEvent& key) {
        const auto modifiers = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        return !key.text().isEmpty() && key.text().at(0).isPrint() &&
               (modifiers == Qt::NoModifier ||
                modifiers == (Qt::ControlModifier | Qt::AltModifier));
    }

    EditorControl* owner;
};

EditorControl::EditorControl(QWidget* parent)
    : QWidget(parent), view(new ScintillaView(this)),
      accessibleEvents(std::make_unique<EditorAccessibleEvents>(view)) {
    EditorAccessible::Install();
    setObjectName(QStringLiteral("Memo1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setFocusProxy(view);
    view->setFocusPolicy(Qt::StrongFocus);
    view->viewport()->setCursor(Qt::IBeamCursor);

    Send(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    Send(Sci::SCI_SETEOLMODE, Sci::SC_EOL_CRLF);
    Send(Sci::SCI_CLEARALLCMDKEYS);
    // Edits are noticed before they happen: the engine's own handling of the
    // after-edit notices costs time in proportion to the document's length.
    Send(Sci::SCI_SETMODEVENTMASK, kModEvents);
    Send(Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF32);
    Send(Sci::SCI_SETSCROLLWIDTH, 1);
    Send(Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
    Send(Sci::SCI_SETEDGEMODE, Sci::EDGE_LINE);
    Send(Sci::SCI_SETMARGINTYPEN, kBookmarkMargin, Sci::SC_MARGIN_SYMBOL);
    Send(Sci::SCI_SETMARGINMASKN, kBookmarkMargin, (1 << kBookmarkCount) - 1);
    Send(Sci::SCI_SETMARGINTYPEN, kLineNumberMargin, Sci::SC_MARGIN_NUMBER);
    Send(Sci::SCI_SETMARGINMASKN, kLineNumberMargin, 0);
    Send(Sci::SCI_SETMARGINWIDTHN, 2, 0);
    for (int n = 0; n < kBookmarkCount; ++n) {
        Send(Sci::SCI_MARKERDEFINE, n, Sci::SC_MARK_CHARACTER + '0' + n);
        Send(Sci::SCI_MARKERSETFORE, n, Rgb(Qt::white));
        Send(Sci::SCI_MARKERSETBACK, n, Rgb(QColor(0, 0, 128)));
    }

    // The design values; the document window then applies the settings.
    fontName = QStringLiteral("Courier New");
    fontColor = palette().color(QPalette::WindowText);
    backgroundColor = palette().color(QPalette::Base);
    SetTabWidth(8);
    SetRightEdge(80);
    SetRightEdgeColor(QColor(192, 192, 192));
    for (const EditorOption option :
         {EditorOption::AutoIndent, EditorOption::DragDropEditing, EditorOption::ScrollPastEol,
          EditorOption::ShowScrollHint, EditorOption::SmartTabs, EditorOption::TabsToSpaces,
          EditorOption::TrimTrailingSpaces, EditorOption::SmartTabDelete, EditorOption::GroupUndo})
        SetOption(option, true);
    applyStyles();

    connect(view, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                if (QAccessible::isActive())
                    accessibleEvents->TextChanging(position, type, length);
                onModified(position, type);
            });
    connect(view, &QsciScintillaBase::SCN_STYLENEEDED, this, &EditorControl::onStyleNeeded);
    connect(view, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { checkStatus(); });
    connect(view->verticalScrollBar(), &QScrollBar::sliderMoved, this,
            &EditorControl::showScrollHint);
}

EditorControl::~EditorControl() = default;

long EditorControl::Send(unsigned int message, unsigned long wParam, long lParam) const {
    return view->SendScintilla(message, wParam, lParam);
}

long EditorControl::SendPointer(unsigned int message, unsigned long wParam,
                                const void* lParam) const {
    return view->SendScintilla(message, uintptr_t(wParam), static_cast<const char*>(lParam));
}

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
                            NormalizeLineBreaks(Utf8(line), false);
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
    // Room to type in: without it the first edits of a large document move
    // the whole text to a larger buffer.
    Send(Sci::SCI_ALLOCATE, size + size / 8 + 65536);
    SendPointer(Sci::SCI_APPENDTEXT, size, utf8);
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    Send(Sci::SCI_EMPTYUNDOBUFFER);
    Send(Sci::SCI_SETSAVEPOINT);
    loading = false;
    changePending = false;
    updateMargins();
    checkStatus(StatusChange::All);
}

void EditorControl::SetText(const QString& text) {
    const QByteArray utf8 = NormalizeLineBreaks(Utf8(text), true);
    SetRawText(utf8.constData(), utf8.size());
}

void EditorControl::Clear() {
    SetRawText("", 0);
}

void EditorControl::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    // Most files go into the editor as they are, straight from the mapped
    // file; the others are decoded first.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (mapped) {
        const auto* bytes = reinterpret_cast<const char*>(mapped);
        if (const auto direct = DirectDocumentText(bytes, size)) {
            encoding = direct->encoding;
            SetRawText(direct->data, direct->size);
            return;
        }
        DecodedDocument document = DecodeDocument(QByteArray(bytes, size));
        file.unmap(const_cast<uchar*>(mapped));
        encoding = document.encoding;
        SetRawText(document.text.constData(), document.text.size());
        return;
    }
    DecodedDocument document = DecodeDocument(file.readAll());
    if (file.error() != QFileDevice::NoError)
        throw UserError(
            QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    encoding = document.encoding;
    SetRawText(document.text.constData(), document.text.size());
}

TextEncoding EditorControl::EncodingFor(const QString& path) const {
    // "&#N;" stands for the character only in HTML; any other document that
    // holds a character the code page lacks is written as UTF-8.
    if (encoding != TextEncoding::Windows1252 || IsHtmlDocumentPath(path))
        return encoding;
    const long length = Send(Sci::SCI_GETLENGTH);
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETCHARACTERPOINTER));
    return Cp1252HoldsAll(text, length) ? encoding : TextEncoding::Utf8;
}

void EditorControl::WriteEncoded(const QString& path, TextEncoding written) const {
    const long length = Send(Sci::SCI_GETLENGTH);
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETCHARACTERPOINTER));
    WriteFileAtomically(path, EncodeDocument(text, length, written));
}

void EditorControl::WriteCopyTo(const QString& path) const {
    WriteEncoded(path, EncodingFor(path));
}

void EditorControl::SaveToFile(const QString& path) {
    // From now on the document keeps the encoding it was saved in.
    const TextEncoding written = EncodingFor(path);
    WriteEncoded(path, written);
    encoding = written;
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

long EditorControl::LineStartCharacter(long line) const {
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
    const long line =
        Send(Sci::SCI_LINEFROMINDEXPOSITION, characterIndex, Sci::SC_LINECHARACTERINDEX_UTF32);
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

// Selection ------------------------------------------------------------------

QString EditorControl::SelectedText() const {
    if (!SelectionAvailable())
        return {};
    QByteArray buffer(int(Send(Sci::SCI_GETSELTEXT, 0, 0)) + 1, '\0');
    SendPointer(Sci::SCI_GETSELTEXT, 0, buffer.data());
    return QString::fromUtf8(buffer.constData());
}

void EditorControl::ReplaceSelection(const QString& text) {
    const QByteArray bytes = NormalizeLineBreaks(Utf8(text), false);
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
    case C::ContextHelp:
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
    case C::AutoCompletion:
        if (autoCompletion)
            autoCompletion();
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

void EditorControl::matchBracket() {
    long caret = Caret();
    long match = Send(Sci::SCI_BRACEMATCH, caret, 0);
    if (match < 0 && caret > 0)
        match = Send(Sci::SCI_BRACEMATCH, caret - 1, 0);
    if (match >= 0)
        MoveCaret(match, false);
}

// Keys -----------------------------------------------------------------------

void EditorControl::SetKeyClaimedElsewhere(std::function<bool(QKeyCombination)> test) {
    claimedElsewhere = std::move(test);
}

bool EditorControl::keyIsClaimedElsewhere(QKeyCombination keys) const {
    return claimedElsewhere && claimedElsewhere(keys);
}

void EditorControl::handleKeyPress(QKeyEvent* event) {
    emit keyDown(event->key(), event->modifiers());
    if (documentShortcut) {
        if (QAction* command = documentShortcut(event->keyCombination())) {
            if (command->isEnabled())
                command->trigger();
            event->accept();
            return;
        }
    }
    // A key of the window's commands that reaches the editor all the same
    // (its command is disabled) does nothing here either.
    if (keyIsClaimedElsewhere(event->keyCombination())) {
        event->ignore();
        return;
    }
    if (const auto command = CommandForKey(event->keyCombination())) {
        Execute(*command);
        event->accept();
        return;
    }
    const auto modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const bool typing =
        !event->text().isEmpty() && event->text().at(0).isPrint() &&
        (modifiers == Qt::NoModifier || modifiers == (Qt::ControlModifier | Qt::AltModifier));
    if (typing) {
        const bool styleFirst = StyleBeforeLayout();
        if (styleFirst)
            Send(Sci::SCI_SETMODEVENTMASK, kModEvents | Sci::SC_MOD_INSERTTEXT);
        view->typeKey(event);
        if (styleFirst)
            Send(Sci::SCI_SETMODEVENTMASK, kModEvents);
    } else
        event->ignore();
    flushChange();
    checkStatus();
}

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

// Notifications ----------------------------------------------------------------

// The engine lays the caret's line out again after every typed character to
// show the caret, and once more when the line's new styles arrive: for a long
// line each of those measures the whole line. Styling the line as soon as the
// character is in saves the second one. The notice that allows it costs time
// in proportion to the caret's distance from the start of the document, so it
// is asked for only where a long line makes it worth it.
bool EditorControl::StyleBeforeLayout() const {
    constexpr long kVeryLongLine = 64 * 1024;
    const long caret = Caret();
    const long line = Send(Sci::SCI_LINEFROMPOSITION, caret);
    const long length =
        Send(Sci::SCI_GETLINEENDPOSITION, line) - Send(Sci::SCI_POSITIONFROMLINE, line);
    return length >= kVeryLongLine && 2 * length >= caret;
}

void EditorControl::onModified(int position, int type) {
    if (type & Sci::SC_MOD_INSERTTEXT) {
        onStyleNeeded(
            int(Send(Sci::SCI_GETLINEENDPOSITION, Send(Sci::SCI_LINEFROMPOSITION, position))));
        return;
    }
    if (loading || !(type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE)))
        return;
    changePending = true;
    // The change is announced once the edit is done: at the end of the
    // command that made it, or else as soon as control returns to the loop.
    if (!flushQueued) {
        flushQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                flushQueued = false;
                flushChange();
            },
            Qt::QueuedConnection);
    }
}

void EditorControl::flushChange() {
    if (!changePending)
        return;
    changePending = false;
    updateMargins();
    emit changed();
}

void EditorControl::checkStatus(StatusChanges extra) {
    StatusChanges changes = extra;
    const TextPosition caret = CaretPosition();
    if (caret.line != lastCaret.line)
        changes |= StatusChange::CaretLine;
    if (caret.column != lastCaret.column)
        changes |= StatusChange::CaretColumn;
    lastCaret = caret;
    const int top = int(Send(Sci::SCI_GETFIRSTVISIBLELINE));
    if (top != lastTopLine)
        changes |= StatusChange::TopLine;
    lastTopLine = top;
    const int left = int(Send(Sci::SCI_GETXOFFSET));
    if (left != lastLeftColumn)
        changes |= StatusChange::LeftColumn;
    lastLeftColumn = left;
    if (QAccessible::isActive())
        accessibleEvents->Settle(
            changes.testAnyFlags(StatusChange::CaretLine | StatusChange::CaretColumn));
    if (changes)
        emit statusChanged(changes);
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
        splitPlainLongLines(Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED)),
                            Send(Sci::SCI_LINEFROMPOSITION, position));
        return;
    }
    // Styling starts at the start of the line where it stopped before, with
    // the state stored at the end of the line above, and covers whole lines.
    styleLines(Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED)),
               Send(Sci::SCI_LINEFROMPOSITION, position));
}

// Without highlighting all text has the default style; only long lines get
// their runs split, so that the engine lays them out in pieces it reuses.
void EditorControl::splitPlainLongLines(long firstLine, long lastLine) {
    for (long line = firstLine; line <= lastLine; ++line) {
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
        const long length = Send(Sci::SCI_GETLINEENDPOSITION, line) - lineStart;
        if (length < kLongLine)
            continue;
        const auto* text = reinterpret_cast<const char*>(
            view->SendScintilla(Sci::SCI_GETRANGEPOINTER, lineStart, length));
        QByteArray styles(length, '\0');
        SplitLongStyleRuns(text, reinterpret_cast<unsigned char*>(styles.data()), int(length));
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
    for (long line = firstLine; line <= lastLine; ++line) {
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line) - start;
        const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line) - start;
        auto* lineStyles = reinterpret_cast<unsigned char*>(styles.data()) + lineStart;
        state = StyleLine(mode, text + lineStart, int(lineEnd - lineStart), state, lineStyles);
        if (lineEnd - lineStart >= kLongLine)
            SplitLongStyleRuns(text + lineStart, lineStyles, int(lineEnd - lineStart));
        Send(Sci::SCI_SETLINESTATE, line, state);
    }
    Send(Sci::SCI_STARTSTYLING, start, 0);
    SendPointer(Sci::SCI_SETSTYLINGEX, styles.size(), styles.constData());
    return state;
}
