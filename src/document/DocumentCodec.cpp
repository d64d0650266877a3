#include "DocumentCodec.h"

#include "Cp1252Codec.h"

#include <QFileInfo>

#include <array>
#include <cstring>

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

bool HasHighBytes(const char* data, qsizetype length) {
    // Eight bytes at a time: large documents are mostly ASCII.
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            return true;
    }
    for (; i < length; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return true;
    }
    return false;
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
