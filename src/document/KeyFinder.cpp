#include "KeyFinder.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// How often a byte is met in web pages and prose, roughly, per thousand
// bytes; what is not listed is rarer still.
constexpr std::array<unsigned char, 256> kCommonness = [] {
    std::array<unsigned char, 256> often{};
    const auto set = [&often](const char* bytes, unsigned char value) {
        for (const char* b = bytes; *b; ++b)
            often[static_cast<unsigned char>(*b)] = value;
    };
    set(" ", 120);
    set("e", 60);
    set("t", 50);
    set("aoin", 42);
    set("sr", 38);
    set("lhdc", 24);
    set("upm<>\"", 16);
    set("\t=/fg", 10);
    set("ywb", 8);
    set("v.,-", 6);
    set(":;k0123456789", 3);
    set("x'#&()ETASCIMPNOR", 2);
    set("{}_!?*+@$%[]|\\^`~qjzBDFGHJKLQUVWXYZ", 1);
    // Lead bytes of UTF-8 repeat in any text of a script beyond ASCII.
    for (int b = 0xC2; b <= 0xF4; ++b)
        often[b] = 20;
    for (int b = 0x80; b <= 0xBF; ++b)
        often[b] = 5;
    return often;
}();

} // namespace

const KeyFinder::ByteMap& KeyFinder::Folding(bool matchCase) {
    static const ByteMap identity = [] {
        ByteMap map{};
        for (int b = 0; b < 256; ++b)
            map[b] = static_cast<unsigned char>(b);
        return map;
    }();
    static const ByteMap asciiLower = [] {
        ByteMap map = identity;
        for (int b = 'A'; b <= 'Z'; ++b)
            map[b] = static_cast<unsigned char>(b + ('a' - 'A'));
        return map;
    }();
    return matchCase ? identity : asciiLower;
}

KeyFinder::KeyFinder(QByteArray keyBytes, const ByteMap& folding)
    : key(std::move(keyBytes)), fold(folding) {
    // The two positions of the key whose bytes the text holds least often.
    int rarest = 1 << 30;
    int secondRarest = 1 << 30;
    for (qsizetype j = 0; j < key.size(); ++j) {
        Anchor anchor{j, 0, 0};
        int sources = 0;
        int commonness = 0;
        for (int b = 0; b < 256; ++b) {
            if (fold[b] != static_cast<unsigned char>(key[j]))
                continue;
            (sources++ == 0 ? anchor.one : anchor.other) = static_cast<unsigned char>(b);
            commonness += kCommonness[b];
        }
        if (sources == 0) {
            impossible = true;
            return;
        }
        if (sources == 1)
            anchor.other = anchor.one;
        if (commonness < rarest) {
            second = rare;
            secondRarest = rarest;
            rare = anchor;
            rarest = commonness;
        } else if (commonness < secondRarest) {
            second = anchor;
            secondRarest = commonness;
        }
    }
    // A key of one byte has one anchor.
    if (key.size() == 1)
        second = rare;
}

bool KeyFinder::matchesAt(const char* at) const {
    for (qsizetype j = 0; j < key.size(); ++j) {
        if (fold[static_cast<unsigned char>(at[j])] != static_cast<unsigned char>(key[j]))
            return false;
    }
    return true;
}

bool KeyFinder::anchorsAt(const char* at) const {
    const auto holds = [at](const Anchor& anchor) {
        const auto b = static_cast<unsigned char>(at[anchor.offset]);
        return b == anchor.one || b == anchor.other;
    };
    return holds(rare) && holds(second);
}

qsizetype KeyFinder::First(const char* bytes, qsizetype length) const {
    const qsizetype m = key.size();
    if (impossible || m == 0 || length < m)
        return -1;
    const qsizetype lastStart = length - m;
    qsizetype at = 0;
#if defined(__SSE2__)
    // Sixteen starting positions at a time; the bytes read stay within the
    // text since every anchor lies within the key.
    const __m128i rareOne = _mm_set1_epi8(char(rare.one));
    const __m128i rareOther = _mm_set1_epi8(char(rare.other));
    const __m128i secondOne = _mm_set1_epi8(char(second.one));
    const __m128i secondOther = _mm_set1_epi8(char(second.other));
    for (; at + 15 <= lastStart; at += 16) {
        const __m128i a =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + rare.offset));
        const __m128i b =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + second.offset));
        const __m128i hits = _mm_and_si128(
            _mm_or_si128(_mm_cmpeq_epi8(a, rareOne), _mm_cmpeq_epi8(a, rareOther)),
            _mm_or_si128(_mm_cmpeq_epi8(b, secondOne), _mm_cmpeq_epi8(b, secondOther)));
        for (unsigned mask = unsigned(_mm_movemask_epi8(hits)); mask != 0; mask &= mask - 1) {
            const qsizetype start = at + std::countr_zero(mask);
            if (matchesAt(bytes + start))
                return start;
        }
    }
#endif
    for (; at <= lastStart; ++at) {
        if (anchorsAt(bytes + at) && matchesAt(bytes + at))
            return at;
    }
    return -1;
}

qsizetype KeyFinder::Last(const char* bytes, qsizetype length) const {
    const qsizetype m = key.size();
    if (impossible || m == 0 || length < m)
        return -1;
    // The highest starting position still to look at.
    qsizetype top = length - m;
#if defined(__SSE2__)
    const __m128i rareOne = _mm_set1_epi8(char(rare.one));
    const __m128i rareOther = _mm_set1_epi8(char(rare.other));
    const __m128i secondOne = _mm_set1_epi8(char(second.one));
    const __m128i secondOther = _mm_set1_epi8(char(second.other));
    for (; top >= 15; top -= 16) {
        const qsizetype at = top - 15;
        const __m128i a =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + rare.offset));
        const __m128i b =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + second.offset));
        const __m128i hits = _mm_and_si128(
            _mm_or_si128(_mm_cmpeq_epi8(a, rareOne), _mm_cmpeq_epi8(a, rareOther)),
            _mm_or_si128(_mm_cmpeq_epi8(b, secondOne), _mm_cmpeq_epi8(b, secondOther)));
        unsigned mask = unsigned(_mm_movemask_epi8(hits));
        while (mask != 0) {
            const int bit = std::bit_width(mask) - 1;
            if (matchesAt(bytes + at + bit))
                return at + bit;
            mask &= ~(1u << bit);
        }
    }
#endif
    for (; top >= 0; --top) {
        if (anchorsAt(bytes + top) && matchesAt(bytes + top))
            return top;
    }
    return -1;
}

qsizetype KeyFinder::FirstOfEither(const char* bytes, qsizetype length, unsigned char one,
                                   unsigned char other) {
    qsizetype at = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(char(one));
    const __m128i second = _mm_set1_epi8(char(other));
    for (; at + 16 <= length; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        const unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, first), _mm_cmpeq_epi8(block, second))));
        if (mask != 0)
            return at + std::countr_zero(mask);
    }
#endif
    for (; at < length; ++at) {
        const auto b = static_cast<unsigned char>(bytes[at]);
        if (b == one || b == other)
            return at;
    }
    return -1;
}
