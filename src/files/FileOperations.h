#pragma once

#include <QString>
#include <QStringList>

// Deleting and creating for the file manager.
// Failures that the user must hear of throw a UserError with a clear text.

// Moves each existing file to the desktop's trash, or deletes it where the
// file system has no trash. Files that no longer exist are skipped. A file
// that can be neither trashed nor deleted ends the run with a UserError;
// the files before it are gone, the ones after it untouched.
void RemoveFiles(const QStringList& paths);

// Removes a folder only when it is empty; false when it is not empty, is no
// folder or cannot be removed.
bool RemoveEmptyFolder(const QString& path);

// Creates the single folder name inside parent and returns its path. A name
// that is empty, "." or "..", or holds a "/", is refused, as is a folder
// that exists already or cannot be made.
QString CreateFolder(const QString& parent, const QString& name);
