#pragma once

#include <QWidget>

class FolderListModel;
class QComboBox;
class QFileSystemModel;
class QListView;
class QMenu;
class QModelIndex;
class QSplitter;
class QTreeView;

// The file manager's content: the folder tree, the splitter, the file list
// of the folder selected in the tree and the filter box. It lists, filters,
// copies, deletes and creates by itself; opening and adding to a document
// are asked of the main window through its signals.
class FileManagerView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTreeHeight = 160;

    explicit FileManagerView(QWidget* parent = nullptr);

    QTreeView* Tree() const { return tree; }
    QListView* List() const { return list; }
    QComboBox* FilterBox() const { return filterBox; }
    QMenu* TreeMenu() const { return treeMenu; }
    QMenu* ListMenu() const { return listMenu; }

    // The folder selected in the tree: a full path without a trailing "/",
    // except the root "/".
    QString CurrentFolder() const { return currentFolder; }
    // Selects an existing folder in the tree; the list follows.
    void SelectFolder(const QString& path);
    int TreeHeight() const;
    void SetTreeHeight(int height);
    void SetOpenOnDoubleClick(bool on) { openOnDoubleClick = on; }

    QString Mask() const { return mask; }
    QString FilterText() const;
    // Puts a text into the filter box and applies it as a choice of the
    // user does: the list takes its mask, which is written to File/Mask.
    void ApplyFilter(const QString& text);

    // The names the list shows, in list order.
    QStringList ListedNames() const;
    // Full paths of the selected entries, in list order.
    QStringList SelectedPaths() const;
    // The full path of the focused entry when it is selected, else empty.
    QString FocusedPath() const;

    // The commands of the pop-up menus and keys.
    void OpenFocused();
    void OpenSelected();
    void CopySelectedFiles();
    void DeleteSelectedFiles();
    void DeleteFolder();
    void CreateFolder();
    void Refresh();
    void SelectAll();

signals:
    // A click on a folder of the tree.
    void folderClicked(const QString& folder);
    // Files to open; focusedOnly is set for a click, a double click or Enter.
    void openRequested(const QStringList& paths, bool focusedOnly);
    // "Add Selected file to document" for the focused entry (empty when it
    // is not selected).
    void fileReferenceRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void setTreeModel();
    void showListFolder(const QString& folder);
    void treeCurrentChanged(const QModelIndex& current);

    QSplitter* splitter;
    QTreeView* tree;
    QListView* list;
    QComboBox* filterBox;
    QMenu* treeMenu = nullptr;
    QMenu* listMenu = nullptr;
    QFileSystemModel* treeModel = nullptr;
    FolderListModel* listModel;
    QString currentFolder;
    QString mask;
    bool openOnDoubleClick = false;
};
