#pragma once

#include <QHash>
#include <QString>

#include <string>
#include <vector>

// The colour value of the automatic colour of rich text: the window text
// system colour (top bit set, index 8).
inline constexpr qint32 kWindowTextColor = qint32(0x80000008);

// The character attributes of a piece of rich text.
struct CharFormat {
    QString face;
    int size = 12; // points
    qint32 color = kWindowTextColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const CharFormat&) const = default;
};
size_t qHash(const CharFormat& format, size_t seed = 0);

enum class Alignment { Left = 0, Right = 1, Center = 2 };
enum class Numbering { None = 0, Bullet = 1 };

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    Numbering numbering = Numbering::None;
    bool operator==(const ParagraphFormat&) const = default;
};

// Formatted text as lines, each with one paragraph format, and runs of
// characters in one character format. Characters are Unicode code points.
// Offsets in the rich-text control's sense count every character as 1 and
// every line end as 2.
class RichTextDocument {
public:
    struct Line {
        qsizetype start = 0; // into the text
        qsizetype length = 0;
        ParagraphFormat paragraph;
    };
    struct Run {
        qsizetype start = 0; // into the text; a run lasts until the next one
        int format = 0;      // into Formats()
    };

    const CharFormat& DefaultFormat() const { return defaultFormat; }
    void SetDefaultFormat(const CharFormat& format) { defaultFormat = format; }

    int LineCount() const { return int(lines.size()); }
    const Line& LineAt(int index) const { return lines[size_t(index)]; }
    QString LineText(int index) const;
    const std::u32string& Text() const { return text; }
    const std::vector<Run>& Runs() const { return runs; }
    const std::vector<CharFormat>& Formats() const { return formats; }

    // The character format and paragraph format at a control offset; an
    // offset on a line end or past the text gives those of the character
    // before it (or the default format in an empty document).
    CharFormat FormatAt(qsizetype offset) const;
    ParagraphFormat ParagraphAt(qsizetype offset) const;
    // The run that holds a text position.
    size_t RunIndexAt(qsizetype textPosition) const;

    // Building: characters go into the open line in the given format.
    void Append(char32_t character, const CharFormat& format);
    void Append(const std::u32string& characters, const CharFormat& format);
    // Ends the open line with its paragraph format.
    void EndLine(const ParagraphFormat& paragraph);
    // Characters added since the last EndLine.
    qsizetype OpenLineLength() const { return qsizetype(text.size()) - lineStart; }
    void Clear() { *this = RichTextDocument(); }

private:
    int formatIndex(const CharFormat& format);
    qsizetype textPositionOf(qsizetype offset) const;

    CharFormat defaultFormat;
    std::u32string text;
    std::vector<Line> lines;
    std::vector<Run> runs;
    std::vector<CharFormat> formats;
    QHash<CharFormat, int> formatIndices;
    qsizetype lineStart = 0;
    int lastFormat = -1;
};
