#include "RtfReader.h"

#include "RtfCodePages.h"
#include "RtfControlWords.h"
#include "RtfFontTable.h"

#include <QHash>

#include <string_view>
#include <unordered_map>

namespace {

enum class Destination : unsigned char {
    Text,
    Skip,
    FontTable,
    ColorTable,
    ListTable,
    ListOverrides,
    BulletNumbering, // \pn: only its level kind counts
    AnsiVersion,     // in \upr: skipped up to its \ud
};

using RtfControl::Word;
using RtfControl::Words;

// What a group holds; a group starts with a copy of the state around it.
struct State {
    Destination destination = Destination::Text;
    int font = -1; // -1: the default font
    int halfPoints = 24;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    int unicodeSkip = 1;
    Alignment alignment = Alignment::Left;
    bool bulletNumbering = false;
    int listOverride = 0;
    int listLevel = 0;
    // In a \pn group: the saved state whose paragraph it numbers.
    int numberingOwner = -1;
    // In an \upr group: the destination its \ud version is read into.
    Destination pairOuter = Destination::Text;
};

constexpr int kBulletLevelFormat = 23;

class Reader {
public:
    explicit Reader(QByteArrayView bytes) : in(bytes) {}
    std::optional<RichTextDocument> read();

private:
    void openGroup();
    void closeGroup();
    void controlWord();
    void controlSymbol(char symbol);
    void handleWord(std::string_view name, bool hasParameter, int parameter);
    void handleTableWord(Word word, int parameter, bool hasParameter);
    void textByte(unsigned char byte);
    void character(char32_t character);
    void unicodeCharacter(int value);
    void endParagraph();
    void flush();
    void formatChanged() { formatDirty = true; }
    int codePage() const;
    ParagraphFormat paragraphFormat() const;
    QString fontFace(int font) const;
    // Counts a piece of input against the characters that follow \uN.
    bool skippedAfterUnicode() {
        if (unicodeFallback <= 0)
            return false;
        --unicodeFallback;
        return true;
    }

    QByteArrayView in;
    qsizetype pos = 0;
    bool done = false;
    State state;
    std::vector<State> saved;
    int overflowDepth = 0;
    bool ignorableNext = false;
    int unicodeFallback = 0;
    char16_t highSurrogate = 0;
    int leadByte = -1;

    int ansiCodePage = 1252;
    int defaultFont = 0;
    RtfFontTable fonts;
    std::vector<qint32> colors;
    int red = 0, green = 0, blue = 0;
    bool colorGiven = false;
    QHash<int, std::vector<int>> lists; // list id: level formats
    std::vector<int> listLevels;
    int listId = -1;
    int overrideListId = -1;
    QHash<int, int> overrides; // \ls number: list id

    RtfCodePages codePages;
    RichTextDocument document;
    std::u32string pending;
    CharFormat pendingFormat;
    CharFormat currentFormat;
    bool formatDirty = true;
};

std::optional<RichTextDocument> Reader::read() {
    if (!in.startsWith("{\\rtf"))
        return std::nullopt;
    while (pos < in.size() && !done) {
        const char c = in[pos++];
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            controlWord();
            break;
        case '\r':
        case '\n':
            break;
        case '\t':
            handleWord("tab", false, 0);
            break;
        default:
            textByte((unsigned char)c);
        }
    }
    flush();
    fonts.End();
    if (document.OpenLineLength() > 0)
        endParagraph();
    CharFormat defaults;
    defaults.face = fontFace(-1);
    document.SetDefaultFormat(defaults);
    return std::move(document);
}

void Reader::openGroup() {
    unicodeFallback = 0;
    if (int(saved.size()) >= kMaxRtfGroupDepth) {
        ++overflowDepth;
        return;
    }
    saved.push_back(state);
}

void Reader::closeGroup() {
    unicodeFallback = 0;
    ignorableNext = false;
    if (overflowDepth > 0) {
        --overflowDepth;
        return;
    }
    if (saved.empty())
        return; // a surplus closing brace
    if (state.destination == Destination::FontTable)
        fonts.End();
    if (saved.size() == 1 && (!pending.empty() || document.OpenLineLength() > 0))
        endParagraph(); // a last paragraph without \par ends in its own format
    state = saved.back();
    saved.pop_back();
    formatChanged();
    if (saved.empty())
        done = true; // the document's own group has closed
}

