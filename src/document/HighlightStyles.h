#pragma once

#include <QColor>

// The style numbers the highlighting engine writes, one per byte of text.
// Numbers 32 to 39 belong to the editor control and are never used; all
// numbers stay below 64, where the twins of long lines begin (StyleRuns.h).
namespace HighlightStyle {
enum : unsigned char {
    // HTML. Symbol, space and text look the same; they are kept apart so that
    // the runs say what the tokenizer saw.
    HtmlText = 0,
    HtmlSymbol = 1,
    HtmlSpace = 2,
    HtmlTagName = 3,        // a known HTML element name (reserved word)
    HtmlUnknownTagName = 4, // any other element name (unknown word)
    HtmlAttribute = 5,      // attribute name (identifier)
    HtmlValue = 6,          // attribute value, quotes included
    HtmlComment = 7,
    HtmlEntity = 8,       // character reference such as &amp; (escape ampersand)
    HtmlServerScript = 9, // <% ... %>

    CssComment = 10,
    CssIdentifier = 11,
    CssKey = 12, // a known property name
    CssNumber = 13,
    CssString = 14,
    CssSymbol = 15,
    CssSpace = 16,

    JsComment = 17,
    JsIdentifier = 18,
    JsReservedWord = 19,
    JsNumber = 20,
    JsString = 21,
    JsSymbol = 22,
    JsSpace = 23,

    // The start and end texts of the regions, one style per scheme.
    MarkerCssFull = 24,
    MarkerCssStyle = 25,
    MarkerJsFull = 26,
    MarkerJsScript = 27,

    Count = 28,
};
} // namespace HighlightStyle

struct HighlightStyleLook {
    // Invalid when the style takes the editor's font colour.
    QColor foreground;
    bool bold = false;
    bool italic = false;
};

// How a style is drawn; the background is always the editor's. Style numbers
// outside the table get the editor's font colour, plain.
HighlightStyleLook StyleLook(int style);

// A short stable name such as "html-tag", or nullptr for a number outside the
// table.
const char* StyleKey(int style);

// An English description such as "HTML reserved word", or nullptr for a number
// outside the table.
const char* StyleDescription(int style);
