#pragma once

#include "Cp1252Codec.h"
#include "RichEditToHtml.h"
#include "RichTextDocument.h"
#include "StrToHtml.h"

#include <QString>
#include <QStringList>

// The conversion character by character, through the control offsets, as a
// rich-text control is asked: what the run-based conversion must equal.
inline QStringList ConvertPerCharacter(const RichTextDocument& document) {
    RichEditToHtml tags;
    QStringList out{QString(), QString(), QString()};
    ParagraphFormat current;
    QString paragraphClosing;
    const auto defaults = tags.FontTag(document.DefaultFormat());
    out << Cp1252Codec::Decode(defaults.opening);
    CharFormat last = document.DefaultFormat();
    QString runClosing;
    qsizetype offset = 0;
    for (int i = 0; i < document.LineCount(); ++i) {
        QString output;
        current.numbering = Numbering::None;
        const RichTextDocument::Line& line = document.LineAt(i);
        for (qsizetype c = 0; c < line.length; ++c) {
            const CharFormat format = document.FormatAt(offset + c);
            const ParagraphFormat paragraph = document.ParagraphAt(offset + c);
            if (!(format == last)) {
                output += runClosing;
                last = format;
                const auto tag = tags.FontTag(format);
                output += Cp1252Codec::Decode(tag.opening);
                runClosing = Cp1252Codec::Decode(tag.closing);
            }
            if (!(paragraph == current)) {
                output += paragraphClosing;
                current = paragraph;
                const char* const openings[] = {"<P ALIGN=\"LEFT\">", "<P ALIGN=\"RIGHT\">",
                                                "<P ALIGN=\"CENTER\">"};
                QString opening = QString::fromLatin1(openings[int(paragraph.alignment)]);
                paragraphClosing = QStringLiteral("</P>");
                if (paragraph.numbering == Numbering::Bullet) {
                    opening.prepend(QStringLiteral("<LI>"));
                    paragraphClosing = QStringLiteral("</P></LI>");
                }
                output += opening;
            }
            const char32_t character = document.Text()[size_t(line.start + c)];
            output += Cp1252Codec::ByteFor(character) >= 0
                          ? CharToHtml(character)
                          : QStringLiteral("&#%1;").arg(quint32(character));
        }
        offset += line.length + 2;
        out << QStringLiteral("<BR>") + output;
    }
    out << runClosing << paragraphClosing << Cp1252Codec::Decode(defaults.closing) << QString()
        << QString();
    return out;
}
