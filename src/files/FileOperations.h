#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Deleting and creating for the file manager.
// Failures that the user must hear of throw a UserError with a clear text.

// Whether a file, or a link whose file may be gone, is at the path.
bool FileOrLinkExists(const QString& path);

// One step of a run over files: told the index and the path of the next
// file, it returns false to end the run before that file.
using FileStep = std::function<bool(int, const QString&)>;

// Moves each existing file (a link: the link itself) to the desktop's trash,
// in order. Files that no longer exist are skipped. Returns the files the
// trash refused (a file on a file system without a trash the user can
// write, a link whose file is gone); they are left as they were.
QStringList MoveToTrash(const QStringList& paths, const FileStep& step);

// Deletes each existing file for good, in order, and returns the files that
// could not be deleted.
QStringList DeleteForGood(const QStringList& paths, const FileStep& step);

// Removes a folder only when it is empty; false when it is not empty, is no
// folder or cannot be removed.
bool RemoveEmptyFolder(const QString& path);

// Creates the single folder name inside parent and returns its path. A name
// that is empty, "." or "..", or holds a "/", is refused, as is a folder
// that exists already or cannot be made.
QString CreateFolder(const QString& parent, const QString& name);