void Reader::controlWord() {
    if (pos >= in.size())
        return;
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isLetter(in[pos])) {
        controlSymbol(in[pos++]);
        return;
    }
    const qsizetype start = pos;
    while (pos < in.size() && isLetter(in[pos]))
        ++pos;
    const std::string_view name(in.data() + start, size_t(pos - start));
    bool negative = false;
    bool hasParameter = false;
    qint64 value = 0;
    if (pos + 1 < in.size() && in[pos] == '-' && isDigit(in[pos + 1])) {
        negative = true;
        ++pos;
    }
    while (pos < in.size() && isDigit(in[pos])) {
        hasParameter = true;
        value = qMin<qint64>(value * 10 + (in[pos++] - '0'), qint64(1) << 40);
    }
    if (pos < in.size() && in[pos] == ' ')
        ++pos;
    value = qBound(qint64(-0x7FFFFFFF), negative ? -value : value, qint64(0x7FFFFFFF));
    handleWord(name, hasParameter, int(value));
}

void Reader::controlSymbol(char symbol) {
    switch (symbol) {
    case '*':
        ignorableNext = true;
        return;
    case '\'': {
        const auto hex = [](char c) {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        };
        const int high = pos < in.size() ? hex(in[pos]) : -1;
        const int low = pos + 1 < in.size() ? hex(in[pos + 1]) : -1;
        if (high < 0 || low < 0)
            return;
        pos += 2;
        textByte((unsigned char)(high * 16 + low));
        return;
    }
    case '\r':
    case '\n':
        handleWord("par", false, 0);
        return;
    case '~':
        if (!skippedAfterUnicode())
            character(0xA0);
        return;
    case '_':
        if (!skippedAfterUnicode())
            character('-');
        return;
    case '\\':
    case '{':
    case '}':
        if (!skippedAfterUnicode())
            character(char32_t(symbol));
        return;
    default:
        skippedAfterUnicode();
        return; // \- and others show nothing
    }
}

