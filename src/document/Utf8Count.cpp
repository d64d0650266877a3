#include "Utf8Count.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Counts the bytes whose top bits are `pattern` under `mask`: eight bytes at
// a time through `marks`, which leaves the top bit of each such byte of a
// word set and every other bit clear, then byte by byte for the rest.
template <typename Marks>
qsizetype CountMarked(const char* data, qsizetype length, Marks marks, unsigned char mask,
                      unsigned char pattern) {
    qsizetype count = 0;
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        count += std::popcount(marks(word) & 0x8080808080808080ULL);
    }
    for (; i < length; ++i) {
        if ((static_cast<unsigned char>(data[i]) & mask) == pattern)
            ++count;
    }
    return count;
}

} // namespace

qsizetype CountCodePoints(const char* data, qsizetype length) {
    // A continuation byte has its top two bits set to 1 and 0: bit 7 set, bit 6 clear.
    const qsizetype continuations = CountMarked(
        data, length, [](std::uint64_t word) { return word & ~(word << 1); }, 0xC0, 0x80);
    return length - continuations;
}

bool HoldsNonAscii(const char* data, qsizetype length) {
    // Eight bytes at a time: large documents are mostly ASCII.
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
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

qsizetype CountUtf16Units(const char* data, qsizetype length) {
    // A lead byte of four bytes has its top four bits set.
    const qsizetype fourByteLeads = CountMarked(
        data, length,
        [](std::uint64_t word) { return word & (word << 1) & (word << 2) & (word << 3); }, 0xF0,
        0xF0);
    return CountCodePoints(data, length) + fourByteLeads;
}

Utf8Character DecodeUtf8At(const char* data, qsizetype length, qsizetype at) {
    const auto continuation = [&](qsizetype i) {
        return i < length && (static_cast<unsigned char>(data[i]) & 0xC0) == 0x80;
    };
    const auto bits = [&](qsizetype i) {
        return char32_t(static_cast<unsigned char>(data[i]) & 0x3F);
    };
    const unsigned char b = static_cast<unsigned char>(data[at]);
    if (b < 0x80)
        return {b, 1};
    if (b >= 0xC2 && b <= 0xDF && continuation(at + 1))
        return {(char32_t(b & 0x1F) << 6) | bits(at + 1), 2};
    if ((b & 0xF0) == 0xE0 && continuation(at + 1) && continuation(at + 2))
        return {(char32_t(b & 0x0F) << 12) | (bits(at + 1) << 6) | bits(at + 2), 3};
    if (b >= 0xF0 && b <= 0xF4 && continuation(at + 1) && continuation(at + 2) &&
        continuation(at + 3))
        return {(char32_t(b & 0x07) << 18) | (bits(at + 1) << 12) | (bits(at + 2) << 6) |
                    bits(at + 3),
                4};
    return {};
}
