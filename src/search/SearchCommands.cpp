#include "SearchCommands.h"

#include "DocumentSearch.h"
#include "Prompts.h"
#include "SearchState.h"
#include "TChildForm.h"
#include "TTextSearchDialog.h"

#include <memory>

namespace {

// After the modal windows of a search the keys go to the document again,
// also where no window manager hands the activation back.
void ReturnTo(TChildForm& document) {
    document.activateWindow();
    document.setFocus();
}

} // namespace

void RunSearchDialog(TChildForm* document, bool replace) {
    if (!document)
        return;
    SearchState& state = RememberedSearch();
    const std::unique_ptr<TTextSearchDialog> dialog =
        replace ? std::make_unique<TTextReplaceDialog>(document->window())
                : std::make_unique<TTextSearchDialog>(document->window());
    dialog->Load(state);
    const bool confirmed = CurrentPrompts().runDialog(*dialog) == QDialog::Accepted;
    if (confirmed) {
        dialog->Store(state);
        DocumentSearch& search = DocumentSearch::Of(*document);
        search.SetContinueFromCaret(dialog->FromCaret());
        if (!state.searchText.isEmpty()) {
            search.Run(replace, state.backwards);
            search.SetContinueFromCaret(true);
        }
    }
    ReturnTo(*document);
}

void FindAgain(TChildForm* document, bool backwards) {
    if (!document)
        return;
    DocumentSearch& search = DocumentSearch::Of(*document);
    search.Run(false, backwards);
    // Without this every further search would start over from the top.
    search.SetContinueFromCaret(true);
    ReturnTo(*document);
}
