#include "RichEditToHtml.h"

#include "AtomicFile.h"
#include "Cp1252Codec.h"
#include "StrToHtml.h"

#include <QElapsedTimer>

#include <optional>

namespace {

constexpr qint64 kEventInterval = 5; // milliseconds between calls of the between-lines step

QByteArray NumericReference(char32_t c) {
    return "&#" + QByteArray::number(quint32(c)) + ';';
}

QByteArray Encoded(const QString& text) {
    return Cp1252Codec::Encode(text, NumericReference);
}

QByteArray ParagraphOpening(const ParagraphFormat& paragraph, QByteArray& closing) {
    closing = "</P>";
    QByteArray opening;
    switch (paragraph.alignment) {
    case Alignment::Left:
        opening = "<P ALIGN=\"LEFT\">";
        break;
    case Alignment::Right:
        opening = "<P ALIGN=\"RIGHT\">";
        break;
    case Alignment::Center:
        opening = "<P ALIGN=\"CENTER\">";
        break;
    }
    if (paragraph.numbering == Numbering::Bullet) {
        opening = "<LI>" + opening;
        closing = "</P></LI>";
    }
    return opening;
}

} // namespace

RichEditToHtml::FontTags RichEditToHtml::FontTag(const CharFormat& format) {
    FontTags tags;
    tags.closing = "</FONT>";
    colours.SetRgbColor(format.color);
    tags.opening = "<FONT COLOR=#" + colours.HtmlColor().toLatin1() +
                   " SIZE=" + QByteArray::number(format.size % 8 + 2) + " FACE=\"" +
                   Encoded(format.face) + "\">";
    const std::pair<bool, const char*> styles[] = {{format.bold, "B"},
                                                   {format.italic, "I"},
                                                   {format.strikeOut, "STRIKE"},
                                                   {format.underline, "U"}};
    for (const auto& [present, tag] : styles) {
        if (!present)
            continue;
        tags.opening += QByteArray("<") + tag + '>';
        tags.closing = QByteArray("</") + tag + '>' + tags.closing;
    }
    return tags;
}

void RichEditToHtml::appendText(QByteArray& out, const char32_t* text, qsizetype length) const {
    for (qsizetype i = 0; i < length; ++i) {
        const char32_t c = text[i];
        if (const char* reference = EntityReference(c)) {
            out += reference;
        } else if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out += char(c);
        } else {
            const int byte = Cp1252Codec::ByteFor(c);
            if (byte >= 0)
                out += char(byte);
            else
                out += NumericReference(c);
        }
    }
}

QByteArray RichEditToHtml::ConvertToHtmlBytes(const RichTextDocument& document) {
    finished = false;
    ++progressCount; // the update of the lines begins
    QByteArray out;
    out.reserve(qsizetype(document.Text().size()) + document.LineCount() * 8 + 256);
    out += "\r\n\r\n\r\n";
    progressCount += 4;
    ParagraphFormat current;
    QByteArray paragraphClosing;
    progressCount += 3;
    const FontTags defaults = FontTag(document.DefaultFormat());
    out += defaults.opening + "\r\n";
    QByteArray runClosing;
    progressCount += 11;

    const std::u32string& text = document.Text();
    const auto& runs = document.Runs();
    const auto& formats = document.Formats();
    // The font tags of each format, made when first needed.
    std::vector<std::optional<FontTags>> tags(formats.size());
    int lastFormat = -1; // -1: the default format
    size_t run = 0;
    QElapsedTimer sinceEvents;
    sinceEvents.start();

    for (int index = 0; index < document.LineCount(); ++index) {
        const RichTextDocument::Line& line = document.LineAt(index);
        out += "<BR>";
        current.numbering = Numbering::None;
        qsizetype position = line.start;
        const qsizetype end = line.start + line.length;
        bool first = true;
        while (position < end) {
            while (run + 1 < runs.size() && runs[run + 1].start <= position)
                ++run;
            const qsizetype runEnd = run + 1 < runs.size() ? qMin(end, runs[run + 1].start) : end;
            const int format = runs[run].format;
            const bool same = lastFormat < 0 ? formats[size_t(format)] == document.DefaultFormat()
                                             : lastFormat == format;
            if (!same) {
                out += runClosing;
                lastFormat = format;
                auto& tag = tags[size_t(format)];
                if (!tag)
                    tag = FontTag(formats[size_t(format)]);
                out += tag->opening;
                runClosing = tag->closing;
            }
            if (first) {
                first = false;
                if (!(line.paragraph == current)) {
                    out += paragraphClosing;
                    current = line.paragraph;
                    out += ParagraphOpening(current, paragraphClosing);
                }
            }
            appendText(out, text.data() + position, runEnd - position);
            position = runEnd;
        }
        progressCount = 60;
        out += "\r\n";
        progressCount += 3;
        if (betweenLines && sinceEvents.elapsed() >= kEventInterval) {
            betweenLines();
            sinceEvents.restart();
        }
    }
    out += runClosing + "\r\n" + paragraphClosing + "\r\n";
    progressCount += 4;
    out += defaults.closing + "\r\n\r\n\r\n";
    progressCount += 4;
    finished = true;
    return out;
}

QStringList RichEditToHtml::ConvertToHtmlstringList(const RichTextDocument& document) {
    const QString text = Cp1252Codec::Decode(ConvertToHtmlBytes(document));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line's break
    return lines;
}

void RichEditToHtml::ConvertToHtml(const RichTextDocument& document, const QString& fileName) {
    WriteFileAtomically(fileName, ConvertToHtmlBytes(document));
}
