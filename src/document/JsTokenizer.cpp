#include "JsTokenizer.h"

#include "HighlightStyles.h"
#include "HighlightWords.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

namespace Style = HighlightStyle;

enum CharClass : unsigned char {
    kBlank = 1,
    kLetter = 2,          // ASCII letter
    kDigit = 4,           // ASCII digit
    kIdentifierStart = 8, // letter, '_', '$', a byte of a UTF-8 sequence
    kIdentifier = 16,     // also digits
    kOperandEnd = 32,     // a symbol after which '/' divides
};

constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c : {' ', '\t', '\r', '\f', '\v'})
        classes[c] |= kBlank;
    for (int c = 'a'; c <= 'z'; ++c) {
        classes[c] |= kLetter | kIdentifierStart | kIdentifier;
        classes[c - 'a' + 'A'] |= kLetter | kIdentifierStart | kIdentifier;
    }
    for (int c = '0'; c <= '9'; ++c)
        classes[c] |= kDigit | kIdentifier;
    for (int c : {'_', '$'})
        classes[c] |= kIdentifierStart | kIdentifier;
    for (int c = 0x80; c < 0x100; ++c)
        classes[c] |= kIdentifierStart | kIdentifier;
    for (int c : {')', ']', '}'})
        classes[c] |= kOperandEnd;
    return classes;
}();

inline bool Is(char c, unsigned char charClass) {
    return kClasses[static_cast<unsigned char>(c)] & charClass;
}

// Reserved words after which a '/' divides, as after any other operand.
bool IsOperandWord(const char* word, int length) {
    static const WordSet words(
        {"this", "super", "true", "false", "null", "undefined", "NaN", "Infinity"}, false);
    return words.contains(word, length);
}

// The index after the number starting at text[at]: decimal with fraction and
// exponent, or 0x / 0b / 0o digits; '_' separators and a BigInt 'n' included.
int NumberEnd(const char* text, int at, int length) {
    int end = at;
    if (text[at] == '0' && at + 1 < length && std::strchr("xXbBoO", text[at + 1])) {
        end = at + 2;
        while (end < length && (Is(text[end], kLetter | kDigit) || text[end] == '_'))
            ++end;
        return end;
    }
    auto digits = [&] {
        while (end < length && (Is(text[end], kDigit) || text[end] == '_'))
            ++end;
    };
    digits();
    if (end + 1 < length && text[end] == '.' && Is(text[end + 1], kDigit)) {
        ++end;
        digits();
    } else if (end < length && text[end] == '.' && end > at) {
        ++end; // "1." is a number too
    }
    if (end + 1 < length && (text[end] == 'e' || text[end] == 'E')) {
        int exponent = end + 1;
        if (exponent + 1 < length && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < length && Is(text[exponent], kDigit)) {
            end = exponent;
            digits();
        }
    }
    if (end < length && text[end] == 'n')
        ++end;
    return end;
}

// The index after the regular expression whose '/' is at text[at], flags
// included, or -1 when the line holds no closing '/'.
int RegexEnd(const char* text, int at, int length) {
    bool inClass = false;
    for (int i = at + 1; i < length; ++i) {
        const char c = text[i];
        if (c == '\\') {
            ++i;
        } else if (c == '[') {
            inClass = true;
        } else if (c == ']') {
            inClass = false;
        } else if (c == '/' && !inClass) {
            ++i;
            while (i < length && Is(text[i], kLetter))
                ++i;
            return i;
        }
    }
    return -1;
}

// Styles the body of a string or template literal starting at text[at], up
// to its closing quote or the end of the line. Returns the index after and
// whether it closed; continued says the line ended in a backslash.
int QuotedEnd(const char* text, int at, int length, char quote, bool& closed, bool& continued) {
    closed = false;
    continued = false;
    int end = at;
    while (end < length) {
        const char c = text[end];
        if (c == '\\') {
            continued = end + 1 == length;
            end = std::min(end + 2, length);
        } else {
            ++end;
            if (c == quote) {
                closed = true;
                break;
            }
        }
    }
    return end;
}

} // namespace

int PackJsContext(JsContext context) {
    return static_cast<int>(context.state) | (context.afterOperand ? 8 : 0);
}

