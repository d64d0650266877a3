#pragma once

// The syntax-highlighting engine: a pure function from (mode, line, state at
// the line's start) to (one style per byte, state at the line's end), so that
// an editor can style any line given the state it stored for the line before.
// Style numbers and their looks are in HighlightStyles.h.

enum class HighlightMode {
    Html,    // HTML with CSS and JavaScript regions
    CssOnly, // a style sheet: all CSS, no regions
};

// State at the start of the first line of a document.
constexpr int kInitialLineState = 0;

// Styles one line (UTF-8 bytes, WITHOUT its line break) and returns the state at its end.
// styles receives exactly `length` style numbers.
//
// The state is a non-negative int:
//   bits 0-2  the region the line is in: 0 for none (HTML, or the style sheet
//             in CssOnly mode), else 1 + the scheme's index in RegionSchemes()
//   bits 3-   the state of the language in force there: HtmlState (3 bits),
//             the packed CssContext (7 bits) or the packed JsContext (4 bits)
// Any int is accepted: unknown bits fall back to the nearest valid state.
int StyleLine(HighlightMode mode, const char* text, int length, int stateIn, unsigned char* styles);
