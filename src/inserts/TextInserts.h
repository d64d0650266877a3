#pragma once

#include <QtGlobal>

class EditorControl;

// The commands that insert tables, lists and font tags into a document.
// A null target inserts nothing.

// Shows the table creator and puts the table in place of the selection.
void RunTableCommand(EditorControl* target);

enum class ListKind { Numbers, Bullets };

// Shows the list form for numbered or bulleted lists and puts the list in
// place of the selection.
void RunListCommand(ListKind kind, EditorControl* target);

// Shows the text formatting dialog and wraps the selection in the chosen
// tags; the same text is selected again inside them. On Cancel the old
// selection is restored. The editor gets the focus either way.
void RunTextFormatCommand(EditorControl* target);

// Wraps the selection in a font tag of the colour, with the face and size of
// the settings; the background command closes with "</Font>".
void ColorSelectedText(EditorControl& target, qint32 color, bool background);
