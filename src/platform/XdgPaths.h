#pragma once

#include <QString>
#include <QStringList>

// The user's base folders as the freedesktop base directory rules define them:
// the environment variable when it holds an absolute path, else the folder
// below the home folder.
QString XdgDataHome();   // $XDG_DATA_HOME or ~/.local/share
QString XdgConfigHome(); // $XDG_CONFIG_HOME or ~/.config
QString XdgCacheHome();  // $XDG_CACHE_HOME or ~/.cache
QString XdgStateHome();  // $XDG_STATE_HOME or ~/.local/state

// The desktop's shared data folders: the absolute paths in $XDG_DATA_DIRS, or
// /usr/local/share and /usr/share when it names none.
QStringList XdgDataDirs();
