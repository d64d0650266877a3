#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Every picture of the program is painted here with QPainter, so the program
// needs no image files and no icon theme.

// The icon of the toolbar button with the given object name (for example
// "ToolButton3" for save), with a 16x16 and a 32x32 pixmap. An unknown name
// gives a null icon.
QIcon ToolbarIcon(const QString& buttonName);

// The start-up splash, 537 x 273 pixels.
QPixmap SplashPicture();

// The banner at the top of the About box, 300 x 120 pixels.
QPixmap AboutPicture();

// The window icon, with 16, 32, 48 and 64 pixel pixmaps.
QIcon ApplicationIcon();
