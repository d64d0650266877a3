#pragma once

#include "EditorKeys.h"

#include <QString>

class EditorControl;
struct ShownPiece;
struct TextPosition;

// Something an editor does besides editing: a behaviour attached to one
// editor that reacts to what happens in it and acts through the editor's
// public operations. The editor owns its behaviours (EditorControl::
// AddBehaviour) and tells only the enabled ones; each handler does nothing
// unless the behaviour overrides it.
class EditorBehaviour {
public:
    explicit EditorBehaviour(EditorControl& editor) : editor(editor) {}
    virtual ~EditorBehaviour() = default;
    EditorBehaviour(const EditorBehaviour&) = delete;
    EditorBehaviour& operator=(const EditorBehaviour&) = delete;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool on) { enabled = on; }

    // A command the editor has no action of its own for (Ctrl+J, F1), or the
    // bracket match (Ctrl+Shift+B), which the editor runs itself when no
    // behaviour did. True when the behaviour ran it; the later behaviours are
    // then not asked.
    virtual bool RunCommand(EditorCommand) { return false; }
    // Text typed at the keyboard has gone in at the caret.
    virtual void Typed(const QString&) {}
    // The text has changed: after an edit that entered the undo list, and
    // after undo and redo.
    virtual void TextChanged() {}
    virtual void CaretMoved(const TextPosition&) {}
    // What the editor shows may have changed: it scrolled, was resized or
    // got a new text.
    virtual void ShownRangeChanged() {}
    // A click with Ctrl held on the text: the piece of its line around the
    // click and the click's place in the piece's text. True when the
    // behaviour took the click; the later behaviours are then not asked.
    virtual bool CtrlClicked(const ShownPiece&, qsizetype) { return false; }

    // Styling. The length in bytes from which on the behaviour adjusts a
    // line's styles, or -1 when it adjusts none. Lines at least that long
    // are handed to LineStyled once styled (all in the default style when
    // the editor highlights nothing): the line's UTF-8 text and one style
    // byte per text byte, which the behaviour may change.
    virtual long StylesLinesFrom() const { return -1; }
    virtual void LineStyled(const char*, unsigned char*, int) {}

protected:
    EditorControl& Editor() const { return editor; }

private:
    EditorControl& editor;
    bool enabled = true;
};
