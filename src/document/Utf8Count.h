#pragma once

#include <QtGlobal>

// The characters (code points) of valid UTF-8 text: every byte that is not a
// continuation byte starts one. Eight bytes at a time, since the editor asks
// for whole long lines after every keystroke.
qsizetype CountCodePoints(const char* data, qsizetype length);
