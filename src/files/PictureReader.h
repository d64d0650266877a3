#pragma once

#include <QImage>
#include <QString>

// Reads a picture file for the image browser. Qt's image plugins read BMP,
// ICO, GIF, JPEG and PNG, SVG with QtSvg and WebP with the extra image
// format plugins (and tell the format from the content); Windows metafiles
// are drawn by libwmf's wmf2gd when it is installed. A file that cannot be
// read gives a null image.
QImage ReadPicture(const QString& path);
