#pragma once

#include <QString>
#include <QStringList>

// What the file manager lists and how it names files: masks, the picture
// set and the joining of folders and names.

// The mask of the filter entry "All Web Files".
QString AllWebFilesMask();

// The filter box's text before any filter is chosen, "Filter ...".
QString FilterCaption();

// The mask a text of the filter box stands for: the two named entries have
// their own masks, the box's caption lists every file, every other text is
// a mask as it stands.
QString MaskForFilterChoice(const QString& text);

// The wildcard patterns of a ";"-separated mask, matched as on the desktops
// these masks come from: empty parts are dropped, "*.*" stands for every
// name, and "*.htm" (any three-letter extension) also stands for "*.htm*".
QStringList MaskPatterns(const QString& mask);

// Pictures are the files whose upper-cased extension is one of ".BMP",
// ".ICO", ".WMF", ".EMF", ".GIF", ".JPG", ".PNG", ".JPEG", ".SVG" and
// ".WEBP": the formats the image browser draws. Binary files opened as text
// would be one save away from being destroyed.
bool IsPictureFile(const QString& path);

// A file's name without its folder.
QString FileNameOnly(const QString& path);

// The full path of a name in a folder; the root "/" takes no second slash.
QString JoinPath(const QString& folder, const QString& name);

// A folder path as the file manager keeps it: without a trailing "/",
// except the root "/".
QString FolderPath(const QString& path);
