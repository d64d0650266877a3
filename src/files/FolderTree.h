#pragma once

class QFileSystemModel;
class QObject;
class QString;
class QTreeView;

// Gives a tree a fresh model of the folders from the root "/", folders only,
// one column; the model belongs to owner. Used by the file manager and the
// destination chooser alike.
QFileSystemModel* ShowFolderTree(QTreeView& tree, QObject* owner);

// Selects an existing folder in a tree shown by ShowFolderTree and scrolls
// to it, opening its parents; false when the folder is not there.
bool SelectFolderInTree(QTreeView& tree, QFileSystemModel& model, const QString& path);
