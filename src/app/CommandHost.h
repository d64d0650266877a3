#pragma once

#include <QString>

class EditorControl;
class QWidget;
class TChildForm;
struct ProgramPlaces;

// What a command of the main window may use: the document it acts on, the
// folders its dialogs start in and the few settings of the window that it
// changes. The main window implements it; a command runs as well against a
// small host of its own.
class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The window the command's dialogs and screens belong to.
    virtual QWidget* CommandWindow() = 0;
    // Where the program keeps its own files: settings, scratch files.
    virtual const ProgramPlaces& Places() const = 0;
    // The document window commands act on, or nullptr.
    virtual TChildForm* ActiveDocument() const = 0;
    // The active document's editor, or nullptr.
    virtual EditorControl* ActiveEditor() const = 0;
    // Opens a new document from the template; it becomes the active one.
    virtual void NewDocument() = 0;
    // Counts a new document or configuration screen; returns the new count.
    virtual int NextDocumentNumber() = 0;

    // The folder the file manager shows.
    virtual QString FileManagerFolder() const = 0;
    // Shows the folder in the file manager.
    virtual void ShowFolderInFileManager(const QString& folder) = 0;
    // The folder the Open dialog starts in.
    virtual QString LastOpenFolder() const = 0;
    virtual void SetLastOpenFolder(const QString& folder) = 0;

    // Puts the texts of the current language on the window and reads its
    // language value (Help/Language) from the settings.
    virtual void ApplyLanguage() = 0;
    // Reads the new-document template from the settings again.
    virtual void BuildTemplate() = 0;
    // Whether the file manager opens a file on a double click (else on one).
    virtual void SetOpenOnDoubleClick(bool on) = 0;
    // Whether the Open dialog follows the folders clicked in the file manager.
    virtual void SetFollowFolders(bool on) = 0;
};
