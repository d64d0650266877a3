#pragma once

#include <QString>

// The choices of the text formatting dialog. Face, size and colour are
// written as given, except that the face is written in lower case.
struct TextFormat {
    QString face;
    QString size;
    QString color;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool centered = false;
};

// What goes before and after the formatted text.
struct FormatTags {
    QString opening; // style tags, then the font tag
    QString closing; // "</font>", then the style tags closed in the same order
};

// Style tags come in the order bold, italic, underline, centered, and are
// closed in that same order.
FormatTags TextFormatTags(const TextFormat& format);

// The text inside a font tag of the face (in lower case), size and colour (in
// lower case hexadecimal); the background form closes with "</Font>".
QString ColoredTextHtml(const QString& face, const QString& size, qint32 color, const QString& text,
                        bool background);
