#include "FolderTree.h"

#include "FileListing.h"

#include <QFileSystemModel>
#include <QTreeView>

QFileSystemModel* ShowFolderTree(QTreeView& tree, QObject* owner) {
    auto* model = new QFileSystemModel(owner);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setReadOnly(true);
    model->setRootPath(QStringLiteral("/"));
    tree.setModel(model);
    tree.setHeaderHidden(true);
    for (int column = 1; column < model->columnCount(); ++column)
        tree.hideColumn(column);
    return model;
}

bool SelectFolderInTree(QTreeView& tree, QFileSystemModel& model, const QString& path) {
    const QModelIndex index = model.index(FolderPath(path));
    if (!index.isValid())
        return false;
    tree.setCurrentIndex(index);
    tree.scrollTo(index);
    return true;
}
