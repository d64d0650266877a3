#pragma once

#include "SnippetLibrary.h"

#include <QWidget>

class EditorControl;
class QCheckBox;
class QListWidget;
class QPushButton;

// The "Code Inside" page of the configuration screen: the library's short
// codes and comments in two lists that select together, the snippet of the
// selected entry in an editor, and the commands that rewrite the library
// file. The page holds its own copy of the library.
class CodeInsidePage : public QWidget {
    Q_OBJECT
public:
    CodeInsidePage(const QString& configFolder, QWidget* parent = nullptr);

    // Loads the library file and fills both lists; a missing file is
    // reported when asked.
    void LoadLibrary(bool reportMissing);
    // The lists, editor and buttons are shown only while "Use code inside"
    // is ticked.
    void UpdateVisibility();

    const SnippetLibrary& Library() const { return library; }
    QListWidget* Codes() const { return codes; }
    QListWidget* Comments() const { return comments; }
    EditorControl* Editor() const { return editor; }

    void SaveChanges();
    void AddCode();
    void DeleteSelected();
    void ExportLibrary();
    void ImportLibrary();

private:
    void fillLists();
    void selectRow(int row);
    void showRow(int row);
    void codeRowChanged(int row);
    // Writes the rows to the library file and loads it again; the pending
    // edit, if any, is dropped.
    void rewrite(const QList<Snippet>& entries);

    QString path;
    SnippetLibrary library;
    QList<Snippet> rows;
    QCheckBox* useCodeInside;
    QWidget* body;
    QListWidget* codes;
    QListWidget* comments;
    EditorControl* editor;
    QPushButton* saveButton;
    int editedRow = -1;
    int shownRow = -1;
    bool syncing = false;
};
