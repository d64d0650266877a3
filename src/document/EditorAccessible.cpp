#include "EditorAccessible.h"

#include "EditorControl.h"
#include "Utf8Count.h"

#include <Qsci/qsciscintillabase.h>

#include <QTextBoundaryFinder>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

// How far around an offset characters, words and sentences are looked for.
// A word longer than this is cut at its edge.
constexpr long kReach = 2048;

// The engine's byte positions and the UTF-16 offsets of the interface. The
// engine keeps the UTF-16 offset of every line start once asked to. Within a
// line, one of as many units as bytes is plain ASCII; in any other the units
// are counted in place from the nearer end of the line.
class EngineText {
public:
    explicit EngineText(const QsciScintillaBase* engine) : engine(engine) {
        // The index is made when an assistive tool first asks; from then on
        // the engine keeps it up to date along with its own.
        if (!(Send(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF16))
            Send(Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
    }

    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const {
        return engine->SendScintilla(message, wParam, lParam);
    }

    long Length() const { return Send(Sci::SCI_GETLENGTH); }
    long Units() const { return LineStartOffset(Send(Sci::SCI_GETLINECOUNT)); }

    long LineStartOffset(long line) const {
        return Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF16);
    }

    long LineOfOffset(long offset) const {
        return Send(Sci::SCI_LINEFROMINDEXPOSITION, offset, Sci::SC_LINECHARACTERINDEX_UTF16);
    }

    long OffsetOf(long position) const {
        const long line = Send(Sci::SCI_LINEFROMPOSITION, position);
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
        const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line);
        const long units = LineUnits(line);
        long into;
        if (position >= lineEnd)
            into = units + (position - lineEnd); // line breaks are ASCII
        else if (units == lineEnd - lineStart)
            into = position - lineStart;
        else if (position - lineStart <= lineEnd - position)
            into = CountUnits(lineStart, position);
        else
            into = units - CountUnits(position, lineEnd);
        return LineStartOffset(line) + into;
    }

    // The byte position of an offset; one inside a character stands after it.
    long PositionOf(long offset) const {
        if (offset <= 0)
            return 0;
        if (offset >= Units())
            return Length();
        const long line = LineOfOffset(offset);
        const long into = offset - LineStartOffset(line);
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
        const long lineEnd = Send(Sci::SCI_GETLINEENDPOSITION, line);
        const long units = LineUnits(line);
        if (into >= units)
            return lineEnd + (into - units);
        if (units == lineEnd - lineStart)
            return lineStart + into;
        if (into <= units / 2)
            return Send(Sci::SCI_POSITIONRELATIVECODEUNITS, lineStart, into);
        return Send(Sci::SCI_POSITIONRELATIVECODEUNITS, lineEnd, into - units);
    }

    QString Text(long from, long to) const {
        QByteArray bytes;
        bytes.reserve(qMax(0L, to - from));
        ForEachPiece(from, to, [&](const char* data, long size) { bytes.append(data, size); });
        return QString::fromUtf8(bytes);
    }

private:
    // The units of a line without its line break.
    long LineUnits(long line) const {
        const long breakBytes =
            Send(Sci::SCI_POSITIONFROMLINE, line + 1) - Send(Sci::SCI_GETLINEENDPOSITION, line);
        return LineStartOffset(line + 1) - LineStartOffset(line) - breakBytes;
    }

    long CountUnits(long from, long to) const {
        long count = 0;
        ForEachPiece(from, to, [&](const char* data, long size) {
            count += long(CountUtf16Units(data, size));
        });
        return count;
    }

    // The bytes from..to read in place on each side of the engine's gap,
    // which then stays where the typing is.
    template <typename Use> void ForEachPiece(long from, long to, Use use) const {
        const long gap = Send(Sci::SCI_GETGAPPOSITION);
        for (const auto& [start, end] :
             {std::pair(from, qMin(to, gap)), std::pair(qMax(from, gap), to)}) {
            if (end > start)
                use(reinterpret_cast<const char*>(
                        Send(Sci::SCI_GETRANGEPOINTER, start, end - start)),
                    end - start);
        }
    }

