#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
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

// Decodes a file's bytes piece by piece into the editor's text, to the same
// text and encoding as DecodeDocument gives for the whole: the text goes to the
// sink as it is decoded, so that a large file needs no copy of its own.
// Read as UTF-8 (the encoding then follows from the bytes), the decoder fails
// at the first bytes that are not valid UTF-8; the file is then decoded again
// from its start as Windows-1252.
class DocumentDecoder {
public:
    using Sink = std::function<void(const char* utf8, qsizetype size)>;
    DocumentDecoder(bool asUtf8, Sink sink) : asUtf8(asUtf8), sink(std::move(sink)) {}

    // Decodes bytes[0..size) and sets used to the number of bytes taken; the
    // others (a few at the end: an unfinished character, a CR that may start a
    // CR LF) must come again at the start of the next call. The last call has
    // the file's last bytes and takes them all. False when the bytes are not
    // valid UTF-8 while reading as UTF-8.
    bool Add(const char* bytes, qsizetype size, bool last, qsizetype& used);
    TextEncoding Encoding() const;

private:
    void put(const char* text, qsizetype size);

    bool asUtf8;
    Sink sink;
    bool started = false;
    bool byteOrderMark = false;
    bool nonAscii = false;
    // A line break held back: the text's last one is left out.
    bool breakHeld = false;
    QByteArray converted;
};

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
