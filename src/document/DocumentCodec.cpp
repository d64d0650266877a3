#include "DocumentCodec.h"

#include "Cp1252Codec.h"
#include "Utf8Count.h"

#include <QFileInfo>

#include <array>
#include <cstring>

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

bool HasHighBytes(const char* data, qsizetype length) {
    return HoldsNonAscii(data, length);
}

bool HasHighBytes(const QByteArray& bytes) {
    return HasHighBytes(bytes.constData(), bytes.size());
}

// UTF-8 of every Windows-1252 byte, built once.
struct Cp1252ToUtf8 {
    std::array<QByteArray, 256> bytes;
    Cp1252ToUtf8() {
        for (int value = 0; value < 256; ++value)
            bytes[value] = Cp1252Codec::Decode(QByteArray(1, char(value))).toUtf8();
    }
};

QByteArray Cp1252AsUtf8(QByteArray bytes) {
    if (!HasHighBytes(bytes))
        return bytes;
    static const Cp1252ToUtf8 table;
    // Every byte takes at most three bytes of UTF-8.
    QByteArray out(bytes.size() * 3, Qt::Uninitialized);
    char* write = out.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            *write++ = byte;
        } else {
            const QByteArray& encoded = table.bytes[value];
            for (const char part : encoded)
                *write++ = part;
        }
    }
    out.truncate(write - out.constData());
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

bool Cp1252HoldsAll(const char* text, qsizetype length) {
    if (!HasHighBytes(text, length))
        return true;
    const auto* data = reinterpret_cast<const unsigned char*>(text);
    for (qsizetype i = 0; i < length;) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        if (Cp1252Codec::ByteFor(NextCodePoint(data, length, i)) < 0)
            return false;
    }
    return true;
}

bool IsHtmlDocumentPath(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const char* html : {"htm", "html", "shtml", "php", "asp"}) {
        if (extension == QLatin1String(html))
            return true;
    }
    return false;
}

// Whether every line break of the text is already CR LF.
bool OnlyCrLf(const char* data, qsizetype length) {
    // Every LF follows a CR, and there are as many CRs as LFs.
    qsizetype lineFeeds = 0;
    for (const char* p = data;
         (p = static_cast<const char*>(std::memchr(p, '\n', size_t(data + length - p)))); ++p) {
        if (p == data || p[-1] != '\r')
            return false;
        ++lineFeeds;
    }
    qsizetype returns = 0;
    for (const char* p = data;
         (p = static_cast<const char*>(std::memchr(p, '\r', size_t(data + length - p)))); ++p)
        ++returns;
    return returns == lineFeeds;
}

QByteArray NormalizeLineBreaks(QByteArray utf8, bool dropFinalBreak) {
    const char* data = utf8.constData();
    const qsizetype length = utf8.size();
    QByteArray out;
    if (OnlyCrLf(data, length)) {
        out = std::move(utf8);
    } else {
        out.reserve(length + length / 32);
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
    }
    if (dropFinalBreak && out.endsWith("\r\n"))
        out.chop(2);
    return out;
}

std::optional<DirectText> DirectDocumentText(const char* bytes, qsizetype size) {
    DirectText text{bytes, size, TextEncoding::Windows1252};
    if (size >= kBom.size() && std::memcmp(bytes, kBom.constData(), size_t(kBom.size())) == 0) {
        text.encoding = TextEncoding::Utf8Bom;
        text.data += kBom.size();
        text.size -= kBom.size();
    } else if (HasHighBytes(bytes, size)) {
        text.encoding = TextEncoding::Utf8;
    }
    if (text.encoding != TextEncoding::Windows1252 &&
        !IsValidUtf8(QByteArray::fromRawData(text.data, text.size)))
        return std::nullopt;
    if (!OnlyCrLf(text.data, text.size))
        return std::nullopt;
    if (text.size >= 2 && text.data[text.size - 2] == '\r' && text.data[text.size - 1] == '\n')
        text.size -= 2;
    return text;
}

