#include "DocumentSearch.h"

#include "EditorControl.h"
#include "Language.h"
#include "Prompts.h"
#include "SearchState.h"
#include "TChildForm.h"
#include "TConfirmReplaceDialog.h"

DocumentSearch& DocumentSearch::Of(TChildForm& document) {
    if (auto* search = document.findChild<DocumentSearch*>(QString(), Qt::FindDirectChildrenOnly))
        return *search;
    return *new DocumentSearch(document);
}

DocumentSearch::DocumentSearch(TChildForm& document)
    : QObject(&document), document(document), editor(document.Editor()) {
    editor->SetReplaceQuery([this](const QString& search, const QString& replace,
                                   const TextPosition& at) { return answer(search, replace, at); });
}

DocumentSearch::~DocumentSearch() {
    // The editor may have gone first, with the window.
    if (editor)
        editor->SetReplaceQuery({});
}

void DocumentSearch::Run(bool replace, bool backwards) {
    const SearchState& state = RememberedSearch();
    SearchOptions options;
    options.replace = replace;
    options.backwards = backwards;
    options.matchCase = state.caseSensitive;
    options.entireScope = !continueFromCaret;
    options.selectedOnly = state.selectedOnly;
    options.wholeWord = state.wholeWords;
    options.regularExpression = state.regularExpression;
    const int found = editor->SearchReplace(state.searchText, state.replaceText, options);
    confirm.reset();
    if (found == kSearchStopped) {
        CurrentPrompts().message(MessageKind::Error, LangText(QStringLiteral("RegexSlow")));
        return;
    }
    if (found > 0)
        return;
    CurrentPrompts().beep();
    CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("STextNo")));
    editor->SetCaretPosition(backwards ? editor->BlockBegin() : editor->BlockEnd());
}

ReplaceAnswer DocumentSearch::answer(const QString& search, const QString& replace,
                                     const TextPosition& at) {
    // The same text would replace a match by itself; not so a regular
    // expression, whose match may differ from its text.
    if (search == replace && !RememberedSearch().regularExpression)
        return ReplaceAnswer::Skip;
    const QPoint match = editor->mapToGlobal(editor->PositionToPixels(at));
    const QRect area(document.mapToGlobal(QPoint(0, 0)), document.size());
    if (!confirm)
        confirm = std::make_unique<TConfirmReplaceDialog>(&document);
    confirm->SetSearchText(search);
    confirm->PlaceBeside(area, match.x(), match.y(), match.y() + editor->LineHeight());
    switch (CurrentPrompts().runDialog(*confirm)) {
    case TConfirmReplaceDialog::Yes:
        return ReplaceAnswer::Replace;
    case TConfirmReplaceDialog::No:
        return ReplaceAnswer::Skip;
    case TConfirmReplaceDialog::YesToAll:
        return ReplaceAnswer::ReplaceAll;
    default:
        return ReplaceAnswer::Cancel;
    }
}
