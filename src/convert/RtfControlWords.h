#pragma once

#include <string_view>
#include <unordered_map>

// The control words the RTF reader acts on, by what they do. Several names
// may share a meaning (the underline kinds, \par and \sect).
namespace RtfControl {

enum class Word : unsigned char {
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Binary,
    SkippedDestination,
    UnicodePair,
    UnicodeVersion,
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    Font,
    FontSize,
    Charset,
    CodePage,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Color,
    Plain,
    ParagraphDefault,
    Paragraph,
    Line,
    Tab,
    Cell,
    Row,
    PageBreak, // a page or column break
    Center,
    Right,
    Left,
    Justify,
    Numbering,
    NumberingBullet,
    NumberingOther,
    ListOverrideIndex,
    ListLevelIndex,
    List,
    ListLevel,
    LevelFormat,
    ListId,
    ListOverride,
    Red,
    Green,
    Blue,
    Character,
};

struct WordEntry {
    Word word;
    char32_t character = 0; // for Word::Character
};

// Every control word the reader knows; others are ignored.
const std::unordered_map<std::string_view, WordEntry>& Words();

} // namespace RtfControl
