#include "StyleRuns.h"

namespace {

// Runs this long or longer are measured anew by the engine every time.
constexpr int kLongestKeptRun = 29;

enum class CharClass { Word, Blank, Punctuation };

CharClass ClassOf(unsigned char c) {
    if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
        return CharClass::Word;
    if (c == ' ' || c == '\t')
        return CharClass::Blank;
    return CharClass::Punctuation;
}

void SplitRun(const unsigned char* text, unsigned char* styles, int from, int to) {
    const auto base = styles[from];
    const auto twin = static_cast<unsigned char>(base + kTwinStyleOffset);
    bool twinned = false;
    int at = from;
    while (at < to) {
        // One piece: a word, a stretch of blanks, or one punctuation mark.
        const CharClass kind = ClassOf(text[at]);
        int end = at + 1;
        if (kind != CharClass::Punctuation) {
            while (end < to && ClassOf(text[end]) == kind)
                ++end;
        }
        // A character's continuation bytes stay with it.
        while (end < to && (text[end] & 0xC0) == 0x80)
            ++end;
        const unsigned char style = twinned ? twin : base;
        for (int i = at; i < end; ++i)
            styles[i] = style;
        twinned = !twinned;
        at = end;
    }
}

} // namespace

void SplitLongStyleRuns(const char* text, unsigned char* styles, int length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int start = 0;
    while (start < length) {
        int end = start + 1;
        while (end < length && styles[end] == styles[start])
            ++end;
        if (end - start > kLongestKeptRun && styles[start] < kTwinStyleOffset)
            SplitRun(bytes, styles, start, end);
        start = end;
    }
}
