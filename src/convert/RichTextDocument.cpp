#include "RichTextDocument.h"

#include <algorithm>

size_t qHash(const CharFormat& format, size_t seed) {
    return qHashMulti(seed, format.face, format.size, format.color, format.bold, format.italic,
                      format.underline, format.strikeOut);
}

QString RichTextDocument::LineText(int index) const {
    const Line& line = LineAt(index);
    return QString::fromUcs4(text.data() + line.start, line.length);
}

int RichTextDocument::formatIndex(const CharFormat& format) {
    if (lastFormat >= 0 && formats[size_t(lastFormat)] == format)
        return lastFormat;
    const auto found = formatIndices.constFind(format);
    if (found != formatIndices.constEnd())
        return lastFormat = *found;
    formats.push_back(format);
    lastFormat = int(formats.size() - 1);
    formatIndices.insert(format, lastFormat);
    return lastFormat;
}

void RichTextDocument::Append(char32_t character, const CharFormat& format) {
    Append(std::u32string(1, character), format);
}

void RichTextDocument::Append(const std::u32string& characters, const CharFormat& format) {
    if (characters.empty())
        return;
    const int index = formatIndex(format);
    if (runs.empty() || runs.back().format != index)
        runs.push_back({qsizetype(text.size()), index});
    text += characters;
}

void RichTextDocument::EndLine(const ParagraphFormat& paragraph) {
    lines.push_back({lineStart, qsizetype(text.size()) - lineStart, paragraph});
    lineStart = qsizetype(text.size());
}

size_t RichTextDocument::RunIndexAt(qsizetype textPosition) const {
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), textPosition,
                         [](qsizetype position, const Run& run) { return position < run.start; });
    return after == runs.begin() ? 0 : size_t(after - runs.begin() - 1);
}

// The text position of the character at a control offset, or of the one
// before a line end.
qsizetype RichTextDocument::textPositionOf(qsizetype offset) const {
    qsizetype lineOffset = 0;
    for (const Line& line : lines) {
        if (offset < lineOffset + line.length)
            return line.start + (offset - lineOffset);
        if (offset < lineOffset + line.length + 2)
            return line.start + line.length - 1;
        lineOffset += line.length + 2;
    }
    return qsizetype(text.size()) - 1;
}

CharFormat RichTextDocument::FormatAt(qsizetype offset) const {
    const qsizetype position = textPositionOf(offset);
    if (runs.empty() || position < 0)
        return defaultFormat;
    return formats[size_t(runs[RunIndexAt(position)].format)];
}

ParagraphFormat RichTextDocument::ParagraphAt(qsizetype offset) const {
    qsizetype lineOffset = 0;
    for (const Line& line : lines) {
        if (offset < lineOffset + line.length + 2)
            return line.paragraph;
        lineOffset += line.length + 2;
    }
    return lines.empty() ? ParagraphFormat() : lines.back().paragraph;
}
