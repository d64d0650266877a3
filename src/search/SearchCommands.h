#pragma once

class TChildForm;

// The Search menu's commands on a document window; with none they do nothing.

// "Search ..." and "Search and Replace": the dialog, filled from the
// remembered state; on "OK" the choices are remembered and, with a search
// text, the search runs, after which the document continues from the caret.
void RunSearchDialog(TChildForm* document, bool replace);

// "Find Next ..." and "Find Previous ...": the remembered search, forwards or
// backwards; the document continues from the caret afterwards.
void FindAgain(TChildForm* document, bool backwards);
