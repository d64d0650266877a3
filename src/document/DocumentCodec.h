#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

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

// The editor's text within a file's bytes, when the file can go into the
// editor as it is: valid UTF-8 (or ASCII) whose line breaks are all CR LF.
// The text leaves out a byte-order mark and a final line break.
struct DirectText {
    const char* data = nullptr;
    qsizetype size = 0;
    TextEncoding encoding = TextEncoding::Windows1252;
};
std::optional<DirectText> DirectDocumentText(const char* bytes, qsizetype size);

// Splits the file at CR LF, CR or LF; a final line break does not add an
// empty line. Windows-1252 maps every byte, the five unassigned ones to the
// control characters of the same number.
DecodedDocument DecodeDocument(QByteArray fileBytes);
// The same for bytes known to be in the given encoding (a byte-order mark at
// the start of UTF-8 is left out).
QByteArray DecodeAs(QByteArray fileBytes, TextEncoding encoding);

// The file bytes for the editor's text (UTF-8, lines joined by CR LF): a CR LF
// after every line, the last one included; no text at all is an empty file. A character that
// Windows-1252 cannot hold is written as a numeric character reference such as "&#8594;".
QByteArray EncodeDocument(const char* text, qsizetype length, TextEncoding encoding);
inline QByteArray EncodeDocument(const QByteArray& text, TextEncoding encoding) {
    return EncodeDocument(text.constData(), text.size(), encoding);
}

// Whether Windows-1252 holds every character of the UTF-8 text.
bool Cp1252HoldsAll(const char* text, qsizetype length);

// Whether a document saved to the path is HTML, where a browser reads "&#N;"
// back as the character: the extensions .htm, .html, .shtml, .php and .asp,
// in any letter case.
bool IsHtmlDocumentPath(const QString& path);

// Text given as one string, with any of the three kinds of line break, as the
// editor holds it: CR LF between lines, no break after the last line.
QByteArray NormalizeLineBreaks(QByteArray utf8, bool dropFinalBreak);
