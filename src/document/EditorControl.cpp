// The editor's construction, its door to the engine's messages, the notices
// it takes from the engine and its key handling.

#include "EditorAccessible.h"
#include "EditorEngine.h"
#include "LongLineStyles.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

bool IsTyping(const QKeyEvent& key) {
    const auto modifiers = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return !key.text().isEmpty() && key.text().at(0).isPrint() &&
           (modifiers == Qt::NoModifier || modifiers == (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

bool ScintillaView::event(QEvent* event) {
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

void ScintillaView::keyPressEvent(QKeyEvent* event) {
    owner->handleKeyPress(event);
}

void ScintillaView::contextMenuEvent(QContextMenuEvent* event) {
    emit owner->contextMenuRequested(event->globalPos());
}

void ScintillaView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier &&
        owner->ctrlClick(event->position().toPoint())) {
        event->accept();
        return;
    }
    QsciScintillaBase::mousePressEvent(event);
}

void ScintillaView::resizeEvent(QResizeEvent* event) {
    QsciScintillaBase::resizeEvent(event);
    owner->tellBehaviours([](EditorBehaviour& behaviour) { behaviour.ShownRangeChanged(); });
}

void ScintillaView::mouseReleaseEvent(QMouseEvent* event) {
    QsciScintillaBase::mouseReleaseEvent(event);
    owner->checkStatus();
}

// Input methods ask for the text around the caret after every caret move;
// the engine would answer with the whole paragraph up to the next blank
// line, which in a large document can be the whole text. A stretch of the
// caret's line is enough context.
QVariant ScintillaView::inputMethodQuery(Qt::InputMethodQuery query) const {
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
    Send(Sci::SCI_INDICSETSTYLE, kMarkIndicator, Sci::INDIC_ROUNDBOX);
    Send(Sci::SCI_INDICSETFORE, kMarkIndicator, Rgb(QColor(0, 128, 255)));
    Send(Sci::SCI_INDICSETALPHA, kMarkIndicator, 60);
    Send(Sci::SCI_INDICSETUNDER, kMarkIndicator, 1);
    Send(Sci::SCI_INDICSETSTYLE, kSwatchIndicator, Sci::INDIC_STRAIGHTBOX);
    Send(Sci::SCI_INDICSETALPHA, kSwatchIndicator, 255);
    Send(Sci::SCI_INDICSETOUTLINEALPHA, kSwatchIndicator, 255);
    Send(Sci::SCI_INDICSETUNDER, kSwatchIndicator, 1);
    Send(Sci::SCI_INDICSETFLAGS, kSwatchIndicator, Sci::SC_INDICFLAG_VALUEBEFORE);
    Send(Sci::SCI_INDICSETSTYLE, kSwatchTextIndicator, Sci::INDIC_TEXTFORE);
    Send(Sci::SCI_INDICSETFLAGS, kSwatchTextIndicator, Sci::SC_INDICFLAG_VALUEBEFORE);
    Send(Sci::SCI_INDICSETSTYLE, kSwatchFrameIndicator, Sci::INDIC_BOX);
    Send(Sci::SCI_INDICSETFORE, kSwatchFrameIndicator, Rgb(QColor(128, 128, 128)));

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
    AddBehaviour(std::make_unique<LongLineStyles>(*this));

    connect(view, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                noteEditForAscii(position, type, length);
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

EditorBehaviour* EditorControl::AddBehaviour(std::unique_ptr<EditorBehaviour> behaviour) {
    behaviours.push_back(std::move(behaviour));
    return behaviours.back().get();
}

long EditorControl::Send(unsigned int message, unsigned long wParam, long lParam) const {
    return view->SendScintilla(message, wParam, lParam);
}

long EditorControl::SendPointer(unsigned int message, unsigned long wParam,
                                const void* lParam) const {
    return view->SendScintilla(message, uintptr_t(wParam), static_cast<const char*>(lParam));
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
    tellBehaviours([](EditorBehaviour& behaviour) { behaviour.TextChanged(); });
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
    if (changes.testAnyFlags(StatusChange::CaretLine | StatusChange::CaretColumn))
        tellBehaviours([caret](EditorBehaviour& behaviour) { behaviour.CaretMoved(caret); });
    if (changes.testAnyFlags(StatusChange::TopLine | StatusChange::LeftColumn | StatusChange::All))
        tellBehaviours([](EditorBehaviour& behaviour) { behaviour.ShownRangeChanged(); });
    if (changes)
        emit statusChanged(changes);
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
    if (IsTyping(*event)) {
        const bool styleFirst = StyleBeforeLayout();
        if (styleFirst)
            Send(Sci::SCI_SETMODEVENTMASK, kModEvents | Sci::SC_MOD_INSERTTEXT);
        view->typeKey(event);
        if (styleFirst)
            Send(Sci::SCI_SETMODEVENTMASK, kModEvents);
        tellBehaviours([event](EditorBehaviour& behaviour) { behaviour.Typed(event->text()); });
    } else
        event->ignore();
    flushChange();
    checkStatus();
}
