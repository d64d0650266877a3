#pragma once

// JavaScript highlighting, one line at a time, for <script> regions.

// Where a JavaScript line can begin: the constructs that span lines.
enum class JsState : unsigned char {
    Code,
    BlockComment,       // inside /* ... */
    TemplateLiteral,    // inside `...` (its ${...} parts included)
    DoubleQuotedString, // inside "..." continued by a backslash at the end of a line
    SingleQuotedString, // inside '...' likewise
};

// Everything a JavaScript line needs from the lines before it.
struct JsContext {
    JsState state = JsState::Code;
    // The last token was an operand (name, number, string, ')' ...), so a '/'
    // divides; otherwise a '/' starts a regular expression.
    bool afterOperand = false;

    bool operator==(const JsContext&) const = default;
};

// Bit layout: bits 0-2 state, bit 3 afterOperand. The default context packs to 0.
constexpr int kJsContextBits = 4;
int PackJsContext(JsContext context);
JsContext UnpackJsContext(int bits);

// Styles text[0, length) starting in context, writing one style per byte, and
// returns the context after it. Regular expressions are styled as strings.
JsContext StyleJs(const char* text, int length, JsContext context, unsigned char* styles);

// Whether word (letter case counts) is a JavaScript keyword or literal such
// as "null" and "undefined".
bool IsJsReservedWord(const char* word, int length);
