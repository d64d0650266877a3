#include "RtfFontTable.h"

namespace {

// Face names are short; a longer one is cut here.
constexpr qsizetype kMaxNameLength = 1000;

} // namespace

void RtfFontTable::Begin(int fontNumber) {
    End();
    number = fontNumber;
    entryCodePage = 0;
}

void RtfFontTable::Byte(unsigned char byte, int documentCodePage, RtfCodePages& codePages) {
    if (byte == ';') {
        End();
        return;
    }
    const int page = entryCodePage > 0 ? entryCodePage : documentCodePage;
    if (leadByte >= 0) {
        const unsigned char lead = (unsigned char)leadByte;
        leadByte = -1;
        Character(codePages.Decode(page, lead, byte));
    } else if (byte >= 0x80 && codePages.IsLeadByte(page, byte)) {
        leadByte = byte;
    } else {
        Character(codePages.Decode(page, byte));
    }
}

void RtfFontTable::Character(char32_t character) {
    leadByte = -1;
    // Control characters (and what a decoder gives for a byte it cannot
    // read) have no place in a face name.
    if (number < 0 || character < 0x20 || name.size() >= kMaxNameLength)
        return;
    name += QString::fromUcs4(&character, 1);
}

void RtfFontTable::End() {
    const QString face = name.trimmed();
    if (number >= 0 && !face.isEmpty())
        fonts.insert(number, {face, entryCodePage});
    number = -1;
    name.clear();
    leadByte = -1;
}

const RtfFontTable::Font* RtfFontTable::Find(int fontNumber) const {
    const auto found = fonts.constFind(fontNumber);
    return found != fonts.constEnd() ? &*found : nullptr;
}
