#pragma once

#include <QByteArray>
#include <QStringDecoder>

#include <array>
#include <map>
#include <memory>

// Windows and Mac code pages of rich text, decoded to Unicode code points.
// Single-byte pages decode through a table; the double-byte pages of East
// Asian text take a lead byte and the byte after it.
class RtfCodePages {
public:
    // The code page a font character set (\fcharset) stands for, or 0 for
    // "the document's own".
    static int ForCharset(int charset);

    bool IsLeadByte(int codePage, unsigned char byte) const;
    // One byte of a single-byte page (or a lone byte of a double-byte page).
    char32_t Decode(int codePage, unsigned char byte);
    // A lead byte and its trail byte of a double-byte page.
    char32_t Decode(int codePage, unsigned char lead, unsigned char trail);

private:
    struct Page {
        std::array<char32_t, 256> table{};
        std::unique_ptr<QStringDecoder> decoder;
    };
    Page& page(int codePage);

    std::map<int, Page> pages;
    int lastCodePage = -1;
    Page* lastPage = nullptr;
};