    const QsciScintillaBase* engine;
};

// The places in a stretch of text where characters, words or sentences meet,
// by Qt's rules, with the stretch's two ends. Words are bounded by their
// starts and ends, so the text between two words counts as one piece too.
std::vector<int> Boundaries(const QString& stretch, QAccessible::TextBoundaryType boundaryType) {
    const QTextBoundaryFinder::BoundaryType type =
        boundaryType == QAccessible::WordBoundary       ? QTextBoundaryFinder::Word
        : boundaryType == QAccessible::SentenceBoundary ? QTextBoundaryFinder::Sentence
                                                        : QTextBoundaryFinder::Grapheme;
    std::vector<int> boundaries{0};
    QTextBoundaryFinder finder(type, stretch);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < stretch.size();
         at = finder.toNextBoundary()) {
        if (type != QTextBoundaryFinder::Word ||
            finder.boundaryReasons() &
                (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem))
            boundaries.push_back(int(at));
    }
    if (!stretch.isEmpty())
        boundaries.push_back(int(stretch.size()));
    return boundaries;
}

QAccessibleInterface* DescribeEditor(const QString& className, QObject* object) {
    if (className != QLatin1String("QsciScintillaBase"))
        return nullptr;
    auto* engine = qobject_cast<QsciScintillaBase*>(object);
    auto* editor = engine ? qobject_cast<EditorControl*>(engine->parentWidget()) : nullptr;
    return editor ? new EditorAccessible(engine, editor) : nullptr;
}

} // namespace

EditorAccessible::EditorAccessible(QsciScintillaBase* engine, EditorControl* editor)
    : QAccessibleWidget(engine, QAccessible::EditableText), engine(engine), editor(editor) {}

void EditorAccessible::Install() {
    // Factories installed later are asked first. The engine's own description
    // converts the caret's byte position from the start of the text after
    // every move, which makes typing at the end of a large document slow.
    static const bool installed = [] {
        QAccessible::installFactory(DescribeEditor);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessible::State EditorAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const bool readOnly = engine->SendScintilla(Sci::SCI_GETREADONLY) != 0;
    state.editable = !readOnly;
    state.readOnly = readOnly;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void* EditorAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// Text and caret ---------------------------------------------------------------

QString EditorAccessible::text(int startOffset, int endOffset) const {
    const EngineText engineText(engine);
    if (endOffset < 0 || endOffset > engineText.Units())
        endOffset = int(engineText.Units());
    if (startOffset < 0 || startOffset >= endOffset)
        return {};
    return engineText.Text(engineText.PositionOf(startOffset), engineText.PositionOf(endOffset));
}

int EditorAccessible::characterCount() const {
    return int(EngineText(engine).Units());
}

int EditorAccessible::cursorPosition() const {
    const EngineText engineText(engine);
    return int(engineText.OffsetOf(engineText.Send(Sci::SCI_GETCURRENTPOS)));
}

void EditorAccessible::setCursorPosition(int position) {
    const long caret = EngineText(engine).PositionOf(position);
    select(caret, caret);
}

void EditorAccessible::select(long anchor, long caret) {
    engine->SendScintilla(Sci::SCI_SETSEL, anchor, caret);
    engine->SendScintilla(Sci::SCI_CHOOSECARETX);
    editor->checkStatus();
}

// Selection --------------------------------------------------------------------

// The editor has one selection, or one per line of a column block.
int EditorAccessible::selectionCount() const {
    int count = 0;
    const long ranges = engine->SendScintilla(Sci::SCI_GETSELECTIONS);
    for (long n = 0; n < ranges; ++n) {
        if (engine->SendScintilla(Sci::SCI_GETSELECTIONNEND, n) >
            engine->SendScintilla(Sci::SCI_GETSELECTIONNSTART, n))
            ++count;
    }
    return count;
}

void EditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    const EngineText engineText(engine);
    const long ranges = engineText.Send(Sci::SCI_GETSELECTIONS);
    int index = 0;
    for (long n = 0; n < ranges; ++n) {
        const long start = engineText.Send(Sci::SCI_GETSELECTIONNSTART, n);
        const long end = engineText.Send(Sci::SCI_GETSELECTIONNEND, n);
        if (end <= start || index++ != selectionIndex)
            continue;
        *startOffset = int(engineText.OffsetOf(start));
        *endOffset = int(engineText.OffsetOf(end));
        return;
    }
}

// A new selection takes the place of the one there is.
void EditorAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void EditorAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex < 0 || selectionIndex >= selectionCount())
        return;
    const long caret = engine->SendScintilla(Sci::SCI_GETCURRENTPOS);
    select(caret, caret);
}

void EditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0 && selectionIndex >= selectionCount())
        return;
    const EngineText engineText(engine);
    select(engineText.PositionOf(startOffset), engineText.PositionOf(endOffset));
}

// Boundaries -------------------------------------------------------------------

QString EditorAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                       int* startOffset, int* endOffset) const {
    if (boundaryType == QAccessible::NoBoundary) {
        *startOffset = 0;
        *endOffset = characterCount();
        return text(0, *endOffset);
    }
    if (boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary)
        return lineText(Side::At, offset, startOffset, endOffset);
    return nearbyText(Side::At, offset, boundaryType, startOffset, endOffset);
}

QString EditorAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const {
    if (boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary)
        return lineText(Side::Before, offset, startOffset, endOffset);
    return nearbyText(Side::Before, offset, boundaryType, startOffset, endOffset);
}

QString EditorAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const {
    if (boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary)
        return lineText(Side::After, offset, startOffset, endOffset);
    return nearbyText(Side::After, offset, boundaryType, startOffset, endOffset);
}

// A line of the document with its line break; every line is a paragraph too.
QString EditorAccessible::lineText(Side side, int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    const EngineText engineText(engine);
    const long units = engineText.Units();
    if (offset == -1)
        offset = int(units);
    if (units == 0 || offset < 0 || offset > units)
        return {};
    const long lines = engineText.Send(Sci::SCI_GETLINECOUNT);
    const long line = engineText.LineOfOffset(offset) + (side == Side::Before  ? -1
                                                         : side == Side::After ? 1
                                                                               : 0);
    if (line < 0 || line >= lines)
        return {};
    *startOffset = int(engineText.LineStartOffset(line));
    *endOffset = int(engineText.LineStartOffset(line + 1));
    return text(*startOffset, *endOffset);
}

// Characters, words and sentences in the text around the offset.
QString EditorAccessible::nearbyText(Side side, int offset,
                                     QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                     int* endOffset) const {
    *startOffset = *endOffset = -1;
    const EngineText engineText(engine);
    const long units = engineText.Units();
    if (side == Side::At && offset == -1)
        offset = int(units);
    if (offset < 0 || offset > units)
        return {};
    const long from = engineText.PositionOf(qMax(0L, offset - kReach));
    const long to = engineText.PositionOf(qMin(units, offset + kReach));
    const int stretchStart = int(engineText.OffsetOf(from));
    const QString stretch = engineText.Text(from, to);
    const std::vector<int> boundaries = Boundaries(stretch, boundaryType);
    const int into = offset - stretchStart;
    // The boundary at or before the offset starts the piece it lies in; at
    // the very end of the text the last piece is taken, except for characters.
    const int last = int(boundaries.size()) - 1;
    const int at =
        int(std::upper_bound(boundaries.begin(), boundaries.end(), into) - boundaries.begin()) - 1;
    int first = at;
    if (side == Side::Before)
        first = at - 1;
    else if (side == Side::After)
        first = at + 1;
    else if (at == last)
        first = boundaryType == QAccessible::CharBoundary ? -1 : at - 1;
    if (first < 0 || first >= last)
        return {};
    *startOffset = boundaries[first];
    *endOffset = boundaries[first + 1];
    const QString found = stretch.mid(*startOffset, *endOffset - *startOffset);
    *startOffset += stretchStart;
    *endOffset += stretchStart;
    return found;
}

