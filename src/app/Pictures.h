#pragma once

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures are files compiled in as resources
// (resources/quillon.qrc): the toolbar icons and the window icon are SVG,
// drawn at any size by Qt's SVG icon engine; the splash and the About banner
// are PNG at single and double pixel density.

// Toolbar button object name -> the resource path of its icon, for example
// "ToolButton3" -> ":/icons/save.svg".
const QHash<QString, QString>& ToolbarIconFiles();

// The icon of the toolbar button with the given object name. An unknown name
// gives a null icon.
QIcon ToolbarIcon(const QString& buttonName);

// The start-up splash, 537 x 273 pixels, showing "Version " and the leading
// number of versionText (the program's version text, "6.1 Build ...").
QPixmap SplashPicture(const QString& versionText);

// The banner at the top of the About box, 300 x 120 pixels.
QPixmap AboutPicture();

// The window icon, resources/icons/quillon.svg.
QIcon ApplicationIcon();
