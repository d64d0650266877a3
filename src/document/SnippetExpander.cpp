#include "SnippetExpander.h"

#include "EditorControl.h"

namespace {

// The editor counts columns in characters (code points); the library works
// on the line's UTF-16 units, where a character outside the Basic
// Multilingual Plane takes two.
qsizetype CodePoints(QStringView text) {
    qsizetype count = text.size();
    for (QChar unit : text) {
        if (unit.isLowSurrogate())
            --count;
    }
    return count;
}

int Utf16Column(const QString& line, int column) {
    qsizetype index = 0;
    for (int seen = 1; seen < column && index < line.size(); ++seen)
        index += line[index].isHighSurrogate() && index + 1 < line.size() ? 2 : 1;
    return int(index) + 1 + qMax(0, column - 1 - int(CodePoints(QStringView(line).left(index))));
}

int CharacterColumn(QStringView line, int utf16Column) {
    return int(CodePoints(line.left(utf16Column - 1))) + 1;
}

} // namespace

bool SnippetExpander::RunCommand(EditorCommand command) {
    if (command != EditorCommand::AutoCompletion)
        return false;
    expandAtCaret();
    return true;
}

void SnippetExpander::expandAtCaret() {
    EditorControl& editor = Editor();
    if (editor.ReadOnly() || library.Entries().isEmpty())
        return;
    const TextPosition caret = editor.CaretPosition();
    const QString line = editor.Line(caret.line - 1);
    const auto expansion = library.Expand(line, Utf16Column(line, caret.column));
    if (!expansion)
        return;
    editor.SetCaretPosition({CharacterColumn(line, expansion->tokenColumn), caret.line});
    editor.SetBlockEnd(caret);
    editor.ReplaceSelection(expansion->text);
    if (!expansion->caretLineOffset)
        return;
    const int offset = *expansion->caretLineOffset;
    const QString caretLine = offset == 0
                                  ? line.left(expansion->tokenColumn - 1) +
                                        expansion->text.section(QStringLiteral("\r\n"), 0, 0)
                                  : expansion->text.section(QStringLiteral("\r\n"), offset, offset);
    editor.SetCaretPosition(
        {CharacterColumn(caretLine, expansion->caretColumn), caret.line + offset});
}
