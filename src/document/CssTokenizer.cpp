#include "CssTokenizer.h"

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
    kWordStart = 16, // starts a word: letter, '_', a byte of a UTF-8 sequence
    kWord = 32,      // continues a word: also digits and '-'
};

constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c : {' ', '\t', '\r', '\f', '\v'})
        classes[c] |= kBlank;
    for (int c = 'a'; c <= 'z'; ++c) {
        classes[c] |= kLetter | kWordStart | kWord;
        classes[c - 'a' + 'A'] |= kLetter | kWordStart | kWord;
    }
    for (int c = '0'; c <= '9'; ++c)
        classes[c] |= kDigit | kHexDigit | kWord;
    for (int c = 'a'; c <= 'f'; ++c) {
        classes[c] |= kHexDigit;
        classes[c - 'a' + 'A'] |= kHexDigit;
    }
    classes['_'] |= kWordStart | kWord;
    classes['-'] |= kWord;
    for (int c = 0x80; c < 0x100; ++c)
        classes[c] |= kWordStart | kWord;
    return classes;
}();

inline bool Is(char c, unsigned char charClass) {
    return kClasses[static_cast<unsigned char>(c)] & charClass;
}

// The index after the string body starting at text[at] (the opening quote
// already styled). Sets the state: Normal when the string closes or ends with
// the line, unchanged when a backslash carries it to the next line.
int StyleString(const char* text, int at, int length, unsigned char* styles, CssState& state) {
    const char quote = state == CssState::DoubleQuotedString ? '"' : '\'';
    int end = at;
    bool continued = false;
    while (end < length) {
        const char c = text[end];
        if (c == '\\') {
            continued = end + 1 == length;
            end = std::min(end + 2, length);
        } else {
            ++end;
            if (c == quote)
                break;
        }
    }
    if (!continued)
        state = CssState::Normal;
    Fill(styles, at, end, Style::CssString);
    return end;
}

// A number starting at text[at]: an optional '-', digits with an optional
// fraction, then a unit or '%'. Returns the index after it.
int NumberEnd(const char* text, int at, int length) {
    int end = at;
    if (text[end] == '-')
        ++end;
    while (end < length && Is(text[end], kDigit))
        ++end;
    if (end + 1 < length && text[end] == '.' && Is(text[end + 1], kDigit)) {
        end += 2;
        while (end < length && Is(text[end], kDigit))
            ++end;
    }
    if (end < length && text[end] == '%')
        return end + 1;
    while (end < length && Is(text[end], kLetter))
        ++end;
    return end;
}

} // namespace

int PackCssContext(CssContext context) {
    return static_cast<int>(context.state) | (context.inValue ? 4 : 0) | context.blockDepth << 3;
}

CssContext UnpackCssContext(int bits) {
    CssContext context;
    context.state = static_cast<CssState>(bits & 3);
    context.inValue = bits & 4;
    context.blockDepth = static_cast<unsigned char>((bits >> 3) & kMaxCssBlockDepth);
    return context;
}

