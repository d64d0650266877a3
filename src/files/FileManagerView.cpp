#include "FileManagerView.h"

#include "ErrorReport.h"
#include "FileDeletion.h"
#include "FileDialogs.h"
#include "FileListing.h"
#include "FileOperations.h"
#include "FolderListModel.h"
#include "FolderTree.h"
#include "Language.h"
#include "Prompts.h"
#include "SettingsStore.h"
#include "SiteCopyDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QStringList kFilterEntries = {
    QStringLiteral("*.htm"),          QStringLiteral("*.asp"),  QStringLiteral("*.js"),
    QStringLiteral("*.php"),          QStringLiteral("*.cgi"),  QStringLiteral("*.pl"),
    QStringLiteral("*.css"),          QStringLiteral("*.bmp"),  QStringLiteral("*.gif"),
    QStringLiteral("*.jpg"),          QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
    QStringLiteral("*.svg"),          QStringLiteral("*.webp"), QStringLiteral("All Web Files"),
    QStringLiteral("All Files (*.*)")};

QAction* AddEntry(QMenu& menu, const char* name, const char* caption) {
    QAction* entry = menu.addAction(QString::fromLatin1(caption));
    entry->setObjectName(QString::fromLatin1(name));
    return entry;
}

} // namespace

FileManagerView::FileManagerView(QWidget* parent)
    : QWidget(parent), splitter(new QSplitter(Qt::Vertical, this)), tree(new QTreeView(splitter)),
      list(new QListView(splitter)), filterBox(new QComboBox(this)),
      listModel(new FolderListModel(this)), mask(AllWebFilesMask()) {
    setObjectName(QStringLiteral("FileManagerView"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    splitter->setObjectName(QStringLiteral("Splitter2"));
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(3);
    splitter->setToolTip(QStringLiteral("Drag the bar up or down to resize the filemanager ..."));
    tree->setObjectName(QStringLiteral("RzDirectoryTree1"));
    tree->setToolTip(QStringLiteral("Right click to create, delete or refresh the tree."));
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setObjectName(QStringLiteral("RzFileListBox1"));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setUniformItemSizes(true);
    list->setModel(listModel);
    splitter->addWidget(tree);
    splitter->addWidget(list);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    filterBox->setObjectName(QStringLiteral("ComboBox2"));
    filterBox->setEditable(true);
    filterBox->setInsertPolicy(QComboBox::NoInsert);
    filterBox->addItems(kFilterEntries);
    filterBox->setEditText(FilterCaption());
    filterBox->setToolTip(QStringLiteral("Filter the filelist box"));
    column->addWidget(splitter, 1);
    column->addWidget(filterBox);

    buildMenus();
    setTreeModel();
    SelectFolder(QDir::homePath());
    SetTreeHeight(kTreeHeight);

    connect(tree, &QTreeView::clicked, this, [this] { emit folderClicked(currentFolder); });
    connect(list, &QListView::clicked, this, [this] {
        // A click with Ctrl or Shift only extends the selection.
        const auto extending = Qt::ControlModifier | Qt::ShiftModifier;
        if (!openOnDoubleClick && !(QApplication::keyboardModifiers() & extending))
            OpenFocused();
    });
    // Where a single click opens, the double click's first click has opened
    // the file already.
    connect(list, &QListView::doubleClicked, this, [this] {
        if (openOnDoubleClick)
            OpenFocused();
    });
    connect(filterBox, &QComboBox::activated, this,
            [this] { RunReported([this] { ApplyFilter(filterBox->currentText()); }); });
    connect(tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { treeMenu->exec(tree->viewport()->mapToGlobal(at)); });
    connect(list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { listMenu->exec(list->viewport()->mapToGlobal(at)); });
    for (QWidget* control : {static_cast<QWidget*>(tree), static_cast<QWidget*>(list)})
        control->installEventFilter(this);
}

void FileManagerView::buildMenus() {
    const auto on = [this](QAction* entry, auto command) {
        connect(entry, &QAction::triggered, this, [command] { RunReported([&] { command(); }); });
    };
    treeMenu = new QMenu(this);
    treeMenu->setObjectName(QStringLiteral("PopupMenu2"));
    on(AddEntry(*treeMenu, "CreateFolder1", "Create Folder"), [this] { CreateFolder(); });
    on(AddEntry(*treeMenu, "DeleteFolder1", "Delete Folder"), [this] { DeleteFolder(); });
    treeMenu->addSeparator();
    QAction* refreshTree = AddEntry(*treeMenu, "RefreshFilemanager2", "Refresh Filemanager");
    on(refreshTree, [this] { Refresh(); });

    listMenu = new QMenu(this);
    listMenu->setObjectName(QStringLiteral("PopupMenu1"));
    on(AddEntry(*listMenu, "OpenSelectedFiles1", "Open Selected Files ..."),
       [this] { OpenSelected(); });
    listMenu->addSeparator();
    on(AddEntry(*listMenu, "CopySelectedFiles1", "Copy Selected File(s) ..."),
       [this] { CopySelectedFiles(); });
    on(AddEntry(*listMenu, "DeleteSelectedFiles1", "Delete Selected File(s) ..."),
       [this] { DeleteSelectedFiles(); });
    listMenu->addSeparator();
    on(AddEntry(*listMenu, "AddSelectedfiletodocument1", "Add Selected file to document"), [this] {
        if (!SelectedPaths().isEmpty())
            emit fileReferenceRequested(FocusedPath());
    });
    listMenu->addSeparator();
    QAction* refreshList = AddEntry(*listMenu, "RefreshFilemanager1", "Refresh Filemanager");
    on(refreshList, [this] { Refresh(); });
    listMenu->addSeparator();
    on(AddEntry(*listMenu, "SelectAll2", "Select All"), [this] { SelectAll(); });
    // The keys themselves are taken by the tree and the list (eventFilter);
    // the menus only show them.
    for (QAction* refresh : {refreshTree, refreshList}) {
        refresh->setShortcut(QKeySequence(Qt::Key_F5));
        refresh->setShortcutContext(Qt::WidgetShortcut);
    }
}

// A new model reads the folders afresh.
void FileManagerView::setTreeModel() {
    QFileSystemModel* old = treeModel;
    treeModel = ShowFolderTree(*tree, this);
    connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { treeCurrentChanged(current); });
    delete old;
}

void FileManagerView::SelectFolder(const QString& path) {
    const QString before = currentFolder;
    if (!SelectFolderInTree(*tree, *treeModel, path))
        return;
    // A folder that was current already is listed afresh.
    if (currentFolder == before)
        showListFolder(currentFolder);
}

void FileManagerView::treeCurrentChanged(const QModelIndex& current) {
    if (!current.isValid())
        return;
    currentFolder = FolderPath(treeModel->filePath(current));
    showListFolder(currentFolder);
}

void FileManagerView::showListFolder(const QString& folder) {
    listModel->Show(folder, MaskPatterns(mask));
}

int FileManagerView::TreeHeight() const {
    return splitter->sizes().value(0);
}

void FileManagerView::SetTreeHeight(int height) {
    const int total = qMax(splitter->height(), height + 50);
    splitter->setSizes({height, total - height});
}

QString FileManagerView::FilterText() const {
    return filterBox->currentText();
}

void FileManagerView::ApplyFilter(const QString& text) {
    filterBox->setEditText(text);
    mask = MaskForFilterChoice(text);
    showListFolder(currentFolder);
    // The caption stays stored as it is, so the box shows it again next time.
    Settings().WriteText(QStringLiteral("File"), QStringLiteral("Mask"),
                         text == FilterCaption() ? text : mask);
}

QStringList FileManagerView::ListedNames() const {
    QStringList names;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < listModel->rowCount(root); ++row)
        names << listModel->fileName(listModel->index(row, 0, root));
    return names;
}