// Geometry ---------------------------------------------------------------------

QRect EditorAccessible::characterRect(int offset) const {
    const EngineText engineText(engine);
    if (offset < 0 || offset > engineText.Units())
        return {};
    const long position = engineText.PositionOf(offset);
    const long line = engineText.Send(Sci::SCI_LINEFROMPOSITION, position);
    const QPoint topLeft(int(engineText.Send(Sci::SCI_POINTXFROMPOSITION, 0, position)),
                         int(engineText.Send(Sci::SCI_POINTYFROMPOSITION, 0, position)));
    // A line break or the end of the text is as wide as a blank.
    int width;
    if (position < engineText.Send(Sci::SCI_GETLINEENDPOSITION, line)) {
        const long next = engineText.Send(Sci::SCI_POSITIONAFTER, position);
        width = int(engineText.Send(Sci::SCI_POINTXFROMPOSITION, 0, next)) - topLeft.x();
    } else {
        width = int(engine->SendScintilla(Sci::SCI_TEXTWIDTH, Sci::STYLE_DEFAULT, " "));
    }
    const int height = int(engineText.Send(Sci::SCI_TEXTHEIGHT, line));
    return QRect(engine->viewport()->mapToGlobal(topLeft), QSize(qMax(1, width), height));
}

int EditorAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint inView = engine->viewport()->mapFromGlobal(point);
    const long position = engine->SendScintilla(Sci::SCI_CHARPOSITIONFROMPOINTCLOSE,
                                                (unsigned long)inView.x(), long(inView.y()));
    return position < 0 ? -1 : int(EngineText(engine).OffsetOf(position));
}

void EditorAccessible::scrollToSubstring(int startIndex, int endIndex) {
    const EngineText engineText(engine);
    engineText.Send(Sci::SCI_SCROLLRANGE, engineText.PositionOf(endIndex),
                    engineText.PositionOf(startIndex));
    editor->checkStatus();
}

// The editor shows no text attributes of its own: colours come from the
// highlighting and carry no meaning beyond the text.
QString EditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

// Events -----------------------------------------------------------------------

void EditorAccessibleEvents::TextChanging(long position, int type, long length) {
    reportInsert();
    const EngineText engineText(engine);
    const int offset = int(engineText.OffsetOf(position));
    if (type & Sci::SC_MOD_BEFOREINSERT) {
        insertPosition = position;
        insertLength = length;
        insertOffset = offset;
    } else if (type & Sci::SC_MOD_BEFOREDELETE) {
        QAccessibleTextRemoveEvent event(engine, offset,
                                         engineText.Text(position, position + length));
        QAccessible::updateAccessibility(&event);
    }
}

void EditorAccessibleEvents::reportInsert() {
    if (insertPosition < 0)
        return;
    QAccessibleTextInsertEvent event(
        engine, insertOffset,
        EngineText(engine).Text(insertPosition, insertPosition + insertLength));
    insertPosition = -1;
    QAccessible::updateAccessibility(&event);
}

void EditorAccessibleEvents::Settle(bool caretMoved) {
    reportInsert();
    if (!caretMoved)
        return;
    const EngineText engineText(engine);
    QAccessibleTextCursorEvent caret(
        engine, int(engineText.OffsetOf(engineText.Send(Sci::SCI_GETCURRENTPOS))));
    QAccessible::updateAccessibility(&caret);
    const bool selected = engineText.Send(Sci::SCI_GETSELECTIONEMPTY) == 0;
    if (!selected && !selectionReported)
        return;
    selectionReported = selected;
    QAccessibleTextSelectionEvent selection(
        engine, int(engineText.OffsetOf(engineText.Send(Sci::SCI_GETSELECTIONSTART))),
        int(engineText.OffsetOf(engineText.Send(Sci::SCI_GETSELECTIONEND))));
    QAccessible::updateAccessibility(&selection);
}
