#pragma once

#include <QString>

class PreviewEngine;

// What the web engine needs to know before the application object exists:
// for a process running as root, Chromium without its sandbox (Chromium
// refuses to run as root otherwise); never for anyone else. The OpenGL
// context sharing the engine also needs is set up by the engine module when
// it makes its first view, so that a run without a preview never loads the
// OpenGL driver.
void PreparePreviewEngine();

// The file name of the web engine module: beside the executable where it was
// built, else in the installed program's library folder.
QString PreviewEngineModulePath();

// Loads the web engine module on first use; later calls return the same
// engine. Throws a UserError with the loader's reason when it cannot be loaded.
PreviewEngine& LoadPreviewEngine();
