#include "FolderTree.h"

#include "FileListing.h"

#include <QFileSystemModel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

namespace {
const char* const kKeepInSight = "keepSelectedFolderInSight";
} // namespace

QFileSystemModel* ShowFolderTree(QTreeView& tree, QObject* owner) {
    auto* model = new QFileSystemModel(owner);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setReadOnly(true);
    model->setRootPath(QStringLiteral("/"));
    tree.setModel(model);
    tree.setHeaderHidden(true);
    for (int column = 1; column < model->columnCount(); ++column)
        tree.hideColumn(column);
    // Folders are read in the background, and rows keep arriving and moving
    // after a folder has been selected: until the user scrolls or clicks,
    // the tree keeps the selected folder in sight.
    const auto keepInSight = [&tree] {
        if (tree.property(kKeepInSight).toBool())
            QTimer::singleShot(0, &tree, [&tree] {
                tree.scrollTo(tree.currentIndex(), QAbstractItemView::PositionAtCenter);
            });
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &tree, keepInSight);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, &tree, keepInSight);
    const auto userMoved = [&tree] { tree.setProperty(kKeepInSight, false); };
    QObject::connect(tree.verticalScrollBar(), &QScrollBar::actionTriggered, &tree, userMoved);
    QObject::connect(&tree, &QTreeView::pressed, &tree, userMoved);
    return model;
}

bool SelectFolderInTree(QTreeView& tree, QFileSystemModel& model, const QString& path) {
    const QModelIndex index = model.index(FolderPath(path));
    if (!index.isValid())
        return false;
    tree.setCurrentIndex(index);
    tree.scrollTo(index);
    tree.setProperty(kKeepInSight, true);
    return true;
}
