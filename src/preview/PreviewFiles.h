#pragma once

#include <QString>
#include <QStringList>

// Where the two previews put the document's text, so that relative links,
// pictures and style sheets resolve as they will on the web site. caption is
// the document window's caption; programFolder ends in a separator.

// The preview window's file: n~name beside a document that has a file
// (index.html gives 3~index.html), n~name.html in the program folder for
// one that has none (3~Untitled2.html, 3~README.html).
QString PreviewFilePath(const QString& caption, int number, const QString& programFolder);

// The user's browser's file, quillon_tempN.html, in the caption's folder, or
// in the program folder when the caption names none.
QString BrowserFilePath(const QString& caption, int number, const QString& programFolder);

// Whether the caption names a style sheet (".css" in any letter case), which
// has no page to show.
bool IsStyleSheetCaption(const QString& caption);

// Deletes every listed file that still exists; failures are ignored.
void DeleteExistingFiles(const QStringList& files);
