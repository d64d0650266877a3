#include "EditorControl.h"

#include "AtomicFile.h"
#include "ErrorReport.h"
#include "HighlightEngine.h"
#include "HighlightStyles.h"

#include <Qsci/qsciscintillabase.h>

#include <QAccessible>
#include <QAccessibleWidget>
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

long Rgb(const QColor& color) {
    return long(color.red()) | (long(color.green()) << 8) | (long(color.blue()) << 16);
}

QByteArray Utf8(const QString& text) {
    return text.toUtf8();
}

bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The engine's own accessibility object converts the caret's byte position to
// a character position from the start of the text after every caret move,
// which makes typing near the end of a large document slow. The editor is
// described as a plain editable text widget instead.
QAccessibleInterface* PlainEditorAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("QsciScintillaBase") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
    return nullptr;
}

void InstallPlainEditorAccessible() {
    // Factories installed later are asked first; the engine installs its own
    // when its first widget is made.
    static const bool installed = [] {
        QAccessible::installFactory(PlainEditorAccessible);
        return true;
    }();
    Q_UNUSED(installed);
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
    // line, which in a large document can be the whole text. The caret's line
    // is enough context.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        switch (query) {
        case Qt::ImSurroundingText:
            return owner->Line(owner->CaretPosition().line - 1);
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
            return owner->CaretPosition().column - 1;
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

EditorControl::EditorControl(QWidget* parent) : QWidget(parent), view(new ScintillaView(this)) {
    InstallPlainEditorAccessible();
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
    Send(Sci::SCI_SETMODEVENTMASK, Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);
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
            [this](int, int type, const char*, int, int, int, int, int, int, int) {
                onModified(type);
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
    // Room to type in: without it the first edits of a large document move
    // the whole text to a larger buffer.
    Send(Sci::SCI_ALLOCATE, size + size / 8 + 65536);
    SendPointer(Sci::SCI_APPENDTEXT, size, utf8);
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    Send(Sci::SCI_EMPTYUNDOBUFFER);
    Send(Sci::SCI_SETSAVEPOINT);
    Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_STREAM);
    Send(Sci::SCI_GOTOPOS, 0);
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

void EditorControl::SaveToFile(const QString& path) const {
    const long length = Send(Sci::SCI_GETLENGTH);
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETCHARACTERPOINTER));
    WriteFileAtomically(path, EncodeDocument(text, length, encoding));
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
    return CharacterIndexOf(last) - CharacterIndexOf(first);
}

// Positions ------------------------------------------------------------------

long EditorControl::CharacterIndexOf(long bytePosition) const {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, bytePosition);
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    return Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF32) +
           Send(Sci::SCI_COUNTCHARACTERS, lineStart, bytePosition);
}

long EditorControl::BytePositionOf(long characterIndex) const {
    const long length = Send(Sci::SCI_GETLENGTH);
    if (characterIndex <= 0)
        return 0;
    if (characterIndex >= CharacterIndexOf(length))
        return length;
    const long line =
        Send(Sci::SCI_LINEFROMINDEXPOSITION, characterIndex, Sci::SC_LINECHARACTERINDEX_UTF32);
    const long lineChar =
        Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF32);
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line);
    if (characterIndex == lineChar)
        return lineStart;
    const long position = Send(Sci::SCI_POSITIONRELATIVE, lineStart, characterIndex - lineChar);
    // A position inside a line break stands before it.
    return position <= 0 ? lineEnd : qMin(position, lineEnd);
}

long EditorControl::Caret() const {
    return Send(Sci::SCI_GETCURRENTPOS);
}

long EditorControl::Anchor() const {
    return Send(Sci::SCI_GETANCHOR);
}

TextPosition EditorControl::PositionAt(long bytePosition, int virtualSpace) const {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, bytePosition);
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    return {int(Send(Sci::SCI_COUNTCHARACTERS, lineStart, bytePosition)) + virtualSpace + 1,
            int(line) + 1};
}

