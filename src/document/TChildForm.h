#pragma once

#include "DocumentTabs.h"
#include "MdiChildWindow.h"

#include <QPointer>

class DocumentHost;
class EditorControl;
class QAction;
class QMenu;
class StatusPanels;

// The document's file name without folder: what follows the last path
// separator of a caption.
QString CaptionFileName(const QString& caption);
// Whether a caption names a file: it has an extension, a "." after the last
// path separator.
bool CaptionHasFile(const QString& caption);

// The window of one document: its editor, its status bar, its tab on the main
// window's tab strip, its modified state and the question asked before it
// closes.
class TChildForm : public MdiChildWindow {
    Q_OBJECT
public:
    static constexpr int kWordWrapHeight = 33;

    // Creates the window and applies the editor settings in their order.
    explicit TChildForm(DocumentHost& host, QWidget* parent = nullptr);
    ~TChildForm() override;

    EditorControl* Editor() const { return editor; }
    StatusPanels* StatusBar() const { return statusBar; }
    QMenu* PopupMenu() const { return popup; }
    QAction* PopupAction(const QString& name) const;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    bool ModifiedFlag() const { return modified; }
    void SetModifiedFlag(bool on) { modified = on; }
    DocumentTab* Tab() const { return tab; }

    // The tab, captioned with the host's pending tab caption, pressed.
    void CreateTab();
    // Writes the editor's lines to the caption's path and clears the modified
    // flag. Throws a UserError when the file cannot be written.
    void SaveDocument();
    // A tab click, and the window's activation.
    void ActivateDocument();
    // The host calls this when the window becomes the active one.
    void Activated();
    // Status panel 3 shows the caption's file name.
    void RefreshFileNamePanel();
    // The editor's font name, size and colour from the settings.
    void ApplyFontSettings();

    bool CloseQuery() override;

    void GotoLine();
    void SetDocumentInLowercase();
    void WordWrap();
    // The font family the hidden word-wrapping box lays text out in.
    QString WrapFontFamily() const { return wrapFontFamily; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyCreationSettings();
    void attachSnippets();
    void buildPopupMenu();
    void onEdit();
    void onStatus(unsigned changes);
    void onKeyDown(int key);

    DocumentHost& host;
    EditorControl* editor;
    StatusPanels* statusBar;
    QMenu* popup = nullptr;
    QPointer<DocumentTab> tab;
    bool modified = false;
    bool shownOnce = false;
    QString wrapFontFamily;
    QList<QAction*> popupShortcuts;
};
