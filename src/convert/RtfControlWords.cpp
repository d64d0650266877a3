#include "RtfControlWords.h"

namespace RtfControl {

const std::unordered_map<std::string_view, WordEntry>& Words() {
    static const std::unordered_map<std::string_view, WordEntry> words = [] {
        std::unordered_map<std::string_view, WordEntry> table;
        const auto add = [&](std::initializer_list<std::string_view> names, Word word) {
            for (std::string_view name : names)
                table[name] = {word};
        };
        add({"ansi"}, Word::Ansi);
        add({"mac"}, Word::Mac);
        add({"pc"}, Word::Pc);
        add({"pca"}, Word::Pca);
        add({"ansicpg"}, Word::AnsiCodePage);
        add({"deff"}, Word::DefaultFont);
        add({"uc"}, Word::UnicodeSkip);
        add({"u"}, Word::Unicode);
        add({"bin"}, Word::Binary);
        add({"stylesheet", "info",
             "pict",       "header",
             "headerl",    "headerr",
             "headerf",    "footer",
             "footerl",    "footerr",
             "footerf",    "footnote",
             "annotation", "atnid",
             "atnauthor",  "xe",
             "tc",         "txe",
             "rxe",        "fldinst",
             "pntext",     "listtext",
             "pntxta",     "pntxtb",
             "shpinst",    "nonshppict",
             "objdata",    "objclass",
             "themedata",  "colorschememapping",
             "datastore",  "latentstyles",
             "filetbl",    "revtbl",
             "rsidtbl",    "generator",
             "xmlnstbl",   "listpicture",
             "bkmkstart",  "bkmkend",
             "comment",    "author",
             "operator",   "title",
             "subject",    "keywords",
             "doccomm",    "template",
             "userprops",  "docvar",
             "fchars",     "lchars",
             "falt",       "panose",
             "mmathPr",    "wgrffmtfilter",
             "pgdsctbl"},
            Word::SkippedDestination);
        add({"upr"}, Word::UnicodePair);
        add({"ud"}, Word::UnicodeVersion);
        add({"fonttbl"}, Word::FontTable);
        add({"colortbl"}, Word::ColorTable);
        add({"listtable"}, Word::ListTable);
        add({"listoverridetable"}, Word::ListOverrideTable);
        add({"f"}, Word::Font);
        add({"fs"}, Word::FontSize);
        add({"fcharset"}, Word::Charset);
        add({"cpg"}, Word::CodePage);
        add({"b"}, Word::Bold);
        add({"i"}, Word::Italic);
        add({"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
             "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
             "ulwave"},
            Word::Underline);
        add({"ulnone"}, Word::UnderlineNone);
        add({"strike", "striked"}, Word::Strike);
        add({"v"}, Word::Hidden);
        add({"cf"}, Word::Color);
        add({"plain"}, Word::Plain);
        add({"pard"}, Word::ParagraphDefault);
        add({"par", "sect"}, Word::Paragraph);
        add({"line"}, Word::Line);
        add({"tab"}, Word::Tab);
        add({"cell", "nestcell"}, Word::Cell);
        add({"row", "nestrow"}, Word::Row);
        add({"page", "column"}, Word::PageBreak);
        add({"qc"}, Word::Center);
        add({"qr"}, Word::Right);
        add({"ql"}, Word::Left);
        add({"qj", "qd"}, Word::Justify);
        add({"pn"}, Word::Numbering);
        add({"pnlvlblt"}, Word::NumberingBullet);
        add({"pnlvlbody", "pnlvlcont", "pnlvl"}, Word::NumberingOther);
        add({"ls"}, Word::ListOverrideIndex);
        add({"ilvl"}, Word::ListLevelIndex);
        add({"list"}, Word::List);
        add({"listlevel"}, Word::ListLevel);
        add({"levelnfc", "levelnfcn"}, Word::LevelFormat);
        add({"listid"}, Word::ListId);
        add({"listoverride"}, Word::ListOverride);
        add({"red"}, Word::Red);
        add({"green"}, Word::Green);
        add({"blue"}, Word::Blue);
        const std::pair<std::string_view, char32_t> characters[] = {
            {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
            {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005}};
        for (const auto& [name, character] : characters)
            table[name] = {Word::Character, character};
        return table;
    }();
    return words;
}

} // namespace RtfControl