long EditorControl::PositionOf(const TextPosition& position, int* virtualSpace) const {
    const long lines = Send(Sci::SCI_GETLINECOUNT);
    const long line = qBound(0L, long(position.line) - 1, lines - 1);
    const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
    const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line);
    const long lineLength = Send(Sci::SCI_COUNTCHARACTERS, lineStart, lineEnd);
    const long column = qMax(0L, long(position.column) - 1);
    if (virtualSpace)
        *virtualSpace = int(qMax(0L, column - lineLength));
    if (column >= lineLength)
        return lineEnd;
    return Send(Sci::SCI_POSITIONRELATIVE, lineStart, column);
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
    Send(Sci::SCI_SCROLLCARET);
    checkStatus();
}

void EditorControl::SetCaretLine(int line) {
    if (LineCount() == 0)
        return;
    TextPosition position = CaretPosition();
    position.line = qBound(1, line, LineCount());
    const long lineIndex = position.line - 1;
    const long length = Send(Sci::SCI_COUNTCHARACTERS, Send(Sci::SCI_POSITIONFROMLINE, lineIndex),
                             Send(Sci::SCI_GETLINEENDPOSITION, lineIndex));
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
    Send(Sci::SCI_BEGINUNDOACTION);
    if (!bytes.contains('\0')) {
        SendPointer(Sci::SCI_REPLACESEL, 0, bytes.constData());
    } else {
        SendPointer(Sci::SCI_REPLACESEL, 0, "");
        SendPointer(Sci::SCI_ADDTEXT, bytes.size(), bytes.constData());
    }
    Send(Sci::SCI_ENDUNDOACTION);
    Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_STREAM);
    Send(Sci::SCI_SETEMPTYSELECTION, Caret());
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
    Send(Sci::SCI_SCROLLCARET);
    checkStatus();
}

void EditorControl::SetSelectionEnd(int position) {
    Send(Sci::SCI_SETSEL, BytePositionOf(position - 1), Caret());
    checkStatus();
}

