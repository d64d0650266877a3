#include "SearchState.h"

SearchState& RememberedSearch() {
    static SearchState state;
    return state;
}

QStringList WithTextOnTop(QStringList list, const QString& text) {
    list.removeOne(text);
    list.prepend(text);
    return list;
}

FileSearchState& RememberedFileSearch() {
    static FileSearchState state;
    return state;
}
