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