bool DocumentDecoder::Add(const char* bytes, qsizetype size, bool last, qsizetype& used) {
    used = 0;
    qsizetype start = 0;
    if (!started) {
        // The byte-order mark is looked for in the file's first three bytes.
        if (size < kBom.size() && !last)
            return true;
        started = true;
        if (asUtf8 && size >= kBom.size() &&
            std::memcmp(bytes, kBom.constData(), size_t(kBom.size())) == 0) {
            byteOrderMark = true;
            start = kBom.size();
        }
    }
    qsizetype cut = size;
    if (!last) {
        // Pieces end before a character's lead byte: valid UTF-8 cut there
        // leaves valid pieces, and valid pieces join to valid UTF-8.
        if (asUtf8) {
            for (qsizetype i = size - 1; i >= start && i >= size - 4; --i) {
                const auto b = static_cast<unsigned char>(bytes[i]);
                if ((b & 0xC0) != 0x80) {
                    if (b >= 0x80)
                        cut = i;
                    break;
                }
            }
        }
        // A CR is decided on with the byte after it.
        if (cut > start && bytes[cut - 1] == '\r')
            --cut;
    }
    const char* piece = bytes + start;
    const qsizetype length = cut - start;
    const bool high = HasHighBytes(piece, length);
    if (asUtf8 && high) {
        if (!IsValidUtf8(QByteArray::fromRawData(piece, length)))
            return false;
        nonAscii = true;
    }
    if ((asUtf8 || !high) && OnlyCrLf(piece, length)) {
        put(piece, length);
    } else {
        static const Cp1252ToUtf8 table;
        // Every byte takes at most three bytes of UTF-8, or two as a line break.
        converted.resize(length * 3);
        char* write = converted.data();
        for (qsizetype i = 0; i < length; ++i) {
            const char c = piece[i];
            const auto value = static_cast<unsigned char>(c);
            if (c == '\r' || c == '\n') {
                *write++ = '\r';
                *write++ = '\n';
                if (c == '\r' && i + 1 < length && piece[i + 1] == '\n')
                    ++i;
            } else if (value < 0x80 || asUtf8) {
                *write++ = c;
            } else {
                const QByteArray& encoded = table.bytes[value];
                for (const char part : encoded)
                    *write++ = part;
            }
        }
        put(converted.constData(), write - converted.constData());
    }
    used = cut;
    return true;
}

void DocumentDecoder::put(const char* text, qsizetype size) {
    if (size == 0)
        return;
    if (breakHeld)
        sink("\r\n", 2);
    breakHeld = size >= 2 && text[size - 2] == '\r' && text[size - 1] == '\n';
    if (breakHeld)
        size -= 2;
    if (size > 0)
        sink(text, size);
}

TextEncoding DocumentDecoder::Encoding() const {
    if (!asUtf8)
        return TextEncoding::Windows1252;
    return byteOrderMark ? TextEncoding::Utf8Bom
           : nonAscii    ? TextEncoding::Utf8
                         : TextEncoding::Windows1252;
}

DecodedDocument DecodeDocument(QByteArray fileBytes) {
    DecodedDocument document;
    if (fileBytes.startsWith(kBom) && IsValidUtf8(fileBytes)) {
        document.encoding = TextEncoding::Utf8Bom;
        document.text = NormalizeLineBreaks(fileBytes.mid(kBom.size()), true);
    } else if (HasHighBytes(fileBytes) && IsValidUtf8(fileBytes)) {
        document.encoding = TextEncoding::Utf8;
        document.text = NormalizeLineBreaks(std::move(fileBytes), true);
    } else {
        document.encoding = TextEncoding::Windows1252;
        document.text = NormalizeLineBreaks(Cp1252AsUtf8(std::move(fileBytes)), true);
    }
    return document;
}

QByteArray DecodeAs(QByteArray fileBytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252)
        return NormalizeLineBreaks(Cp1252AsUtf8(std::move(fileBytes)), true);
    if (fileBytes.startsWith(kBom))
        fileBytes.remove(0, kBom.size());
    return NormalizeLineBreaks(std::move(fileBytes), true);
}

QByteArray EncodeDocument(const char* text, qsizetype length, TextEncoding encoding) {
    // A document without lines is an empty file.
    if (length == 0)
        return encoding == TextEncoding::Utf8Bom ? kBom : QByteArray();
    QByteArray out;
    if (encoding == TextEncoding::Windows1252 && HasHighBytes(text, length)) {
        out = Utf8AsCp1252(text, length);
    } else {
        out.reserve(length + kBom.size() + 2);
        if (encoding == TextEncoding::Utf8Bom)
            out.append(kBom);
        out.append(text, length);
    }
    out.append("\r\n", 2);
    return out;
}
