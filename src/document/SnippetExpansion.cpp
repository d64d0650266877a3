#include "SnippetExpansion.h"

#include "EditorControl.h"
#include "SnippetLibrary.h"

void ExpandAtCaret(EditorControl& editor, const SnippetLibrary& library) {
    if (editor.ReadOnly() || library.Entries().isEmpty())
        return;
    const TextPosition caret = editor.CaretPosition();
    const auto expansion = library.Expand(editor.Line(caret.line - 1), caret.column);
    if (!expansion)
        return;
    editor.SetCaretPosition({expansion->tokenColumn, caret.line});
    editor.SetBlockEnd(caret);
    editor.ReplaceSelection(expansion->text);
    if (expansion->caretLineOffset)
        editor.SetCaretPosition({expansion->caretColumn, caret.line + *expansion->caretLineOffset});
}