CssContext StyleCss(const char* text, int length, CssContext context, unsigned char* styles) {
    int i = 0;
    while (i < length) {
        if (context.state == CssState::Comment) {
            const char* close = nullptr;
            for (int at = i; at + 1 < length && !close; ++at) {
                if (text[at] == '*' && text[at + 1] == '/')
                    close = text + at;
            }
            const int end = close ? static_cast<int>(close - text) + 2 : length;
            Fill(styles, i, end, Style::CssComment);
            i = end;
            if (close)
                context.state = CssState::Normal;
            continue;
        }
        if (context.state != CssState::Normal) {
            i = StyleString(text, i, length, styles, context.state);
            continue;
        }
        const char c = text[i];
        const char next = i + 1 < length ? text[i + 1] : '\0';
        const bool inBlock = context.blockDepth > 0;
        int end = i + 1;
        if (Is(c, kBlank)) {
            while (end < length && Is(text[end], kBlank))
                ++end;
            Fill(styles, i, end, Style::CssSpace);
        } else if (c == '/' && next == '*') {
            Fill(styles, i, i + 2, Style::CssComment);
            context.state = CssState::Comment;
            end = i + 2;
        } else if (c == '"' || c == '\'') {
            styles[i] = Style::CssString;
            context.state = c == '"' ? CssState::DoubleQuotedString : CssState::SingleQuotedString;
        } else if (StartsWith(text, i, length, "<!--", 4) ||
                   StartsWith(text, i, length, "-->", 3)) {
            // The markers that hid style sheets from old browsers: CSS skips them.
            end = i + (c == '<' ? 4 : 3);
            Fill(styles, i, end, Style::CssComment);
        } else if (Is(c, kDigit) || ((c == '.' || c == '-') && Is(next, kDigit)) ||
                   (c == '-' && next == '.' && i + 2 < length && Is(text[i + 2], kDigit))) {
            end = NumberEnd(text, i, length);
            Fill(styles, i, end, Style::CssNumber);
        } else if (c == '#' && context.inValue) {
            // A colour such as #f0c in a value; "#name" elsewhere is a symbol and a word.
            while (end < length && Is(text[end], kHexDigit))
                ++end;
            if (end > i + 1 && (end == length || !Is(text[end], kWord))) {
                Fill(styles, i, end, Style::CssNumber);
            } else {
                styles[i] = Style::CssSymbol;
                end = i + 1;
            }
        } else if (Is(c, kWordStart) || (c == '-' && (Is(next, kWordStart) || next == '-'))) {
            while (end < length && Is(text[end], kWord))
                ++end;
            const bool key = inBlock && !context.inValue && IsKnownCssProperty(text + i, end - i);
            Fill(styles, i, end, key ? Style::CssKey : Style::CssIdentifier);
        } else {
            styles[i] = Style::CssSymbol;
            if (c == '{') {
                context.blockDepth = static_cast<unsigned char>(
                    std::min<int>(context.blockDepth + 1, kMaxCssBlockDepth));
                context.inValue = false;
            } else if (c == '}') {
                if (context.blockDepth > 0)
                    --context.blockDepth;
                context.inValue = false;
            } else if (c == ':') {
                context.inValue = inBlock;
            } else if (c == ';') {
                context.inValue = false;
            }
        }
        i = end;
    }
    return context;
}

