#pragma once

#include <span>

// The multi-highlighter: HTML by default, handing over to CSS or JavaScript
// inside regions that begin and end with fixed texts. StyleLine
// (HighlightEngine.h) drives it.

enum class RegionLanguage { Css, JavaScript };

struct RegionScheme {
    const char* name;
    const char* startText; // matched ignoring ASCII letter case
    const char* endText;   // likewise
    int startLength;
    int endLength;
    RegionLanguage language;
    unsigned char markerStyle; // for the matched start and end texts
};

// The schemes in the order they are tried at a '<' in plain HTML text.
std::span<const RegionScheme> RegionSchemes();

// The index of the first scheme whose start text begins at text, or -1.
int MatchRegionStart(const char* text, int length);

// Where the end text first occurs in text[from, length), ignoring letter
// case, or -1.
int FindRegionEnd(const RegionScheme& scheme, const char* text, int from, int length);
