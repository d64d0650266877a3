#include "Cp1252Codec.h"

#include <array>

namespace {

// Unicode characters of the bytes 0x80 to 0x9F. The unassigned ones keep their
// own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

namespace Cp1252Codec {

QString Decode(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? QChar(kHighControls[value - 0x80])
                                                 : QChar(char16_t(value));
    }
    return text;
}

int ByteFor(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return int(codePoint);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return int(0x80 + i);
    }
    return -1;
}

bool CanEncode(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 && ByteFor(c.unicode()) < 0)
            return false;
    }
    return true;
}

QByteArray Encode(const QString& text, const std::function<QByteArray(char32_t)>& replacement) {
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        char32_t point = text.at(i).unicode();
        if (point < 0x80) {
            bytes.append(char(point));
            continue;
        }
        if (QChar::isHighSurrogate(point) && i + 1 < length && text.at(i + 1).isLowSurrogate()) {
            point = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const int byte = ByteFor(point);
        if (byte >= 0)
            bytes.append(char(byte));
        else
            bytes.append(replacement(point));
    }
    return bytes;
}

} // namespace Cp1252Codec

bool IsValidUtf8(const QByteArray& bytes) {
    // A byte-level check, so that a large file is not decoded twice.
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype length = bytes.size();
    qsizetype i = 0;
    while (i < length) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char low = 0x80; // allowed range of the second byte
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            if (lead == 0xE0)
                low = 0xA0; // no overlong forms
            else if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + extra >= length)
            return false;
        if (data[i + 1] < low || data[i + 1] > high)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}