QStringList FileManagerView::SelectedPaths() const {
    QStringList paths;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < listModel->rowCount(root); ++row) {
        const QModelIndex index = listModel->index(row, 0, root);
        if (list->selectionModel()->isSelected(index))
            paths << JoinPath(currentFolder, listModel->fileName(index));
    }
    return paths;
}

QString FileManagerView::FocusedPath() const {
    const QModelIndex focused = list->currentIndex();
    if (!focused.isValid() || !list->selectionModel()->isSelected(focused))
        return {};
    return JoinPath(currentFolder, listModel->fileName(focused));
}

void FileManagerView::OpenFocused() {
    const QModelIndex focused = list->currentIndex();
    if (focused.isValid())
        emit openRequested({JoinPath(currentFolder, listModel->fileName(focused))}, true);
}

void FileManagerView::OpenSelected() {
    const QStringList paths = SelectedPaths();
    if (!paths.isEmpty())
        emit openRequested(paths, false);
}

void FileManagerView::CopySelectedFiles() {
    QStringList names;
    for (const QString& path : SelectedPaths())
        names << FileNameOnly(path);
    if (names.isEmpty())
        return;
    TfFileCopy copy(currentFolder, names, this);
    if (CurrentPrompts().runDialog(copy) != QDialog::Accepted)
        return;
    Refresh();
    SelectFolder(copy.CopiedTo());
}

