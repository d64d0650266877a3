#pragma once

#include <QByteArray>

#include <array>

// Finds a run of bytes (the key) in a text whose bytes are folded first, as
// the search does: ASCII capitals to small letters when the case need not
// match, every other byte as it is.
//
// The text is not compared at every position: two bytes of the key that are
// rare in web pages and prose are looked for, sixteen positions at a time,
// each where it stands in the key, and only where both are found is the whole
// key compared. A letter whose case need not match is looked for in both
// cases at once.
class KeyFinder {
public:
    using ByteMap = std::array<unsigned char, 256>;

    // The byte folding of the search: the same byte, or ASCII capitals as
    // small letters.
    static const ByteMap& Folding(bool matchCase);

    // The key is folded already.
    KeyFinder(QByteArray key, const ByteMap& folding);

    // The offset of the first (or last) occurrence in bytes[0..length), or -1.
    qsizetype First(const char* bytes, qsizetype length) const;
    qsizetype Last(const char* bytes, qsizetype length) const;

    // The offset of the first byte in bytes[0..length) that is one of the
    // two, or -1.
    static qsizetype FirstOfEither(const char* bytes, qsizetype length, unsigned char one,
                                   unsigned char other);

private:
    // One of the two bytes looked for: where it stands in the key, and the
    // text's bytes that fold to it (the same twice when only one does).
    struct Anchor {
        qsizetype offset = 0;
        unsigned char one = 0;
        unsigned char other = 0;
    };

    bool matchesAt(const char* at) const;
    bool anchorsAt(const char* at) const;

    QByteArray key;
    const ByteMap& fold;
    // Some byte of the key that no byte of the text folds to: nothing matches.
    bool impossible = false;
    Anchor rare;
    Anchor second;
};
