#pragma once

#include <QString>

#include <optional>

// The HTML that names a file of the file manager or the image browser in a
// document. Files are named by their bare name, so the reference resolves
// when the document is saved beside the file.

// The image browser's picture tag: <IMG SRC="name" Border=0>.
QString BrowserPictureTag(const QString& path);

// The reference "Add Selected file to document" inserts: a picture tag
// without a question, else the question Incl with Yes (an include
// directive), No (a link named by the part of the name before its first
// ".") and Cancel (nothing, nullopt).
std::optional<QString> FileReference(const QString& path);
