#pragma once

// CSS highlighting, one line at a time, for style sheets and <style> regions.

// Where a CSS line can begin: the constructs that span lines.
enum class CssState : unsigned char {
    Normal,
    Comment,            // inside /* ... */
    DoubleQuotedString, // inside "..." continued by a backslash at the end of a line
    SingleQuotedString, // inside '...' likewise
};

// Everything a CSS line needs from the lines before it.
struct CssContext {
    CssState state = CssState::Normal;
    unsigned char blockDepth = 0; // open '{' (0 to kMaxCssBlockDepth; more are not counted)
    bool inValue = false;         // inside a block after a ':' and before ';' or '}'

    bool operator==(const CssContext&) const = default;
};

constexpr int kMaxCssBlockDepth = 15;

// Bit layout: bits 0-1 state, bit 2 inValue, bits 3-6 blockDepth. The default
// context packs to 0.
constexpr int kCssContextBits = 7;
int PackCssContext(CssContext context);
CssContext UnpackCssContext(int bits);

// Styles text[0, length) starting in context, writing one style per byte, and
// returns the context after it.
CssContext StyleCss(const char* text, int length, CssContext context, unsigned char* styles);

// Whether name (any letter case) is a CSS property name, after an optional
// vendor prefix such as "-webkit-".
bool IsKnownCssProperty(const char* name, int length);
