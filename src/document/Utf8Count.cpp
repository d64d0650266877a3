#include "Utf8Count.h"

#include <bit>
#include <cstdint>
#include <cstring>

qsizetype CountCodePoints(const char* data, qsizetype length) {
    // A continuation byte has its top two bits set to 1 and 0: bit 7 set, bit 6 clear.
    qsizetype continuations = 0;
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        continuations += std::popcount(word & ~(word << 1) & 0x8080808080808080ULL);
    }
    for (; i < length; ++i) {
        if ((static_cast<unsigned char>(data[i]) & 0xC0) == 0x80)
            ++continuations;
    }
    return length - continuations;
}

qsizetype CountUtf16Units(const char* data, qsizetype length) {
    // A lead byte of four bytes has its top four bits set.
    qsizetype fourByteLeads = 0;
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        fourByteLeads +=
            std::popcount(word & (word << 1) & (word << 2) & (word << 3) & 0x8080808080808080ULL);
    }
    for (; i < length; ++i) {
        if ((static_cast<unsigned char>(data[i]) & 0xF0) == 0xF0)
            ++fourByteLeads;
    }
    return CountCodePoints(data, length) + fourByteLeads;
}
