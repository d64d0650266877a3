#pragma once

#include <QString>

// The character-entity table: 79 pairs of a Windows-1252 character and its
// HTML reference, in a fixed order. Encoding takes the first pair whose
// character matches; decoding applies the pairs in order.
namespace EntityTable {
struct Entry {
    char16_t character;
    const char* reference;
};
inline constexpr int kSize = 79;
// The entry at a position from 0 to kSize - 1.
const Entry& At(int position);
} // namespace EntityTable

// The reference of the first table entry for the character, or nullptr when
// the table has none. Every character of the table is below 256.
const char* EntityReference(char32_t character);

// The reference text of the character, or the character itself.
QString CharToHtml(char32_t character);
// Every character through CharToHtml: characters to references.
QString HtmlToText(const QString& text);
// References back to characters: one replace-all pass per table entry, in
// table order, ignoring letter case. References outside the table stay.
QString TextToHtml(const QString& text);

// Converts between characters and references with the table. Each property,
// when set, sets the other one and keeps its own previous value.
class StrToHtml {
public:
    QString Text() const { return text; }
    // Html := TextToHtml(value).
    void SetText(const QString& value) { html = TextToHtml(value); }
    QString Html() const { return html; }
    // Text := HtmlToText(value).
    void SetHtml(const QString& value) { text = HtmlToText(value); }

private:
    QString text;
    QString html;
};
