#pragma once

// What the editor's own source files share about the editing engine behind
// EditorControl: the engine's widget, its message names and the editor's
// settings of it. Only the editor's files include this header; the rest of
// the program talks to EditorControl alone.

#include "EditorBehaviour.h"
#include "EditorControl.h"

#include <Qsci/qsciscintillabase.h>

#include <QColor>

using Sci = QsciScintillaBase;

inline constexpr int kBookmarkMargin = 0;
inline constexpr int kLineNumberMargin = 1;
inline constexpr int kBookmarkCount = 10;
// The indicator of MarkNearCaret (the engine keeps 0 to 7 for lexers).
inline constexpr int kMarkIndicator = 8;
// The swatches of ShowSwatches: a box in the colour and a text colour that
// stands out on it, both taking their colour from the value they are set
// with, and a grey frame that shows a box as light as the page.
inline constexpr int kSwatchIndicator = 9;
inline constexpr int kSwatchTextIndicator = 10;
inline constexpr int kSwatchFrameIndicator = 11;
// The edit notices the editor listens to: before-edit ones only, since the
// notices after an edit cost time on every one of a large replace.
inline constexpr int kModEvents = Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE;

inline long Rgb(const QColor& color) {
    return long(color.red()) | (long(color.green()) << 8) | (long(color.blue()) << 16);
}

// The engine's message for a command it runs as one message of its own, or 0.
unsigned int EngineMessage(EditorCommand command);

// The engine's selection mode for a mode of the editor.
inline int EngineSelectionMode(SelectionMode mode) {
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

// The editing engine's widget. Key presses and shortcut requests go through
// the editor control first, so that only its own bindings (and typed text)
// reach the engine, and keys of the window's commands reach the window.
class ScintillaView : public QsciScintillaBase {
public:
    explicit ScintillaView(EditorControl* owner) : QsciScintillaBase(owner), owner(owner) {}

    // Hands a key to the engine's own handling: typed text.
    void typeKey(QKeyEvent* event) { QsciScintillaBase::keyPressEvent(event); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    EditorControl* owner;
};

template <class Event> void EditorControl::tellBehaviours(Event event) {
    // By index: a behaviour may attach another while it is told.
    for (size_t i = 0; i < behaviours.size(); ++i) {
        if (behaviours[i]->Enabled())
            event(*behaviours[i]);
    }
}