void Reader::handleWord(std::string_view name, bool hasParameter, int parameter) {
    const bool ignorable = ignorableNext;
    ignorableNext = false;
    const auto& words = Words();
    const auto found = words.find(name);
    if (found == words.end()) {
        // An unknown destination marked ignorable is skipped whole.
        if (ignorable)
            state.destination = Destination::Skip;
        skippedAfterUnicode();
        return;
    }
    const Word word = found->second.word;
    if (word == Word::Binary) {
        pos += qBound(qsizetype(0), qsizetype(parameter), in.size() - pos);
        skippedAfterUnicode();
        return;
    }
    if (ignorable && word != Word::ListTable && word != Word::ListOverrideTable &&
        word != Word::Numbering && word != Word::UnicodeVersion) {
        state.destination = Destination::Skip;
        return;
    }
    if (word != Word::Unicode && skippedAfterUnicode())
        return;
    if (word == Word::SkippedDestination) {
        state.destination = Destination::Skip;
        return;
    }
    // {\upr{ANSI version}{\*\ud{Unicode version}}}: the Unicode version is
    // read in place of the pair, the other skipped.
    if (word == Word::UnicodePair && state.destination != Destination::Skip) {
        state.pairOuter = state.destination;
        state.destination = Destination::AnsiVersion;
        return;
    }
    if (word == Word::UnicodeVersion) {
        state.destination =
            state.destination == Destination::AnsiVersion ? state.pairOuter : Destination::Skip;
        return;
    }
    switch (state.destination) {
    case Destination::Skip:
        return;
    case Destination::Text:
        break;
    default:
        handleTableWord(word, parameter, hasParameter);
        return;
    }
    const bool on = !hasParameter || parameter != 0;
    switch (word) {
    case Word::Ansi:
        ansiCodePage = 1252;
        break;
    case Word::Mac:
        ansiCodePage = 10000;
        break;
    case Word::Pc:
        ansiCodePage = 437;
        break;
    case Word::Pca:
        ansiCodePage = 850;
        break;
    case Word::AnsiCodePage:
        ansiCodePage = parameter;
        break;
    case Word::DefaultFont:
        defaultFont = parameter;
        break;
    case Word::UnicodeSkip:
        state.unicodeSkip = qBound(0, parameter, 1000);
        break;
    case Word::Unicode:
        unicodeCharacter(parameter);
        break;
    case Word::FontTable:
        state.destination = Destination::FontTable;
        break;
    case Word::ColorTable:
        state.destination = Destination::ColorTable;
        colors.clear();
        break;
    case Word::ListTable:
        state.destination = Destination::ListTable;
        break;
    case Word::ListOverrideTable:
        state.destination = Destination::ListOverrides;
        break;
    case Word::Font:
        state.font = parameter, formatChanged();
        break;
    case Word::FontSize:
        state.halfPoints = hasParameter ? parameter : 24, formatChanged();
        break;
    case Word::Bold:
        state.bold = on, formatChanged();
        break;
    case Word::Italic:
        state.italic = on, formatChanged();
        break;
    case Word::Underline:
        state.underline = on, formatChanged();
        break;
    case Word::UnderlineNone:
        state.underline = false, formatChanged();
        break;
    case Word::Strike:
        state.strikeOut = on, formatChanged();
        break;
    case Word::Hidden:
        state.hidden = on;
        break;
    case Word::Color:
        state.color = parameter, formatChanged();
        break;
    case Word::Plain:
        state.font = -1, state.halfPoints = 24, state.color = 0;
        state.bold = state.italic = state.underline = state.strikeOut = state.hidden = false;
        formatChanged();
        break;
    case Word::ParagraphDefault:
        state.alignment = Alignment::Left;
        state.bulletNumbering = false;
        state.listOverride = state.listLevel = 0;
        break;
    case Word::Paragraph:
    case Word::Line:
    case Word::Cell:
        endParagraph();
        break;
    case Word::Row:
    case Word::PageBreak:
        // Ends the line it is in; after a \par or \cell there is none.
        if (!pending.empty() || document.OpenLineLength() > 0)
            endParagraph();
        break;
    case Word::Tab:
        character('\t');
        break;
    case Word::Center:
        state.alignment = Alignment::Center;
        break;
    case Word::Right:
        state.alignment = Alignment::Right;
        break;
    case Word::Left:
    case Word::Justify:
        state.alignment = Alignment::Left;
        break;
    case Word::Numbering:
        state.destination = Destination::BulletNumbering;
        state.numberingOwner = int(saved.size()) - 1;
        break;
    case Word::NumberingBullet:
        state.bulletNumbering = true;
        break;
    case Word::ListOverrideIndex:
        state.listOverride = parameter;
        break;
    case Word::ListLevelIndex:
        state.listLevel = parameter;
        break;
    case Word::Character:
        character(found->second.character);
        break;
    default:
        break;
    }
}

// Control words inside the font, colour and list tables and \pn groups.
void Reader::handleTableWord(Word word, int parameter, bool hasParameter) {
    switch (state.destination) {
    case Destination::FontTable:
        if (word == Word::Font)
            fonts.Begin(parameter);
        else if (word == Word::Charset)
            fonts.SetCharset(parameter);
        else if (word == Word::CodePage)
            fonts.SetCodePage(parameter);
        else if (word == Word::Unicode)
            unicodeCharacter(parameter);
        break;
    case Destination::ColorTable: {
        const int component = qBound(0, parameter, 255);
        if (word == Word::Red)
            red = component, colorGiven = true;
        else if (word == Word::Green)
            green = component, colorGiven = true;
        else if (word == Word::Blue)
            blue = component, colorGiven = true;
        break;
    }
    case Destination::ListTable:
        if (word == Word::List) {
            listLevels.clear();
            listId = -1;
        } else if (word == Word::ListLevel) {
            // Lists have nine levels; more are not kept.
            if (listLevels.size() < 100)
                listLevels.push_back(0);
        } else if (word == Word::LevelFormat && !listLevels.empty()) {
            listLevels.back() = parameter;
        } else if (word == Word::ListId) {
            listId = parameter;
        }
        if (listId >= 0 && lists.size() < 100000)
            lists[listId] = listLevels;
        break;
    case Destination::ListOverrides:
        if (word == Word::ListOverride)
            overrideListId = -1;
        else if (word == Word::ListId)
            overrideListId = parameter;
        else if (word == Word::ListOverrideIndex && overrides.size() < 100000)
            overrides[parameter] = overrideListId;
        break;
    case Destination::BulletNumbering:
        if (word == Word::NumberingBullet || word == Word::NumberingOther) {
            const size_t owner = size_t(state.numberingOwner);
            if (state.numberingOwner >= 0 && owner < saved.size())
                saved[owner].bulletNumbering = word == Word::NumberingBullet;
        }
        break;
    default:
        break;
    }
    Q_UNUSED(hasParameter);
}

