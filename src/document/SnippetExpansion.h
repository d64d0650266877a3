#pragma once

class EditorControl;
class SnippetLibrary;

// Ctrl+J in a document: the short code left of the caret becomes its
// snippet, indented to the code's column, as one change of the editor; the
// caret goes where the snippet's first "|" stood. Nothing happens in a
// read-only editor or when the library has no entry for the code.
void ExpandAtCaret(EditorControl& editor, const SnippetLibrary& library);
