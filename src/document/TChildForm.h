#pragma once

#include "DocumentTabs.h"
#include "MdiChildWindow.h"

#include <QPointer>

class DiskWatch;
class DocumentHost;
class EditorControl;
class SnapshotSchedule;
struct Snapshot;
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

    // The caption: the file's full path, or "Untitled" and a number. The
    // window's title adds a mark while the file is gone from its place.
    QString Caption() const { return caption; }
    void SetCaption(const QString& caption);
    bool ModifiedFlag() const { return modified; }
    void SetModifiedFlag(bool on) { modified = on; }
    // What an edit shows: the modified flag, "Modified", the save button.
    void MarkModified();
    DocumentTab* Tab() const { return tab; }

    // The tab, captioned with the host's pending tab caption, pressed.
    void CreateTab();
    // Reads the file into the editor; its version on disk is watched from
    // now on. Throws a UserError when the file cannot be read.
    void LoadDocument(const QString& path);
    // Writes the editor's lines to the caption's path and clears the modified
    // flag. A file that another program changed since this window read or
    // wrote it is written over only when the user says so; false when not.
    // Throws a UserError when the file cannot be written.
    bool SaveDocument();
    // When another program has changed the file since this window read or
    // wrote it, asks whether to read it again (saying so when the editor has
    // unsaved changes too); each version on disk is asked about once.
    void CheckDiskChanges();
    // The same once the events being handled now are over.
    void CheckDiskChangesLater();
    DiskWatch* Disk() const { return disk; }

    // What a snapshot keeps of the document, and a document made again from one.
    Snapshot TakeSnapshot() const;
    void RestoreSnapshot(const Snapshot& snapshot);
    // A tab click, and the window's activation.
    void ActivateDocument();
    // The host calls this when the window becomes the active one; the file
    // on disk is looked at then.
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

signals:
    // The document's snapshot is due: written while it has unsaved changes,
    // removed once it has none.
    void snapshotDue();

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
    void refreshTitle();
    void reloadDocument();

    DocumentHost& host;
    EditorControl* editor;
    StatusPanels* statusBar;
    QMenu* popup = nullptr;
    QPointer<DocumentTab> tab;
    DiskWatch* disk;
    SnapshotSchedule* schedule = nullptr;
    QString caption;
    bool modified = false;
    bool checkingDisk = false;
    bool shownOnce = false;
    QString wrapFontFamily;
    QList<QAction*> popupShortcuts;
};
