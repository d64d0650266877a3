#include "DocumentCodec.h"

#include "Cp1252Codec.h"

#include <array>

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

bool HasHighBytes(const QByteArray& bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return true;
    }
    return false;
}

// UTF-8 of every Windows-1252 byte, built once.
struct Cp1252ToUtf8 {
    std::array<QByteArray, 256> bytes;
    Cp1252ToUtf8() {
        for (int value = 0; value < 256; ++value)
            bytes[value] = Cp1252Codec::Decode(QByteArray(1, char(value))).toUtf8();
    }
};

QByteArray Cp1252AsUtf8(const QByteArray& bytes) {
    static const Cp1252ToUtf8 table;
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80)
            out.append(byte);
        else
            out.append(table.bytes[value]);
    }
    return out;
}

// Decodes one UTF-8 sequence at data[i] (the text is valid UTF-8: it came from
// the editor) and returns the code point; i moves past it.
char32_t NextCodePoint(const unsigned char* data, qsizetype length, qsizetype& i) {
    const unsigned char lead = data[i++];
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t point = lead & (0x3F >> extra);
    while (extra-- > 0 && i < length)
        point = (point << 6) | (data[i++] & 0x3F);
    return point;
}

QByteArray Utf8AsCp1252(const char* text, qsizetype length) {
    QByteArray out;
    out.reserve(length + 2);
    const auto* data = reinterpret_cast<const unsigned char*>(text);
    qsizetype i = 0;
    while (i < length) {
        if (data[i] < 0x80) {
            out.append(char(data[i++]));
            continue;
        }
        const char32_t point = NextCodePoint(data, length, i);
        const int byte = Cp1252Codec::ByteFor(point);
        if (byte >= 0) {
            out.append(char(byte));
        } else {
            out.append("&#");
            out.append(QByteArray::number(quint32(point)));
            out.append(';');
        }
    }
    return out;
}

} // namespace

QByteArray NormalizeLineBreaks(const QByteArray& utf8, bool dropFinalBreak) {
    QByteArray out;
    out.reserve(utf8.size() + utf8.size() / 32);
    const char* data = utf8.constData();
    const qsizetype length = utf8.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        out.append(data + runStart, i - runStart);
        out.append("\r\n", 2);
        if (c == '\r' && i + 1 < length && data[i + 1] == '\n')
            ++i;
        runStart = i + 1;
    }
    out.append(data + runStart, length - runStart);
    if (dropFinalBreak && out.endsWith("\r\n"))
        out.chop(2);
    return out;
}

DecodedDocument DecodeDocument(const QByteArray& fileBytes) {
    DecodedDocument document;
    if (fileBytes.startsWith(kBom) && IsValidUtf8(fileBytes)) {
        document.encoding = TextEncoding::Utf8Bom;
        document.text = NormalizeLineBreaks(fileBytes.mid(kBom.size()), true);
    } else if (HasHighBytes(fileBytes) && IsValidUtf8(fileBytes)) {
        document.encoding = TextEncoding::Utf8;
        document.text = NormalizeLineBreaks(fileBytes, true);
    } else {
        document.encoding = TextEncoding::Windows1252;
        document.text = NormalizeLineBreaks(Cp1252AsUtf8(fileBytes), true);
    }
    return document;
}

QByteArray EncodeDocument(const char* text, qsizetype length, TextEncoding encoding) {
    QByteArray out;
    // A document without lines is an empty file.
    if (length == 0)
        return encoding == TextEncoding::Utf8Bom ? kBom : out;
    switch (encoding) {
    case TextEncoding::Windows1252:
        out = Utf8AsCp1252(text, length);
        break;
    case TextEncoding::Utf8Bom:
        out = kBom;
        out.append(text, length);
        break;
    case TextEncoding::Utf8:
        out = QByteArray(text, length);
        break;
    }
    out.append("\r\n", 2);
    return out;
}
