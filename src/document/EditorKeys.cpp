#include "EditorKeys.h"

namespace {

using C = EditorCommand;
constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto None = Qt::NoModifier;

constexpr KeyBinding K(Qt::KeyboardModifiers modifiers, Qt::Key key, EditorCommand command) {
    return {QKeyCombination(modifiers, key), command};
}

const KeyBinding kBindings[] = {
    K(None, Qt::Key_Up, C::Up),
    K(Shift, Qt::Key_Up, C::SelUp),
    K(Ctrl, Qt::Key_Up, C::ScrollUp),
    K(None, Qt::Key_Down, C::Down),
    K(Shift, Qt::Key_Down, C::SelDown),
    K(Ctrl, Qt::Key_Down, C::ScrollDown),
    K(None, Qt::Key_Left, C::Left),
    K(Shift, Qt::Key_Left, C::SelLeft),
    K(Ctrl, Qt::Key_Left, C::WordLeft),
    K(Ctrl | Shift, Qt::Key_Left, C::SelWordLeft),
    K(None, Qt::Key_Right, C::Right),
    K(Shift, Qt::Key_Right, C::SelRight),
    K(Ctrl, Qt::Key_Right, C::WordRight),
    K(Ctrl | Shift, Qt::Key_Right, C::SelWordRight),
    K(None, Qt::Key_PageDown, C::PageDown),
    K(Shift, Qt::Key_PageDown, C::SelPageDown),
    K(Ctrl, Qt::Key_PageDown, C::PageBottom),
    K(Ctrl | Shift, Qt::Key_PageDown, C::SelPageBottom),
    K(None, Qt::Key_PageUp, C::PageUp),
    K(Shift, Qt::Key_PageUp, C::SelPageUp),
    K(Ctrl, Qt::Key_PageUp, C::PageTop),
    K(Ctrl | Shift, Qt::Key_PageUp, C::SelPageTop),
    K(None, Qt::Key_Home, C::LineStart),
    K(Shift, Qt::Key_Home, C::SelLineStart),
    K(Ctrl, Qt::Key_Home, C::EditorTop),
    K(Ctrl | Shift, Qt::Key_Home, C::SelEditorTop),
    K(None, Qt::Key_End, C::LineEnd),
    K(Shift, Qt::Key_End, C::SelLineEnd),
    K(Ctrl, Qt::Key_End, C::EditorBottom),
    K(Ctrl | Shift, Qt::Key_End, C::SelEditorBottom),
    K(None, Qt::Key_Insert, C::ToggleMode),
    K(Ctrl, Qt::Key_Insert, C::Copy),
    K(Ctrl, Qt::Key_C, C::Copy),
    K(Shift, Qt::Key_Delete, C::Cut),
    K(Ctrl, Qt::Key_X, C::Cut),
    K(Shift, Qt::Key_Insert, C::Paste),
    K(Ctrl, Qt::Key_V, C::Paste),
    K(None, Qt::Key_Delete, C::DeleteChar),
    K(None, Qt::Key_Backspace, C::DeleteLastChar),
    K(Shift, Qt::Key_Backspace, C::DeleteLastChar),
    K(Ctrl, Qt::Key_Backspace, C::DeleteLastWord),
    K(Ctrl, Qt::Key_Z, C::Undo),
    K(Ctrl | Shift, Qt::Key_Z, C::Redo),
    K(None, Qt::Key_Return, C::LineBreak),
    K(Shift, Qt::Key_Return, C::LineBreak),
    K(Ctrl, Qt::Key_M, C::LineBreak),
    K(None, Qt::Key_Tab, C::Tab),
    K(Shift, Qt::Key_Backtab, C::ShiftTab),
    K(Ctrl, Qt::Key_F1, C::ContextHelp),
    K(Ctrl, Qt::Key_A, C::SelectAll),
    K(Ctrl | Shift, Qt::Key_I, C::BlockIndent),
    K(Ctrl | Shift, Qt::Key_U, C::BlockUnindent),
    K(Ctrl, Qt::Key_N, C::InsertLine),
    K(Ctrl, Qt::Key_T, C::DeleteWord),
    K(Ctrl, Qt::Key_Y, C::DeleteLine),
    K(Ctrl | Shift, Qt::Key_Y, C::DeleteEOL),
    K(Ctrl, Qt::Key_0, C::GotoMarker0),
    K(Ctrl, Qt::Key_1, C::GotoMarker1),
    K(Ctrl, Qt::Key_2, C::GotoMarker2),
    K(Ctrl, Qt::Key_3, C::GotoMarker3),
    K(Ctrl, Qt::Key_4, C::GotoMarker4),
    K(Ctrl, Qt::Key_5, C::GotoMarker5),
    K(Ctrl, Qt::Key_6, C::GotoMarker6),
    K(Ctrl, Qt::Key_7, C::GotoMarker7),
    K(Ctrl, Qt::Key_8, C::GotoMarker8),
    K(Ctrl, Qt::Key_9, C::GotoMarker9),
    K(Ctrl | Shift, Qt::Key_0, C::SetMarker0),
    K(Ctrl | Shift, Qt::Key_1, C::SetMarker1),
    K(Ctrl | Shift, Qt::Key_2, C::SetMarker2),
    K(Ctrl | Shift, Qt::Key_3, C::SetMarker3),
    K(Ctrl | Shift, Qt::Key_4, C::SetMarker4),
    K(Ctrl | Shift, Qt::Key_5, C::SetMarker5),
    K(Ctrl | Shift, Qt::Key_6, C::SetMarker6),
    K(Ctrl | Shift, Qt::Key_7, C::SetMarker7),
    K(Ctrl | Shift, Qt::Key_8, C::SetMarker8),
    K(Ctrl | Shift, Qt::Key_9, C::SetMarker9),
    K(Ctrl | Shift, Qt::Key_N, C::NormalSelect),
    K(Ctrl | Shift, Qt::Key_C, C::ColumnSelect),
    K(Ctrl | Shift, Qt::Key_L, C::LineSelect),
    K(Ctrl | Shift, Qt::Key_B, C::MatchBracket),
    K(Ctrl, Qt::Key_J, C::AutoCompletion),
};

// Keys that arrive under another name: Enter on the keypad is Return, Shift+Tab
// comes as Backtab, and Shift with a digit may arrive as the digit's shifted
// symbol on some layouts.
QKeyCombination Canonical(QKeyCombination keys) {
    Qt::KeyboardModifiers modifiers = keys.keyboardModifiers() & ~Qt::KeypadModifier;
    Qt::Key key = keys.key();
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    if (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier))
        key = Qt::Key_Backtab;
    static const Qt::Key shiftedDigits[] = {
        Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
        Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
        Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    if (modifiers & Qt::ShiftModifier) {
        for (int digit = 0; digit < 10; ++digit) {
            if (key == shiftedDigits[digit])
                key = Qt::Key(Qt::Key_0 + digit);
        }
    }
    return QKeyCombination(modifiers, key);
}

} // namespace

std::span<const KeyBinding> EditorKeyBindings() {
    return kBindings;
}

std::optional<EditorCommand> CommandForKey(QKeyCombination keys) {
    const QKeyCombination wanted = Canonical(keys);
    for (const KeyBinding& binding : kBindings) {
        if (binding.keys == wanted)
            return binding.command;
    }
    return std::nullopt;
}
