#include "HighlightWords.h"

#include <algorithm>
#include <cstring>

WordSet::WordSet(std::span<const char* const> words, bool ignoreCase) : ignoreCase(ignoreCase) {
    unsigned size = 16;
    while (size < words.size() * 4) // a sparse table keeps probe chains short
        size *= 2;
    table.resize(size);
    mask = size - 1;
    shortest = 1 << 30;
    for (const char* word : words) {
        const int length = static_cast<int>(std::strlen(word));
        shortest = std::min(shortest, length);
        longest = std::max(longest, length);
        if (contains(word, length))
            continue;
        unsigned index = hash(word, length) & mask;
        while (table[index].word)
            index = (index + 1) & mask;
        table[index] = {word, length};
    }
}

unsigned WordSet::hash(const char* text, int length) const {
    unsigned h = 2166136261u ^ static_cast<unsigned>(length);
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        h = (h ^ (ignoreCase ? AsciiLower(c) : c)) * 16777619u;
    }
    return h ^ (h >> 15);
}

bool WordSet::equal(const char* word, const char* text, int length) const {
    if (!ignoreCase)
        return std::memcmp(word, text, length) == 0;
    for (int i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(word[i]) != AsciiLower(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

bool WordSet::contains(const char* text, int length) const {
    if (length < shortest || length > longest)
        return false;
    for (unsigned index = hash(text, length) & mask; table[index].word;
         index = (index + 1) & mask) {
        if (table[index].length == length && equal(table[index].word, text, length))
            return true;
    }
    return false;
}
