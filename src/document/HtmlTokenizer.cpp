#include "HtmlTokenizer.h"

#include "HighlightStyles.h"
#include "HighlightWords.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

namespace Style = HighlightStyle;

enum CharClass : unsigned char {
    kBlank = 1,
    kLetter = 2,     // ASCII letter
    kDigit = 4,      // ASCII digit
    kHexDigit = 8,   // ASCII hexadecimal digit
    kTagName = 16,   // may follow the first letter of an element name
    kAttribute = 32, // may be part of an attribute name
    kTextStop = 64,  // ends a run of plain text
};

constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c : {' ', '\t', '\r', '\f', '\v'})
        classes[c] |= kBlank | kTextStop;
    for (int c : {'<', '&'})
        classes[c] |= kTextStop;
    for (int c = 'a'; c <= 'z'; ++c) {
        classes[c] |= kLetter | kTagName | kAttribute;
        classes[c - 'a' + 'A'] |= kLetter | kTagName | kAttribute;
    }
    for (int c = '0'; c <= '9'; ++c)
        classes[c] |= kDigit | kHexDigit | kTagName | kAttribute;
    for (int c = 'a'; c <= 'f'; ++c) {
        classes[c] |= kHexDigit;
        classes[c - 'a' + 'A'] |= kHexDigit;
    }
    for (int c : {'-', '_', ':', '.'})
        classes[c] |= kTagName | kAttribute;
    for (int c : {'@', '$'})
        classes[c] |= kAttribute;
    for (int c = 0x80; c < 0x100; ++c) // UTF-8 sequences count as letters
        classes[c] |= kTagName | kAttribute;
    return classes;
}();

inline bool Is(char c, unsigned char charClass) {
    return kClasses[static_cast<unsigned char>(c)] & charClass;
}

// The index just past the first "closer" in text[from, length), or -1.
int FindEnd(const char* text, int from, int length, const char* closer, int closerLength) {
    while (from + closerLength <= length) {
        const void* hit = std::memchr(text + from, closer[0], static_cast<size_t>(length - from));
        if (!hit)
            return -1;
        const int at = static_cast<int>(static_cast<const char*>(hit) - text);
        if (at + closerLength > length)
            return -1;
        if (std::memcmp(text + at, closer, static_cast<size_t>(closerLength)) == 0)
            return at + closerLength;
        from = at + 1;
    }
    return -1;
}

// Styles the name starting at text[at] (a letter); a name equal to "known",
// or an element name when known is nullptr, is a reserved word. Returns the
// index after the name.
int StyleName(const char* text, int at, int length, unsigned char* styles, const char* known) {
    int end = at + 1;
    while (end < length && Is(text[end], kTagName))
        ++end;
    bool reserved;
    if (known) {
        const int knownLength = static_cast<int>(std::strlen(known));
        reserved = end - at == knownLength;
        for (int i = 0; reserved && i < knownLength; ++i)
            reserved = AsciiLower(static_cast<unsigned char>(text[at + i])) == known[i];
    } else {
        reserved = IsKnownHtmlTag(text + at, end - at);
    }
    Fill(styles, at, end, reserved ? Style::HtmlTagName : Style::HtmlUnknownTagName);
    return end;
}

