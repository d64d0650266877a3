#pragma once

#include <QString>

// The user's base folders as the freedesktop base directory rules define them:
// the environment variable when it holds an absolute path, else the folder
// below the home folder.
QString XdgDataHome();   // $XDG_DATA_HOME or ~/.local/share
QString XdgConfigHome(); // $XDG_CONFIG_HOME or ~/.config
