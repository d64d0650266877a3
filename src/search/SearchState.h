#pragma once

#include <QString>
#include <QStringList>

// What the search and replace dialogs remember for the rest of the program
// run, for all documents together. It changes only when a dialog is
// confirmed with "OK"; nothing of it goes into the settings file.
struct SearchState {
    static constexpr int kHistorySize = 10;

    bool backwards = false;
    bool caseSensitive = false;
    bool wholeWords = false;
    bool fromCaret = false;
    bool selectedOnly = false;
    bool regularExpression = false;
    QString searchText;
    QStringList searchHistory; // most recent first
    QString replaceText;
    QStringList replaceHistory;
};

// The program's one copy.
SearchState& RememberedSearch();

// The list with the text at its top: moved there when the list holds it
// already, else added.
QStringList WithTextOnTop(QStringList list, const QString& text);

// What Search in Files and Replace in Files remember for the rest of the
// program run beside the search and replace texts and their histories, which
// they share with the dialogs above.
struct FileSearchState {
    QString folder; // empty: the file manager's current folder
    QStringList folderHistory;
    QString mask; // empty: the file manager's filter
    QStringList maskHistory;
    bool subFolders = true;
    bool caseSensitive = false;
    bool wholeWords = false;
    bool regularExpression = false;
};

FileSearchState& RememberedFileSearch();