bool IsKnownCssProperty(const char* name, int length) {
    // A vendor prefix such as -webkit- or -moz- is not part of the name;
    // custom properties ("--name") are not known.
    if (length > 2 && name[0] == '-' && name[1] != '-') {
        const void* dash = std::memchr(name + 1, '-', static_cast<size_t>(length - 1));
        if (!dash)
            return false;
        const int skip = static_cast<int>(static_cast<const char*>(dash) - name) + 1;
        name += skip;
        length -= skip;
    }
    // clang-format off
    static const WordSet properties({
        "accent-color", "align-content", "align-items", "align-self", "all", "animation",
        "animation-delay", "animation-direction", "animation-duration", "animation-fill-mode",
        "animation-iteration-count", "animation-name", "animation-play-state",
        "animation-timing-function", "appearance", "aspect-ratio", "azimuth", "backdrop-filter",
        "backface-visibility", "background", "background-attachment", "background-blend-mode",
        "background-clip", "background-color", "background-image", "background-origin",
        "background-position", "background-position-x", "background-position-y",
        "background-repeat", "background-size", "block-size", "border", "border-block",
        "border-block-end", "border-block-start", "border-bottom", "border-bottom-color",
        "border-bottom-left-radius", "border-bottom-right-radius", "border-bottom-style",
        "border-bottom-width", "border-collapse", "border-color", "border-image",
        "border-image-outset", "border-image-repeat", "border-image-slice", "border-image-source",
        "border-image-width", "border-inline", "border-inline-end", "border-inline-start",
        "border-left", "border-left-color", "border-left-style", "border-left-width",
        "border-radius", "border-right", "border-right-color", "border-right-style",
        "border-right-width", "border-spacing", "border-style", "border-top", "border-top-color",
        "border-top-left-radius", "border-top-right-radius", "border-top-style",
        "border-top-width", "border-width", "bottom", "box-decoration-break", "box-shadow",
        "box-sizing", "break-after", "break-before", "break-inside", "caption-side", "caret-color",
        "clear", "clip", "clip-path", "color", "color-scheme", "column-count", "column-fill",
        "column-gap", "column-rule", "column-rule-color", "column-rule-style", "column-rule-width",
        "column-span", "column-width", "columns", "contain", "container", "container-name",
        "container-type", "content", "content-visibility", "counter-increment", "counter-reset",
        "counter-set", "cue", "cue-after", "cue-before", "cursor", "direction", "display",
        "elevation", "empty-cells", "fill", "fill-opacity", "fill-rule", "filter", "flex",
        "flex-basis", "flex-direction", "flex-flow", "flex-grow", "flex-shrink", "flex-wrap",
        "float", "font", "font-display", "font-family", "font-feature-settings", "font-kerning",
        "font-size", "font-size-adjust", "font-stretch", "font-style", "font-variant",
        "font-variant-caps", "font-variant-ligatures", "font-variant-numeric",
        "font-variation-settings", "font-weight", "gap", "grid", "grid-area", "grid-auto-columns",
        "grid-auto-flow", "grid-auto-rows", "grid-column", "grid-column-end", "grid-column-gap",
        "grid-column-start", "grid-gap", "grid-row", "grid-row-end", "grid-row-gap",
        "grid-row-start", "grid-template", "grid-template-areas", "grid-template-columns",
        "grid-template-rows", "hanging-punctuation", "height", "hyphens", "image-rendering",
        "inline-size", "inset", "inset-block", "inset-inline", "isolation", "justify-content",
        "justify-items", "justify-self", "left", "letter-spacing", "line-break", "line-height",
        "list-style", "list-style-image", "list-style-position", "list-style-type", "margin",
        "margin-block", "margin-block-end", "margin-block-start", "margin-bottom", "margin-inline",
        "margin-inline-end", "margin-inline-start", "margin-left", "margin-right", "margin-top",
        "marker", "marker-end", "marker-mid", "marker-offset", "marker-start", "marks", "mask",
        "mask-image", "mask-position", "mask-repeat", "mask-size", "max-block-size", "max-height",
        "max-inline-size", "max-width", "min-block-size", "min-height", "min-inline-size",
        "min-width", "mix-blend-mode", "object-fit", "object-position", "opacity", "order",
        "orphans", "outline", "outline-color", "outline-offset", "outline-style", "outline-width",
        "overflow", "overflow-anchor", "overflow-wrap", "overflow-x", "overflow-y",
        "overscroll-behavior", "padding", "padding-block", "padding-block-end",
        "padding-block-start", "padding-bottom", "padding-inline", "padding-inline-end",
        "padding-inline-start", "padding-left", "padding-right", "padding-top", "page",
        "page-break-after", "page-break-before", "page-break-inside", "pause", "pause-after",
        "pause-before", "perspective", "perspective-origin", "pitch", "pitch-range",
        "place-content", "place-items", "place-self", "play-during", "pointer-events", "position",
        "quotes", "resize", "richness", "right", "rotate", "row-gap", "scale", "scroll-behavior",
        "scroll-margin", "scroll-padding", "scroll-snap-align", "scroll-snap-type",
        "scrollbar-color", "scrollbar-gutter", "scrollbar-width", "shape-outside", "size", "speak",
        "speak-header", "speak-numeral", "speak-punctuation", "speech-rate", "src", "stress",
        "stroke", "stroke-dasharray", "stroke-dashoffset", "stroke-linecap", "stroke-linejoin",
        "stroke-opacity", "stroke-width", "tab-size", "table-layout", "text-align",
        "text-align-last", "text-decoration", "text-decoration-color", "text-decoration-line",
        "text-decoration-style", "text-decoration-thickness", "text-emphasis", "text-indent",
        "text-justify", "text-overflow", "text-rendering", "text-shadow", "text-size-adjust",
        "text-transform", "text-underline-offset", "text-underline-position", "top",
        "touch-action", "transform", "transform-origin", "transform-style", "transition",
        "transition-delay", "transition-duration", "transition-property",
        "transition-timing-function", "translate", "unicode-bidi", "unicode-range", "user-select",
        "vertical-align", "visibility", "voice-family", "volume", "white-space", "widows", "width",
        "will-change", "word-break", "word-spacing", "word-wrap", "writing-mode", "z-index",
        "zoom"
    }, true);
    // clang-format on
    return properties.contains(name, length);
}
