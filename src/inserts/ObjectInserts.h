#pragma once

class EditorControl;

// The object insert commands. Each shows its dialog (made anew for every use)
// through CurrentPrompts() and, when the user confirms, replaces the target's
// selection with the HTML built from the dialog's values.

// "Add link ..." (Alt+L in a document window's pop-up menu).
void RunLinkCommand(EditorControl& target);

// "Insert image ..." (Alt+I).
void RunImageCommand(EditorControl& target);

// "Insert Flash Movie" (Alt+F).
void RunFlashCommand(EditorControl& target);

// "Horizontale Line". The dialog is shown even without a document (nullptr);
// then nothing is inserted.
void RunHorizontalLineCommand(EditorControl* target);

// "Date / Time" with the current date and time. The dialog is shown even
// without a document (nullptr); then nothing is inserted.
void RunDateTimeCommand(EditorControl* target);