SelectionMode EditorControl::CurrentSelectionMode() const {
    switch (Send(Sci::SCI_GETSELECTIONMODE)) {
    case Sci::SC_SEL_RECTANGLE:
    case Sci::SC_SEL_THIN:
        return SelectionMode::Column;
    case Sci::SC_SEL_LINES:
        return SelectionMode::Line;
    default:
        return SelectionMode::Normal;
    }
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

// Moves to a line, keeping the caret's column where the line allows it.
void EditorControl::MoveToLine(int line, bool extend) {
    const long column = Send(Sci::SCI_GETCOLUMN, Caret());
    MoveCaret(Send(Sci::SCI_FINDCOLUMN, line, column), extend);
}

void EditorControl::Execute(EditorCommand command) {
    using C = EditorCommand;
    static const std::pair<C, unsigned int> simple[] = {
        {C::Up, Sci::SCI_LINEUP},
        {C::SelUp, Sci::SCI_LINEUPEXTEND},
        {C::ScrollUp, Sci::SCI_LINESCROLLUP},
        {C::Down, Sci::SCI_LINEDOWN},
        {C::SelDown, Sci::SCI_LINEDOWNEXTEND},
        {C::ScrollDown, Sci::SCI_LINESCROLLDOWN},
        {C::Left, Sci::SCI_CHARLEFT},
        {C::SelLeft, Sci::SCI_CHARLEFTEXTEND},
        {C::WordLeft, Sci::SCI_WORDLEFT},
        {C::SelWordLeft, Sci::SCI_WORDLEFTEXTEND},
        {C::Right, Sci::SCI_CHARRIGHT},
        {C::SelRight, Sci::SCI_CHARRIGHTEXTEND},
        {C::WordRight, Sci::SCI_WORDRIGHT},
        {C::SelWordRight, Sci::SCI_WORDRIGHTEXTEND},
        {C::PageDown, Sci::SCI_PAGEDOWN},
        {C::SelPageDown, Sci::SCI_PAGEDOWNEXTEND},
        {C::PageUp, Sci::SCI_PAGEUP},
        {C::SelPageUp, Sci::SCI_PAGEUPEXTEND},
        {C::LineStart, Sci::SCI_HOME},
        {C::SelLineStart, Sci::SCI_HOMEEXTEND},
        {C::EditorTop, Sci::SCI_DOCUMENTSTART},
        {C::SelEditorTop, Sci::SCI_DOCUMENTSTARTEXTEND},
        {C::LineEnd, Sci::SCI_LINEEND},
        {C::SelLineEnd, Sci::SCI_LINEENDEXTEND},
        {C::EditorBottom, Sci::SCI_DOCUMENTEND},
        {C::SelEditorBottom, Sci::SCI_DOCUMENTENDEXTEND},
        {C::Copy, Sci::SCI_COPY},
        {C::Cut, Sci::SCI_CUT},
        {C::Paste, Sci::SCI_PASTE},
        {C::DeleteChar, Sci::SCI_CLEAR},
        {C::DeleteLastChar, Sci::SCI_DELETEBACK},
        {C::DeleteLastWord, Sci::SCI_DELWORDLEFT},
        {C::Undo, Sci::SCI_UNDO},
        {C::Redo, Sci::SCI_REDO},
        {C::Tab, Sci::SCI_TAB},
        {C::ShiftTab, Sci::SCI_BACKTAB},
        {C::SelectAll, Sci::SCI_SELECTALL},
        {C::DeleteWord, Sci::SCI_DELWORDRIGHT},
        {C::DeleteEOL, Sci::SCI_DELLINERIGHT},
    };
    for (const auto& [bound, message] : simple) {
        if (bound == command) {
            Send(message);
            flushChange();
            checkStatus();
            return;
        }
    }

    const int firstVisible =
        int(Send(Sci::SCI_DOCLINEFROMVISIBLE, Send(Sci::SCI_GETFIRSTVISIBLELINE)));
    const int lastVisible =
        int(Send(Sci::SCI_DOCLINEFROMVISIBLE,
                 Send(Sci::SCI_GETFIRSTVISIBLELINE) + qMax(1L, Send(Sci::SCI_LINESONSCREEN)) - 1));
    switch (command) {
    case C::PageTop:
    case C::SelPageTop:
        MoveToLine(firstVisible, command == C::SelPageTop);
        break;
    case C::PageBottom:
    case C::SelPageBottom:
        MoveToLine(lastVisible, command == C::SelPageBottom);
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
        Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_STREAM);
        break;
    case C::ColumnSelect:
        Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_RECTANGLE);
        break;
    case C::LineSelect:
        Send(Sci::SCI_SETSELECTIONMODE, Sci::SC_SEL_LINES);
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
    if (typing)
        view->typeKey(event);
    else
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

void EditorControl::onModified(int type) {
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
    if (changes)
        emit statusChanged(changes);
}

// Highlighting -----------------------------------------------------------------

void EditorControl::applyStyles() {
    const QByteArray family = fontName.toUtf8();
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
    return int(Send(Sci::SCI_GETSTYLEAT, target));
}

void EditorControl::onStyleNeeded(int position) {
    if (highlighter == Highlighter::None)
        return;
    // Styling starts at the start of the line where it stopped before, with
    // the state stored at the end of the line above, and covers whole lines.
    styleLines(Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED)),
               Send(Sci::SCI_LINEFROMPOSITION, position));
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
        state = StyleLine(mode, text + lineStart, int(lineEnd - lineStart), state,
                          reinterpret_cast<unsigned char*>(styles.data()) + lineStart);
        Send(Sci::SCI_SETLINESTATE, line, state);
    }
    Send(Sci::SCI_STARTSTYLING, start, 0);
    SendPointer(Sci::SCI_SETSTYLINGEX, styles.size(), styles.constData());
    return state;
}
