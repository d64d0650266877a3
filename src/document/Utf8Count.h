#pragma once

#include <QtGlobal>

// The characters (code points) of valid UTF-8 text: every byte that is not a
// continuation byte starts one. Eight bytes at a time, since the editor asks
// for whole long lines after every keystroke.
qsizetype CountCodePoints(const char* data, qsizetype length);

// Whether any byte is beyond ASCII (0x80 or above).
bool HoldsNonAscii(const char* data, qsizetype length);

// The UTF-16 code units of valid UTF-8 text: one per character, and one more
// for each character outside the Basic Multilingual Plane, whose UTF-8 lead
// byte is 0xF0 or above.
qsizetype CountUtf16Units(const char* data, qsizetype length);

// The character whose UTF-8 bytes start at data[at] (at < length), by the
// shape of its bytes alone: a lead byte of two, three or four bytes followed
// by as many continuation bytes. size is 0 when the byte starts no such
// sequence; overlong forms and surrogates are not checked here.
struct Utf8Character {
    char32_t code = 0;
    int size = 0;
};
Utf8Character DecodeUtf8At(const char* data, qsizetype length, qsizetype at);
