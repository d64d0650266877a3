#pragma once

#include "EditorBehaviour.h"
#include "SnippetLibrary.h"

// Ctrl+J in a document: the short code left of the caret becomes its
// snippet from the library, indented to the code's column, as one change of
// the editor; the caret goes where the snippet's first "|" stood. Nothing
// happens in a read-only editor or when the library has no entry for the
// code.
class SnippetExpander : public EditorBehaviour {
public:
    SnippetExpander(EditorControl& editor, SnippetLibrary library)
        : EditorBehaviour(editor), library(std::move(library)) {}

    bool RunCommand(EditorCommand command) override;

private:
    void expandAtCaret();

    const SnippetLibrary library;
};
