#pragma once

#include <QKeyCombination>

#include <optional>
#include <span>

// The editor's commands that keys are bound to.
enum class EditorCommand {
    Up,
    SelUp,
    ScrollUp,
    Down,
    SelDown,
    ScrollDown,
    Left,
    SelLeft,
    WordLeft,
    SelWordLeft,
    Right,
    SelRight,
    WordRight,
    SelWordRight,
    PageDown,
    SelPageDown,
    PageBottom,
    SelPageBottom,
    PageUp,
    SelPageUp,
    PageTop,
    SelPageTop,
    LineStart,
    SelLineStart,
    EditorTop,
    SelEditorTop,
    LineEnd,
    SelLineEnd,
    EditorBottom,
    SelEditorBottom,
    ToggleMode,
    Copy,
    Cut,
    Paste,
    DeleteChar,
    DeleteLastChar,
    DeleteLastWord,
    Undo,
    Redo,
    LineBreak,
    Tab,
    ShiftTab,
    ContextHelp,
    SelectAll,
    BlockIndent,
    BlockUnindent,
    InsertLine,
    DeleteWord,
    DeleteLine,
    DeleteEOL,
    GotoMarker0,
    GotoMarker1,
    GotoMarker2,
    GotoMarker3,
    GotoMarker4,
    GotoMarker5,
    GotoMarker6,
    GotoMarker7,
    GotoMarker8,
    GotoMarker9,
    SetMarker0,
    SetMarker1,
    SetMarker2,
    SetMarker3,
    SetMarker4,
    SetMarker5,
    SetMarker6,
    SetMarker7,
    SetMarker8,
    SetMarker9,
    NormalSelect,
    ColumnSelect,
    LineSelect,
    MatchBracket,
    AutoCompletion,
};

struct KeyBinding {
    QKeyCombination keys;
    EditorCommand command;
};

// The editor's key bindings; nothing else is bound.
std::span<const KeyBinding> EditorKeyBindings();

// The command bound to a key press, if any. The keypad modifier is ignored.
std::optional<EditorCommand> CommandForKey(QKeyCombination keys);