// Styles what starts with the '<' at text[at] in plain text: a tag, comment,
// declaration or server script opener, or a lone '<' as text. Returns the index
// after what it styled and sets state to the state after it.
int StyleMarkupStart(const char* text, int at, int length, unsigned char* styles,
                     HtmlState& state) {
    const char next = at + 1 < length ? text[at + 1] : '\0';
    const char afterNext = at + 2 < length ? text[at + 2] : '\0';
    auto opener = [&](int openerLength, const char* known) {
        Fill(styles, at, at + openerLength, Style::HtmlSymbol);
        state = HtmlState::Tag;
        const int nameAt = at + openerLength;
        return nameAt < length && Is(text[nameAt], kLetter)
                   ? StyleName(text, nameAt, length, styles, known)
                   : nameAt;
    };
    if (next == '!') {
        if (afterNext == '-' && at + 3 < length && text[at + 3] == '-') {
            Fill(styles, at, at + 4, Style::HtmlComment);
            state = HtmlState::Comment;
            return at + 4;
        }
        return opener(2, "doctype");
    }
    if (next == '%') {
        Fill(styles, at, at + 2, Style::HtmlServerScript);
        state = HtmlState::ServerScript;
        return at + 2;
    }
    if (next == '?')
        return opener(2, "xml");
    if (next == '/' && Is(afterNext, kLetter))
        return opener(2, nullptr);
    if (Is(next, kLetter))
        return opener(1, nullptr);
    styles[at] = Style::HtmlText;
    return at + 1;
}

// Styles the '&' at text[at]: a whole character reference (&name; &#123;
// &#x1F;) as an entity, else the '&' alone as text. Returns the index after.
int StyleAmpersand(const char* text, int at, int length, unsigned char* styles) {
    constexpr int kLongest = 40; // no reference is longer; bounds the look-ahead
    const int limit = std::min(length, at + kLongest);
    int end = at + 1;
    bool valid;
    if (end < limit && text[end] == '#') {
        ++end;
        const bool hex = end < limit && (text[end] == 'x' || text[end] == 'X');
        if (hex)
            ++end;
        const int digits = end;
        while (end < limit && Is(text[end], hex ? kHexDigit : kDigit))
            ++end;
        valid = end > digits;
    } else {
        valid = end < limit && Is(text[end], kLetter);
        while (end < limit && Is(text[end], kLetter | kDigit))
            ++end;
    }
    if (valid && end < limit && text[end] == ';') {
        Fill(styles, at, end + 1, Style::HtmlEntity);
        return end + 1;
    }
    styles[at] = Style::HtmlText;
    return at + 1;
}

// The run of bytes of class charClass starting at text[at], styled; returns its end.
int StyleRun(const char* text, int at, int length, unsigned char* styles, unsigned char charClass,
             unsigned char style) {
    int end = at + 1;
    while (end < length && Is(text[end], charClass))
        ++end;
    Fill(styles, at, end, style);
    return end;
}

// Styles text[at, ...) up to and including the closer, or to the end of the
// line; returns the index after and whether the closer was met.
int StyleUntil(const char* text, int at, int length, unsigned char* styles, const char* closer,
               unsigned char style, bool& closed) {
    const int end = FindEnd(text, at, length, closer, static_cast<int>(std::strlen(closer)));
    closed = end >= 0;
    const int stop = closed ? end : length;
    Fill(styles, at, stop, style);
    return stop;
}

} // namespace

