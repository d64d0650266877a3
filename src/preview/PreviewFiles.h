#pragma once

#include <QString>
#include <QStringList>

// Where the two previews put the document's text, so that relative links,
// pictures and style sheets resolve as they will on the web site. caption is
// the document window's caption; scratchFolder, ending in a separator, holds
// the files of documents without a folder (ProgramPlaces::scratchFolder).

// The preview window's file: n~name beside a document that has a file
// (index.html gives 3~index.html), n~name.html in the scratch folder for
// one that has none (3~Untitled2.html, 3~README.html).
QString PreviewFilePath(const QString& caption, int number, const QString& scratchFolder);

// The user's browser's file, quillon_tempN.html, in the caption's folder, or
// in the scratch folder when the caption names none.
QString BrowserFilePath(const QString& caption, int number, const QString& scratchFolder);

// Whether the caption names a style sheet (".css" in any letter case), which
// has no page to show.
bool IsStyleSheetCaption(const QString& caption);

// Deletes every listed file that still exists; failures are ignored.
void DeleteExistingFiles(const QStringList& files);
