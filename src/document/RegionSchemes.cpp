#include "RegionSchemes.h"

#include "CssTokenizer.h"
#include "HighlightEngine.h"
#include "HighlightStyles.h"
#include "HighlightWords.h"
#include "HtmlTokenizer.h"
#include "JsTokenizer.h"

#include <cstring>
#include <iterator>
#include <string>

namespace {

constexpr RegionScheme Scheme(const char* name, const char* startText, const char* endText,
                              RegionLanguage language, unsigned char markerStyle) {
    return {name,
            startText,
            endText,
            static_cast<int>(std::char_traits<char>::length(startText)),
            static_cast<int>(std::char_traits<char>::length(endText)),
            language,
            markerStyle};
}

constexpr RegionScheme kSchemes[] = {
    Scheme("CSS Full", "<style type=\"text/css\">", "</style>", RegionLanguage::Css,
           HighlightStyle::MarkerCssFull),
    Scheme("CSS Style", "<style>", "</style>", RegionLanguage::Css, HighlightStyle::MarkerCssStyle),
    Scheme("JS Full", "<script language=\"JavaScript\" type=\"text/javascript\">", "</script>",
           RegionLanguage::JavaScript, HighlightStyle::MarkerJsFull),
    Scheme("JS Script", "<script>", "</script>", RegionLanguage::JavaScript,
           HighlightStyle::MarkerJsScript),
};
constexpr int kSchemeCount = static_cast<int>(std::size(kSchemes));

constexpr int kRegionBits = 3;
constexpr int kRegionMask = (1 << kRegionBits) - 1;
static_assert(kSchemeCount < (1 << kRegionBits));
static_assert(kRegionBits + kCssContextBits < 31);

// Whether text starts with word, ASCII letters matching in either case.
bool StartsWithIgnoringCase(const char* text, int length, const char* word, int wordLength) {
    if (wordLength > length)
        return false;
    for (int i = 0; i < wordLength; ++i) {
        if (AsciiLower(static_cast<unsigned char>(text[i])) !=
            AsciiLower(static_cast<unsigned char>(word[i])))
            return false;
    }
    return true;
}

int RegionStartLength(const char* text, int length) {
    const int scheme = MatchRegionStart(text, length);
    return scheme < 0 ? 0 : kSchemes[scheme].startLength;
}

HtmlState ValidHtmlState(int bits) {
    return bits <= static_cast<int>(HtmlState::SingleQuotedValue) ? static_cast<HtmlState>(bits)
                                                                  : HtmlState::Text;
}

} // namespace

std::span<const RegionScheme> RegionSchemes() {
    return kSchemes;
}

int MatchRegionStart(const char* text, int length) {
    for (int i = 0; i < kSchemeCount; ++i) {
        if (StartsWithIgnoringCase(text, length, kSchemes[i].startText, kSchemes[i].startLength))
            return i;
    }
    return -1;
}

int FindRegionEnd(const RegionScheme& scheme, const char* text, int from, int length) {
    // Every end text starts with '<', found quickly with memchr.
    const char first = scheme.endText[0];
    while (from < length) {
        const void* hit = std::memchr(text + from, first, static_cast<size_t>(length - from));
        if (!hit)
            return -1;
        const int at = static_cast<int>(static_cast<const char*>(hit) - text);
        if (StartsWithIgnoringCase(text + at, length - at, scheme.endText, scheme.endLength))
            return at;
        from = at + 1;
    }
    return -1;
}

int StyleLine(HighlightMode mode, const char* text, int length, int stateIn,
              unsigned char* styles) {
    if (stateIn < 0)
        stateIn = kInitialLineState;
    if (mode == HighlightMode::CssOnly) {
        const CssContext css = UnpackCssContext(stateIn >> kRegionBits);
        return PackCssContext(StyleCss(text, length, css, styles)) << kRegionBits;
    }

    int region = stateIn & kRegionMask; // 0, or 1 + scheme index
    if (region > kSchemeCount)
        region = 0;
    int languageState = stateIn >> kRegionBits;
    HtmlState html = region == 0 ? ValidHtmlState(languageState) : HtmlState::Text;
    int at = 0;
    for (;;) {
        if (region == 0) {
            const HtmlRun run =
                StyleHtml(text + at, length - at, html, styles + at, &RegionStartLength);
            at += run.styled;
            html = run.state;
            if (at >= length)
                return static_cast<int>(html) << kRegionBits;
            // A region starts here: its start text is the marker.
            const int scheme = MatchRegionStart(text + at, length - at);
            const int startLength = kSchemes[scheme].startLength;
            std::memset(styles + at, kSchemes[scheme].markerStyle,
                        static_cast<size_t>(startLength));
            at += startLength;
            region = scheme + 1;
            languageState = 0;
        } else {
            const RegionScheme& scheme = kSchemes[region - 1];
            const int end = FindRegionEnd(scheme, text, at, length);
            const int stop = end < 0 ? length : end;
            if (scheme.language == RegionLanguage::Css) {
                const CssContext css = UnpackCssContext(languageState);
                languageState = PackCssContext(StyleCss(text + at, stop - at, css, styles + at));
            } else {
                const JsContext js = UnpackJsContext(languageState);
                languageState = PackJsContext(StyleJs(text + at, stop - at, js, styles + at));
            }
            if (end < 0)
                return region | languageState << kRegionBits;
            const int endLength = scheme.endLength;
            std::memset(styles + end, scheme.markerStyle, static_cast<size_t>(endLength));
            at = end + endLength;
            region = 0;
            html = HtmlState::Text;
        }
    }
}