HtmlRun StyleHtml(const char* text, int length, HtmlState state, unsigned char* styles,
                  RegionStartTest regionStart) {
    int i = 0;
    bool closed = false;
    while (i < length) {
        const char c = text[i];
        switch (state) {
        case HtmlState::Text:
            if (c == '<') {
                if (regionStart && regionStart(text + i, length - i) > 0)
                    return {i, state};
                i = StyleMarkupStart(text, i, length, styles, state);
            } else if (c == '&') {
                i = StyleAmpersand(text, i, length, styles);
            } else if (Is(c, kBlank)) {
                i = StyleRun(text, i, length, styles, kBlank, Style::HtmlSpace);
            } else {
                int end = i + 1;
                while (end < length && !Is(text[end], kTextStop))
                    ++end;
                Fill(styles, i, end, Style::HtmlText);
                i = end;
            }
            break;
        case HtmlState::Comment:
            i = StyleUntil(text, i, length, styles, "-->", Style::HtmlComment, closed);
            if (closed)
                state = HtmlState::Text;
            break;
        case HtmlState::ServerScript:
            i = StyleUntil(text, i, length, styles, "%>", Style::HtmlServerScript, closed);
            if (closed)
                state = HtmlState::Text;
            break;
        case HtmlState::Tag:
        case HtmlState::AttributeValue:
            if (Is(c, kBlank)) {
                i = StyleRun(text, i, length, styles, kBlank, Style::HtmlSpace);
            } else if (c == '>') {
                styles[i++] = Style::HtmlSymbol;
                state = HtmlState::Text;
            } else if (c == '"' || c == '\'') {
                styles[i++] = Style::HtmlValue;
                state = c == '"' ? HtmlState::DoubleQuotedValue : HtmlState::SingleQuotedValue;
            } else if (state == HtmlState::AttributeValue) {
                // An unquoted value runs to a blank or the end of the tag.
                int end = i + 1;
                while (end < length && !Is(text[end], kBlank) && text[end] != '>')
                    ++end;
                Fill(styles, i, end, Style::HtmlValue);
                i = end;
                state = HtmlState::Tag;
            } else if (c == '=') {
                styles[i++] = Style::HtmlSymbol;
                state = HtmlState::AttributeValue;
            } else if (Is(c, kAttribute)) {
                i = StyleRun(text, i, length, styles, kAttribute, Style::HtmlAttribute);
            } else {
                styles[i++] = Style::HtmlSymbol;
            }
            break;
        case HtmlState::DoubleQuotedValue:
        case HtmlState::SingleQuotedValue: {
            const char quote = state == HtmlState::DoubleQuotedValue ? '"' : '\'';
            const void* hit = std::memchr(text + i, quote, static_cast<size_t>(length - i));
            const int stop =
                hit ? static_cast<int>(static_cast<const char*>(hit) - text) + 1 : length;
            Fill(styles, i, stop, Style::HtmlValue);
            i = stop;
            if (hit)
                state = HtmlState::Tag;
            break;
        }
        }
    }
    return {length, state};
}

bool IsKnownHtmlTag(const char* name, int length) {
    // HTML 4 and HTML5 elements, obsolete ones included, and the foreign
    // elements that HTML embeds.
    static const WordSet tags(
        {"a",          "abbr",     "acronym",  "address",    "applet",   "area",     "article",
         "aside",      "audio",    "b",        "base",       "basefont", "bdi",      "bdo",
         "bgsound",    "big",      "blink",    "blockquote", "body",     "br",       "button",
         "canvas",     "caption",  "center",   "cite",       "code",     "col",      "colgroup",
         "data",       "datalist", "dd",       "del",        "details",  "dfn",      "dialog",
         "dir",        "div",      "dl",       "dt",         "em",       "embed",    "fieldset",
         "figcaption", "figure",   "font",     "footer",     "form",     "frame",    "frameset",
         "h1",         "h2",       "h3",       "h4",         "h5",       "h6",       "head",
         "header",     "hgroup",   "hr",       "html",       "i",        "iframe",   "image",
         "img",        "input",    "ins",      "isindex",    "kbd",      "keygen",   "label",
         "legend",     "li",       "link",     "listing",    "main",     "map",      "mark",
         "marquee",    "math",     "menu",     "menuitem",   "meta",     "meter",    "multicol",
         "nav",        "nextid",   "nobr",     "noembed",    "noframes", "noscript", "object",
         "ol",         "optgroup", "option",   "output",     "p",        "param",    "picture",
         "plaintext",  "pre",      "progress", "q",          "rb",       "rp",       "rt",
         "rtc",        "ruby",     "s",        "samp",       "script",   "search",   "section",
         "select",     "slot",     "small",    "source",     "spacer",   "span",     "strike",
         "strong",     "style",    "sub",      "summary",    "sup",      "svg",      "table",
         "tbody",      "td",       "template", "textarea",   "tfoot",    "th",       "thead",
         "time",       "title",    "tr",       "track",      "tt",       "u",        "ul",
         "var",        "video",    "wbr",      "xmp"},
        true);
    return tags.contains(name, length);
}
