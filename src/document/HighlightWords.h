#pragma once

#include <cstring>
#include <initializer_list>
#include <span>
#include <vector>

// A fixed set of ASCII words for the tokenizers, looked up by byte range
// without allocating: open addressing over a power-of-two table. With
// ignoreCase, the words must be given in lower case and ASCII letters of the
// looked-up text match either case.
class WordSet {
public:
    // The set keeps the pointers: the words must outlive it (literals do).
    WordSet(std::span<const char* const> words, bool ignoreCase);
    WordSet(std::initializer_list<const char*> words, bool ignoreCase)
        : WordSet(std::span<const char* const>(words.begin(), words.size()), ignoreCase) {}

    bool contains(const char* text, int length) const;

private:
    unsigned hash(const char* text, int length) const;
    bool equal(const char* word, const char* text, int length) const;

    struct Slot {
        const char* word = nullptr;
        int length = 0;
    };
    std::vector<Slot> table;
    unsigned mask = 0;
    int shortest = 0;
    int longest = 0;
    bool ignoreCase;
};

// The byte with ASCII letters A-Z lowered; other bytes unchanged.
inline unsigned char AsciiLower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c | 0x20) : c;
}

// Gives the bytes from..to (exclusive) one style.
inline void Fill(unsigned char* styles, int from, int to, unsigned char style) {
    std::memset(styles + from, style, static_cast<size_t>(to - from));
}

// Whether the text has the prefix at the given index.
inline bool StartsWith(const char* text, int at, int length, const char* prefix, int prefixLength) {
    return at + prefixLength <= length &&
           std::memcmp(text + at, prefix, static_cast<size_t>(prefixLength)) == 0;
}
