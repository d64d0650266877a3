#pragma once

#include <QtGlobal>

// The characters (code points) of valid UTF-8 text: every byte that is not a
// continuation byte starts one. Eight bytes at a time, since the editor asks
// for whole long lines after every keystroke.
qsizetype CountCodePoints(const char* data, qsizetype length);

// The UTF-16 code units of valid UTF-8 text: one per character, and one more
// for each character outside the Basic Multilingual Plane, whose UTF-8 lead
// byte is 0xF0 or above.
qsizetype CountUtf16Units(const char* data, qsizetype length);
