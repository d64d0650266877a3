#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QToolBar;

// Builds the main window's menus and its two toolbars with their design
// captions, shortcuts and images. Every menu entry, toolbar button and command
// without a place of its own is a QAction named as the program names it
// ("New1", "ToolButton1", "Bold" ...), owned by the window and returned by
// name. ApplyLanguage later replaces captions and hints by the catalog's.
QHash<QString, QAction*> BuildMainMenus(QMainWindow& window, QToolBar& upper, QToolBar& lower);
