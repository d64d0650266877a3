#include "RtfCodePages.h"

#include "Cp1252Codec.h"

#include <QList>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

const char* CodecName(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 852:
        return "IBM852";
    case 866:
        return "IBM866";
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    // No decoder knows Apple's East Asian pages; their double-byte characters
    // are those of the Windows pages for the same scripts.
    case 10001:
        return "Shift_JIS";
    case 10002:
        return "Big5";
    case 10003:
        return "windows-949";
    case 10008:
        return "GBK";
    case 10006:
        return "x-mac-greek";
    case 10007:
        return "x-mac-cyrillic";
    case 10029:
        return "x-mac-centraleurroman";
    case 10081:
        return "x-mac-turkish";
    default:
        return nullptr;
    }
}

bool IsDoubleBytePage(int codePage) {
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 10001:
    case 10002:
    case 10003:
    case 10008:
        return true;
    default:
        return false;
    }
}

char32_t FirstCodePoint(const QString& text) {
    if (text.isEmpty())
        return kReplacement;
    const QList<uint> points = text.toUcs4();
    return points.isEmpty() ? kReplacement : char32_t(points.first());
}

// What a decoder of a double-byte page makes of a byte on its own (the
// half-width katakana of Shift-JIS, the euro sign of GBK), with control
// characters and what it cannot read as U+FFFD.
char32_t LoneByte(char32_t decoded) {
    return decoded < 0x20 || (decoded >= 0x7F && decoded <= 0x9F) ? kReplacement : decoded;
}

// The single bytes Apple's Japanese and Chinese pages add to the Windows
// pages whose decoders read them.
void AddMacSingleBytes(int codePage, std::array<char32_t, 256>& table) {
    if (codePage != 10001 && codePage != 10002 && codePage != 10008)
        return;
    table[0x80] = codePage == 10008 ? U'\u00FC' : U'\\';
    table[0xA0] = 0xA0;
    table[0xFD] = 0xA9;
    table[0xFE] = 0x2122;
    table[0xFF] = 0x2026;
}

} // namespace

int RtfCodePages::ForCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 78:
        return 10001;
    case 79:
        return 10003;
    case 80:
        return 10008;
    case 81:
        return 10002;
    case 85:
        return 10006;
    case 86:
        return 10081;
    case 88:
        return 10029;
    case 89:
        return 10007;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

bool RtfCodePages::IsLeadByte(int codePage, unsigned char byte) const {
    switch (codePage) {
    case 932:
    case 10001:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    // The Mac Chinese and Korean pages keep 0x80 to 0xA0 and 0xFD to 0xFF
    // for single characters.
    case 10002:
    case 10003:
    case 10008:
        return byte >= 0xA1 && byte <= 0xFC;
    default:
        return false;
    }
}

RtfCodePages::Page& RtfCodePages::page(int codePage) {
    if (codePage == lastCodePage)
        return *lastPage;
    auto [it, added] = pages.try_emplace(codePage);
    Page& entry = it->second;
    if (added) {
        const char* name = CodecName(codePage);
        auto decoder =
            name ? std::make_unique<QStringDecoder>(name, QStringConverter::Flag::Stateless)
                 : nullptr;
        if (decoder && !decoder->isValid())
            decoder.reset();
        const bool single = decoder && !IsDoubleBytePage(codePage);
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            if (byte < 0x80 && !single)
                entry.table[byte] = char32_t(byte);
            else if (single)
                entry.table[byte] = FirstCodePoint(decoder->decode(one));
            else if (decoder)
                entry.table[byte] = LoneByte(FirstCodePoint(decoder->decode(one)));
            else
                entry.table[byte] = FirstCodePoint(Cp1252Codec::Decode(one));
        }
        AddMacSingleBytes(codePage, entry.table);
        entry.decoder = std::move(decoder);
    }
    lastCodePage = codePage;
    lastPage = &entry;
    return entry;
}

char32_t RtfCodePages::Decode(int codePage, unsigned char byte) {
    return page(codePage).table[byte];
}

char32_t RtfCodePages::Decode(int codePage, unsigned char lead, unsigned char trail) {
    Page& entry = page(codePage);
    if (!entry.decoder)
        return kReplacement;
    const char pair[2] = {char(lead), char(trail)};
    return FirstCodePoint(entry.decoder->decode(QByteArrayView(pair, 2)));
}
