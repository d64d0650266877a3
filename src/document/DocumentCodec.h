#pragma once

#include <QByteArray>

// How a document's file is encoded. The editor holds UTF-8; files are decoded
// and encoded at the boundary, so that any file's bytes come back unchanged
// after open and save, apart from line ends.
enum class TextEncoding {
    Windows1252, // every file that is not valid UTF-8 with non-ASCII bytes, and new documents
    Utf8,        // valid UTF-8 holding at least one non-ASCII byte
    Utf8Bom,     // the same, starting with a byte-order mark
};

struct DecodedDocument {
    // The lines in UTF-8, joined by CR LF, without a break after the last one.
    QByteArray text;
    TextEncoding encoding = TextEncoding::Windows1252;
};

// Splits the file at CR LF, CR or LF; a final line break does not add an
// empty line. Windows-1252 maps every byte, the five unassigned ones to the
// control characters of the same number.
DecodedDocument DecodeDocument(const QByteArray& fileBytes);

// The file bytes for the editor's text (UTF-8, lines joined by CR LF): a CR LF
// after every line, the last one included; no text at all is an empty file. A character that
// Windows-1252 cannot hold is written as a numeric character reference such as "&#8594;".
QByteArray EncodeDocument(const char* text, qsizetype length, TextEncoding encoding);
inline QByteArray EncodeDocument(const QByteArray& text, TextEncoding encoding) {
    return EncodeDocument(text.constData(), text.size(), encoding);
}

// Text given as one string, with any of the three kinds of line break, as the
// editor holds it: CR LF between lines, no break after the last line.
QByteArray NormalizeLineBreaks(const QByteArray& utf8, bool dropFinalBreak);