int Reader::codePage() const {
    const RtfFontTable::Font* font = fonts.Find(state.font < 0 ? defaultFont : state.font);
    return font && font->codePage > 0 ? font->codePage : ansiCodePage;
}

void Reader::textByte(unsigned char byte) {
    if (skippedAfterUnicode())
        return;
    switch (state.destination) {
    case Destination::Text:
        break;
    case Destination::FontTable:
        fonts.Byte(byte, ansiCodePage, codePages);
        return;
    case Destination::ColorTable:
        if (byte == ';') {
            colors.push_back(colorGiven ? red + 256 * green + 65536 * blue : kWindowTextColor);
            red = green = blue = 0;
            colorGiven = false;
        }
        return;
    default:
        return;
    }
    if (byte < 0x80 && leadByte < 0) {
        character(byte);
        return;
    }
    const int page = codePage();
    if (leadByte >= 0) {
        const unsigned char lead = (unsigned char)leadByte;
        leadByte = -1;
        character(codePages.Decode(page, lead, byte));
    } else if (codePages.IsLeadByte(page, byte)) {
        leadByte = byte;
    } else {
        character(codePages.Decode(page, byte));
    }
}

void Reader::unicodeCharacter(int value) {
    unicodeFallback = state.unicodeSkip;
    char32_t code = 0xFFFD;
    if (value < 0 && value >= -32768)
        value += 65536;
    if (value >= 0xD800 && value <= 0xDBFF) {
        highSurrogate = char16_t(value);
        return;
    }
    if (value >= 0xDC00 && value <= 0xDFFF) {
        if (highSurrogate)
            code =
                0x10000 + ((char32_t(highSurrogate) - 0xD800) << 10) + (char32_t(value) - 0xDC00);
    } else if (value >= 0 && value <= 0xFFFF) {
        code = char32_t(value);
    }
    highSurrogate = 0;
    if (state.destination == Destination::FontTable) {
        fonts.Character(code);
        return;
    }
    character(code);
}

void Reader::character(char32_t c) {
    if (state.destination != Destination::Text || state.hidden)
        return;
    // Other control characters have no place in the text.
    if (c < 0x20 && c != '\t')
        return;
    if (formatDirty) {
        formatDirty = false;
        currentFormat.face = fontFace(state.font);
        currentFormat.size = state.halfPoints / 2;
        const size_t color = size_t(state.color);
        currentFormat.color =
            state.color >= 0 && color < colors.size() ? colors[color] : kWindowTextColor;
        currentFormat.bold = state.bold;
        currentFormat.italic = state.italic;
        currentFormat.underline = state.underline;
        currentFormat.strikeOut = state.strikeOut;
        if (!(currentFormat == pendingFormat)) {
            flush();
            pendingFormat = currentFormat;
        }
    }
    pending.push_back(c);
}

QString Reader::fontFace(int font) const {
    if (const RtfFontTable::Font* found = fonts.Find(font < 0 ? defaultFont : font))
        return found->name;
    const RtfFontTable::Font* fallback = fonts.Find(defaultFont);
    return fallback ? fallback->name : QStringLiteral("Verdana");
}

ParagraphFormat Reader::paragraphFormat() const {
    ParagraphFormat format;
    format.alignment = state.alignment;
    bool bullet = state.bulletNumbering;
    if (state.listOverride > 0) {
        const auto list = lists.constFind(overrides.value(state.listOverride, -1));
        if (list != lists.constEnd()) {
            const size_t level = size_t(qMax(0, state.listLevel));
            bullet = level < list->size() && (*list)[level] == kBulletLevelFormat;
        }
    }
    format.numbering = bullet ? Numbering::Bullet : Numbering::None;
    return format;
}

void Reader::flush() {
    if (pending.empty())
        return;
    document.Append(pending, pendingFormat);
    pending.clear();
}

void Reader::endParagraph() {
    flush();
    document.EndLine(paragraphFormat());
}

} // namespace

std::optional<RichTextDocument> ReadRtf(QByteArrayView bytes) {
    return Reader(bytes).read();
}
