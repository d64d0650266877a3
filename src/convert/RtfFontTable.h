#pragma once

#include "RtfCodePages.h"

#include <QHash>
#include <QString>

// The fonts of a rich-text file's font table: face name and code page by
// font number. A face name is decoded with its own font's character set
// (\fcharset, \cpg), double-byte pages included, and only without one with
// the document's code page.
class RtfFontTable {
public:
    struct Font {
        QString name;
        int codePage = 0; // 0: the document's own
    };

    // \fN: starts the entry of a font, storing the one before.
    void Begin(int number);
    void SetCharset(int charset) { entryCodePage = RtfCodePages::ForCharset(charset); }
    void SetCodePage(int codePage) { entryCodePage = codePage; }
    // A byte of the face name; ';' ends the entry.
    void Byte(unsigned char byte, int documentCodePage, RtfCodePages& codePages);
    // A character of the face name given as \uN.
    void Character(char32_t character);
    // Stores the open entry, if it has a number and a name.
    void End();

    // The font of a number, or nullptr.
    const Font* Find(int number) const;

private:
    QHash<int, Font> fonts;
    int number = -1;
    QString name;
    int entryCodePage = 0;
    int leadByte = -1;
};