JsContext UnpackJsContext(int bits) {
    JsContext context;
    const int state = bits & 7;
    context.state = state <= static_cast<int>(JsState::SingleQuotedString)
                        ? static_cast<JsState>(state)
                        : JsState::Code;
    context.afterOperand = bits & 8;
    return context;
}

JsContext StyleJs(const char* text, int length, JsContext context, unsigned char* styles) {
    int i = 0;
    bool member = false;   // the last token was a '.': a word after it is a property name
    bool lineStart = true; // nothing but blanks and comments so far on this line
    while (i < length) {
        if (context.state == JsState::BlockComment) {
            int end = length;
            for (int at = i; at + 1 < length; ++at) {
                if (text[at] == '*' && text[at + 1] == '/') {
                    end = at + 2;
                    context.state = JsState::Code;
                    break;
                }
            }
            Fill(styles, i, end, Style::JsComment);
            i = end;
            continue;
        }
        if (context.state != JsState::Code) {
            const char quote = context.state == JsState::TemplateLiteral      ? '`'
                               : context.state == JsState::DoubleQuotedString ? '"'
                                                                              : '\'';
            bool closed, continued;
            const int end = QuotedEnd(text, i, length, quote, closed, continued);
            Fill(styles, i, end, Style::JsString);
            // A template literal spans lines; a string only after a backslash.
            if (closed || (quote != '`' && !continued))
                context.state = JsState::Code;
            context.afterOperand = true;
            i = end;
            continue;
        }

        const char c = text[i];
        const char next = i + 1 < length ? text[i + 1] : '\0';
        if (Is(c, kBlank)) {
            int end = i + 1;
            while (end < length && Is(text[end], kBlank))
                ++end;
            Fill(styles, i, end, Style::JsSpace);
            i = end;
            continue;
        }
        if ((c == '/' && next == '/') || StartsWith(text, i, length, "<!--", 4) ||
            (lineStart && StartsWith(text, i, length, "-->", 3))) {
            // Line comments; browsers also take "<!--", and "-->" first on a line, as one.
            Fill(styles, i, length, Style::JsComment);
            break;
        }
        if (c == '/' && next == '*') {
            Fill(styles, i, i + 2, Style::JsComment);
            context.state = JsState::BlockComment;
            i += 2;
            continue;
        }

        lineStart = false;
        const bool afterDot = member;
        member = false;
        int end = i + 1;
        if (c == '"' || c == '\'' || c == '`') {
            styles[i] = Style::JsString;
            context.state = c == '"'   ? JsState::DoubleQuotedString
                            : c == '`' ? JsState::TemplateLiteral
                                       : JsState::SingleQuotedString;
        } else if (Is(c, kDigit) || (c == '.' && Is(next, kDigit))) {
            end = NumberEnd(text, i, length);
            Fill(styles, i, end, Style::JsNumber);
            context.afterOperand = true;
        } else if (Is(c, kIdentifierStart)) {
            while (end < length && Is(text[end], kIdentifier))
                ++end;
            const bool reserved = !afterDot && IsJsReservedWord(text + i, end - i);
            Fill(styles, i, end, reserved ? Style::JsReservedWord : Style::JsIdentifier);
            context.afterOperand = !reserved || IsOperandWord(text + i, end - i);
        } else if (c == '/' && !context.afterOperand && (end = RegexEnd(text, i, length)) > 0) {
            Fill(styles, i, end, Style::JsString);
            context.afterOperand = true;
        } else {
            end = i + 1;
            styles[i] = Style::JsSymbol;
            context.afterOperand = Is(c, kOperandEnd);
            // '.' alone is member access; "..." spreads.
            member = c == '.' && next != '.' && (i == 0 || text[i - 1] != '.');
        }
        i = end;
    }
    return context;
}

bool IsJsReservedWord(const char* word, int length) {
    static const WordSet words(
        {"async",     "await",      "break",   "case",    "catch",    "class",      "const",
         "continue",  "debugger",   "default", "delete",  "do",       "else",       "enum",
         "export",    "extends",    "false",   "finally", "for",      "function",   "get",
         "if",        "implements", "import",  "in",      "Infinity", "instanceof", "interface",
         "let",       "NaN",        "new",     "null",    "of",       "package",    "private",
         "protected", "public",     "return",  "set",     "static",   "super",      "switch",
         "this",      "throw",      "true",    "try",     "typeof",   "undefined",  "var",
         "void",      "while",      "with",    "yield"},
        false);
    return words.contains(word, length);
}
