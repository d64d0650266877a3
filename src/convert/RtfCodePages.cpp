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
    default:
        return nullptr;
    }
}

bool IsDoubleBytePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

char32_t FirstCodePoint(const QString& text) {
    if (text.isEmpty())
        return kReplacement;
    const QList<uint> points = text.toUcs4();
    return points.isEmpty() ? kReplacement : char32_t(points.first());
}

} // namespace

int RtfCodePages::ForCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
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
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
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
                entry.table[byte] = kReplacement;
            else
                entry.table[byte] = FirstCodePoint(Cp1252Codec::Decode(one));
        }
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