void FileManagerView::DeleteSelectedFiles() {
    const QStringList paths = SelectedPaths();
    if (paths.isEmpty())
        return;
    if (paths.size() == 1) {
        if (LangMessage(QStringLiteral("DelFile"), FileNameOnly(paths.constFirst()), 1)) {
            DeleteFiles(paths, this);
            showListFolder(currentFolder);
        }
        return;
    }
    if (!LangMessage(QStringLiteral("DelFileAll"), QString(), 1))
        return;
    TfConfdel confirm(paths, this);
    if (CurrentPrompts().runDialog(confirm) != QDialog::Accepted) {
        LangMessage(QStringLiteral("DelFileAllAbort"), QString(), 2);
        return;
    }
    const bool allGone = DeleteFiles(paths, this).isEmpty();
    showListFolder(currentFolder);
    if (allGone)
        LangMessage(QStringLiteral("DelFileAllComp"), QString(), 2);
}

void FileManagerView::DeleteFolder() {
    const QModelIndex selected = tree->currentIndex();
    if (!selected.isValid())
        return;
    if (!LangMessage(QStringLiteral("DelFolder"), treeModel->fileName(selected), 1))
        return;
    const QString path = currentFolder;
    // The folder to remove must not be the one the list is watching.
    if (selected.parent().isValid())
        SelectFolder(treeModel->filePath(selected.parent()));
    if (!RemoveEmptyFolder(path))
        LangMessage(QStringLiteral("ErrDelFolder"), path, 0);
    Refresh();
}

void FileManagerView::CreateFolder() {
    TfFolder dialog(currentFolder, this);
    if (CurrentPrompts().runDialog(dialog) != QDialog::Accepted || dialog.CreatedFolder().isEmpty())
        return;
    Refresh();
    SelectFolder(dialog.CreatedFolder());
}

void FileManagerView::Refresh() {
    const QString keep = currentFolder;
    currentFolder.clear();
    setTreeModel();
    SelectFolder(keep);
    if (currentFolder.isEmpty()) {
        currentFolder = keep;
        showListFolder(keep);
    }
}

void FileManagerView::SelectAll() {
    list->selectAll();
}

bool FileManagerView::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Enter && control) {
        control->setFocus(Qt::MouseFocusReason);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F5) {
            RunReported([this] { Refresh(); });
            return true;
        }
        if (key == Qt::Key_Delete) {
            if (watched == list)
                RunReported([this] { DeleteSelectedFiles(); });
            else
                RunReported([this] { DeleteFolder(); });
            return true;
        }
        if (watched == list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            OpenFocused();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
