#pragma once

// The editing engine measures text in pieces: every run of one style, and
// runs longer than a few hundred bytes in slices of about a hundred. It keeps
// the widths of short pieces (under 30 bytes) for reuse and measures every
// other piece anew each time a line is laid out, which on a minified page of
// megabytes happens at every keystroke. A long run therefore gets split into
// its words, blanks and punctuation, alternating between its style and that
// style's twin, which looks the same: the pieces then repeat and are measured
// once.

// The style number added to a style for its twin.
inline constexpr unsigned char kTwinStyleOffset = 64;
// The style a style number stands for, twin or not.
inline constexpr int BaseStyle(int style) {
    return style >= kTwinStyleOffset ? style - kTwinStyleOffset : style;
}

// Splits every run of one style longer than the engine keeps widths for, in
// styles[0, length) of the UTF-8 text, never inside a character.
void SplitLongStyleRuns(const char* text, unsigned char* styles, int length);
